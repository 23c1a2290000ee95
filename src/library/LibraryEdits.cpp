#include "LibraryEdits.h"

#include "core/DataFolder.h"
#include "core/JsonFile.h"

#include <QJsonDocument>

namespace {

QJsonObject mapToJson(const QHash<QString, QString>& map) {
    QJsonObject o;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

bool mapFromJson(const QJsonObject& parent, const char* key, QHash<QString, QString>& out) {
    const QJsonValue v = parent.value(QLatin1String(key));
    if (!v.isObject()) return false;
    const QJsonObject o = v.toObject();
    out.reserve(o.size());
    for (auto it = o.constBegin(); it != o.constEnd(); ++it) {
        if (!it.value().isString()) return false;
        out.insert(it.key(), it.value().toString());
    }
    return true;
}

} // namespace

QList<Song> LibraryEdits::apply(const QList<Song>& songs) const {
    if (songTitles.isEmpty() && albumTitles.isEmpty()) return songs;
    QList<QString> albumIDs;
    if (!albumTitles.isEmpty()) {
        albumIDs.reserve(songs.size());
        for (const Song& s : songs)
            albumIDs.append(s.albumID());
    }
    return apply(songs, albumIDs);
}

QList<Song> LibraryEdits::apply(const QList<Song>& songs, const QList<QString>& albumIDs) const {
    if (songTitles.isEmpty() && albumTitles.isEmpty()) return songs;
    QList<Song> out = songs; // shared until the first edit that applies
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (auto title = songTitles.constFind(out.at(i).url.path); title != songTitles.cend()) {
            Song& s = out[i];
            s.taggedTitle = s.title;
            s.title = *title;
        }
        if (albumTitles.isEmpty()) continue;
        // The key is the album identity before the name is replaced, so an edited album keeps it.
        if (auto album = albumTitles.constFind(albumIDs.at(i)); album != albumTitles.cend()) {
            Song& s = out[i];
            s.taggedAlbum = s.album;
            s.album = *album;
        }
    }
    return out;
}

std::optional<FileUrl> LibraryEdits::cover(const QString& albumID) const {
    auto it = covers.constFind(albumID);
    if (it == covers.cend()) return std::nullopt;
    return FileUrl::fromPath(coverFolder() + QLatin1Char('/') + *it);
}

bool LibraryEdits::save() const {
    DataFolder::ensure(DataFolder::path());
    return JsonFile::write(file(), QJsonDocument(toJson()));
}

LibraryEdits LibraryEdits::load() {
    auto edits =
        JsonFile::load<LibraryEdits>(file(), [](const QJsonDocument& doc) -> std::optional<LibraryEdits> {
            if (!doc.isObject()) return std::nullopt;
            return fromJson(doc.object());
        });
    return edits.value_or(LibraryEdits{});
}

QString LibraryEdits::file() {
    return DataFolder::file(QStringLiteral("edits.json"));
}
QString LibraryEdits::coverFolder() {
    return DataFolder::file(QStringLiteral("Covers"));
}

QJsonObject LibraryEdits::toJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("songTitles"), mapToJson(songTitles));
    o.insert(QStringLiteral("albumTitles"), mapToJson(albumTitles));
    o.insert(QStringLiteral("covers"), mapToJson(covers));
    return o;
}

std::optional<LibraryEdits> LibraryEdits::fromJson(const QJsonObject& object) {
    LibraryEdits e;
    if (!mapFromJson(object, "songTitles", e.songTitles) ||
        !mapFromJson(object, "albumTitles", e.albumTitles) || !mapFromJson(object, "covers", e.covers))
        return std::nullopt;
    return e;
}
