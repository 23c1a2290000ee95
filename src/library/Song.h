#pragma once

#include "FileUrl.h"
#include "core/Date.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <optional>

// One playable file of the music folder. A plain value: the library store changes its own copies (album
// artists, edits), so two values with one `url` can differ; equality covers all sixteen fields.
struct Song {
    Q_GADGET
    QML_VALUE_TYPE(song)
    // What the views read; a song that is none (no file) reads `valid` false and empty fields.
    Q_PROPERTY(bool valid READ isValid CONSTANT)
    Q_PROPERTY(QUrl url READ fileUrl CONSTANT)
    Q_PROPERTY(QString path READ path CONSTANT)
    Q_PROPERTY(QString title MEMBER title CONSTANT)
    Q_PROPERTY(QString artist MEMBER artist CONSTANT)
    Q_PROPERTY(QString album MEMBER album CONSTANT)
    Q_PROPERTY(QString albumArtist MEMBER albumArtist CONSTANT)
    Q_PROPERTY(QString albumID READ albumID CONSTANT)
    Q_PROPERTY(qint64 disc MEMBER disc CONSTANT)
    Q_PROPERTY(qint64 track MEMBER track CONSTANT)
    Q_PROPERTY(double duration MEMBER duration CONSTANT)
    Q_PROPERTY(QString genre READ genreText CONSTANT)
    // 0 when the song has no year.
    Q_PROPERTY(qint64 year READ yearNumber CONSTANT)
    Q_PROPERTY(QDateTime added READ addedTime CONSTANT)
    Q_PROPERTY(QDateTime modified READ modifiedTime CONSTANT)
    Q_PROPERTY(qint64 bytes MEMBER bytes CONSTANT)

public:
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

    bool isValid() const { return !url.isEmpty(); }
    QUrl fileUrl() const { return url.isEmpty() ? QUrl() : url.toUrl(); }
    QString genreText() const { return genre.value_or(QString()); }
    qint64 yearNumber() const { return year.value_or(0); }
    QDateTime addedTime() const { return toTime(added); }
    QDateTime modifiedTime() const { return toTime(modified); }
    static QDateTime toTime(Date date) {
        return QDateTime::fromMSecsSinceEpoch(qint64(date.unixSeconds() * 1000), Qt::UTC);
    }

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
