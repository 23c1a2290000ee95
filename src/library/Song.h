#pragma once

#include "FileUrl.h"
#include "core/Date.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

// One playable file of the music folder. A plain value: the library store changes its own copies (album
// artists, edits), so two values with one `url` can differ; equality covers all sixteen fields.
struct Song {
    FileUrl url;
    QString title;
    QString artist;
    QString album;
    QString albumArtist;
    std::optional<QString> albumArtistTag;
    qint64 disc = 1;
    qint64 track = 0;
    double duration = 0;
    std::optional<QString> genre;
    std::optional<qint64> year;
    Date added;
    Date modified;
    qint64 bytes = 0;
    std::optional<QString> taggedTitle;
    std::optional<QString> taggedAlbum;

    const FileUrl& id() const { return url; }
    const QString& path() const { return url.path; }
    // Lower-cased album artist, U+0001, lower-cased album name as tagged (so a rename keeps it).
    QString albumID() const;

    QJsonObject toJson() const;
    // nullopt when a required key is missing or any key has the wrong type.
    static std::optional<Song> fromJson(const QJsonValue& value);
    // The whole list fails when one song does.
    static std::optional<QList<Song>> listFromJson(const QJsonValue& value);
    static QJsonArray listToJson(const QList<Song>& songs);

    friend bool operator==(const Song&, const Song&) = default;
};

size_t qHash(const Song& song, size_t seed = 0);

// Joins the parts of the library's composite keys.
inline constexpr QChar keySeparator = QChar(0x0001);
QString albumKey(const QString& albumArtist, const QString& albumName);
