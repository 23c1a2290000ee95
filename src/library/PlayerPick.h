#pragma once

#include "Album.h"
#include "AutoPlaylist.h"
#include "Song.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <optional>

class LibraryStore;
class PlaylistStore;
class QMimeData;

// One thing chosen for the pocket player, and the payload of every drag between the program's views: an
// artist, an album, a song or a playlist, named by the key that finds it in the library. What a pick stands
// for is worked out afresh each time its songs are asked for; a pick whose target is gone gives no songs.
struct PlayerPick {
    Q_GADGET
    Q_PROPERTY(QString kind READ kindText)
    Q_PROPERTY(QString key MEMBER key)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString by READ byText)
    Q_PROPERTY(QString id READ id)

public:
    enum class Kind { artist, album, song, playlist };

    // The drag format: the data is the JSON object of one pick, as in the picks file.
    static inline const QString mimeType = QStringLiteral("com.tovrenhalstadiq.velto.pick");

    Kind kind = Kind::song;
    // Artist name, album identity, file path or playlist UUID.
    QString key;
    QString name;
    std::optional<QString> by;

    static PlayerPick artist(const QString& name);
    static PlayerPick album(const Album& album);
    static PlayerPick song(const Song& song);
    static PlayerPick playlist(const Playlist& playlist);

    static QString rawValue(Kind kind);
    static std::optional<Kind> kindFromRawValue(const QString& text);
    QString kindText() const { return rawValue(kind); }
    QString byText() const { return by.value_or(QString()); }

    // The kind, ":" and the key, lower-cased except for a song's file path, which is kept exactly as it
    // is. Two picks are the same pick when their ids match; the name and the artist line take no part.
    QString id() const;
    friend bool operator==(const PlayerPick& a, const PlayerPick& b) { return a.id() == b.id(); }

    // The songs the pick stands for now. A song pick matches its file path exactly (paths are case-sensitive
    // here).
    QList<Song> songs(const LibraryStore& library, const PlaylistStore& playlists,
                      const LikesAndPlays& player) const;

    QJsonObject toJson() const;
    // nullopt unless "kind" is one of the four raw values and "key" and "name" are texts; "by" is optional.
    static std::optional<PlayerPick> fromJson(const QJsonValue& value);

    // Drag data: the pick's JSON under the pick format. A drop without it, or whose JSON is not a pick,
    // yields nothing.
    QMimeData* toMimeData() const;
    static std::optional<PlayerPick> fromMimeData(const QMimeData& data);
    QByteArray toJsonBytes() const;
    static std::optional<PlayerPick> fromJsonBytes(const QByteArray& bytes);
};

size_t qHash(const PlayerPick& pick, size_t seed = 0);
