#include "PlayerPick.h"

#include "Artist.h"
#include "LibraryStore.h"
#include "PlaylistStore.h"
#include "core/Text.h"

#include <QJsonDocument>
#include <QMimeData>

PlayerPick PlayerPick::artist(const QString& name) {
    return PlayerPick{Kind::artist, name, name, std::nullopt};
}

PlayerPick PlayerPick::album(const Album& album) {
    return PlayerPick{Kind::album, album.id(), album.title, album.artist};
}

PlayerPick PlayerPick::song(const Song& song) {
    return PlayerPick{Kind::song, song.url.path, song.title, song.artist};
}

PlayerPick PlayerPick::playlist(const Playlist& playlist) {
    return PlayerPick{Kind::playlist, Playlist::uuidText(playlist.id), playlist.name, std::nullopt};
}

QString PlayerPick::rawValue(Kind kind) {
    switch (kind) {
    case Kind::artist:
        return QStringLiteral("artist");
    case Kind::album:
        return QStringLiteral("album");
    case Kind::song:
        return QStringLiteral("song");
    case Kind::playlist:
        return QStringLiteral("playlist");
    }
    return {};
}

std::optional<PlayerPick::Kind> PlayerPick::kindFromRawValue(const QString& text) {
    for (Kind k : {Kind::artist, Kind::album, Kind::song, Kind::playlist})
        if (rawValue(k) == text) return k;
    return std::nullopt;
}

QString PlayerPick::id() const {
    // File paths are case-sensitive here: "a.mp3" and "A.mp3" are two songs, so a song pick keeps its path
    // as it is. Artist names and album identities compare lower-cased as everywhere else; playlist UUIDs
    // may come in either case.
    if (kind == Kind::song) return rawValue(kind) + QLatin1Char(':') + key;
    return rawValue(kind) + QLatin1Char(':') + Text::lower(key);
}

QList<Song> PlayerPick::songs(const LibraryStore& library, const PlaylistStore& playlists,
                              const LikesAndPlays& player) const {
    switch (kind) {
    case Kind::artist:
        if (auto a = library.artist(key)) return a->songs();
        return {};
    case Kind::album:
        if (auto a = library.album(key)) return a->songs;
        return {};
    case Kind::song:
        if (auto s = library.song(key)) return {*s};
        return {};
    case Kind::playlist: {
        auto uuid = Playlist::uuid(key);
        if (!uuid) return {};
        auto p = playlists.playlist(*uuid);
        if (!p) return {};
        return playlists.songs(*p, library, player);
    }
    }
    return {};
}

QJsonObject PlayerPick::toJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("kind"), rawValue(kind));
    o.insert(QStringLiteral("key"), key);
    o.insert(QStringLiteral("name"), name);
    if (by) o.insert(QStringLiteral("by"), *by);
    return o;
}

std::optional<PlayerPick> PlayerPick::fromJson(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue kind = o.value(QLatin1String("kind"));
    const QJsonValue key = o.value(QLatin1String("key"));
    const QJsonValue name = o.value(QLatin1String("name"));
    const QJsonValue by = o.value(QLatin1String("by"));
    if (!kind.isString() || !key.isString() || !name.isString()) return std::nullopt;
    auto k = kindFromRawValue(kind.toString());
    if (!k) return std::nullopt;
    PlayerPick pick{*k, key.toString(), name.toString(), std::nullopt};
    if (by.isString())
        pick.by = by.toString();
    else if (!by.isUndefined() && !by.isNull())
        return std::nullopt;
    return pick;
}

QByteArray PlayerPick::toJsonBytes() const {
    return QJsonDocument(toJson()).toJson(QJsonDocument::Compact);
}

std::optional<PlayerPick> PlayerPick::fromJsonBytes(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    return fromJson(doc.object());
}

QMimeData* PlayerPick::toMimeData() const {
    auto* data = new QMimeData;
    data->setData(mimeType, toJsonBytes());
    return data;
}

std::optional<PlayerPick> PlayerPick::fromMimeData(const QMimeData& data) {
    if (!data.hasFormat(mimeType)) return std::nullopt;
    return fromJsonBytes(data.data(mimeType));
}

size_t qHash(const PlayerPick& pick, size_t seed) {
    return qHash(pick.id(), seed);
}
