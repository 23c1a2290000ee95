#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// The pictures the user chose for artists: one JPEG per artist in "Artist Pictures", named after the
// lower-cased artist name. Which artists have one is listed once, when the store is made; the pictures are
// read only when first asked for and then kept. Music files are never touched, and nothing here is reported
// to the user: a failure simply leaves no picture.
class ArtistImageStore : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
    Q_PROPERTY(QStringList artists READ artists NOTIFY artistsChanged)

public:
    // Pictures are stored at most this many pixels on their longer side.
    static constexpr int maxSide = 1400;
    static constexpr int jpegQuality = 88;

    explicit ArtistImageStore(QObject* parent = nullptr);

    // In file-browser order (case-insensitive, digits by value). Names listed at start are lower-cased;
    // one added during the run keeps the letter case it was given.
    const QStringList& artists() const { return m_artists; }

    Q_INVOKABLE bool has(const QString& artist) const;
    // The artist's picture, read from disk on the first request; null when there is none. An artist not
    // listed is never looked up on disk.
    QImage image(const QString& artist);
    // Stores the picture file at `picture` as the artist's picture. False, with nothing changed, when the
    // file is not a picture or the picture cannot be written.
    Q_INVOKABLE bool set(const QUrl& picture, const QString& artist);
    Q_INVOKABLE void remove(const QString& artist);

    // The picture chooser's answer: a confirmed local file is stored, anything else (a cancel gives an
    // empty URL) does nothing.
    Q_INVOKABLE void chosen(const QUrl& picture, const QString& artist);
    Q_INVOKABLE static QString chooseButton() { return QStringLiteral("Use Picture"); }
    Q_INVOKABLE static QString chooseMessage(const QString& artist) {
        return QStringLiteral("Choose a picture of ") + artist + QLatin1Char('.');
    }

    static QString folder();
    // The file of an artist inside `folder()`: the lower-cased name with everything but letters, marks and
    // digits percent-encoded, then ".jpg"; so no name can reach outside the folder.
    static QString fileName(const QString& artist);
    // The name a picture file stands for, or nothing when its name is not one `fileName` makes.
    static std::optional<QString> artistName(const QString& fileName);

    // The program's one JPEG writer, for artist pictures and chosen covers alike: the longer side at most
    // `maxSide` pixels (never enlarged), quality `jpegQuality`. Nothing for a null picture.
    static std::optional<QByteArray> jpeg(const QImage& picture);
    // Reads a picture file, turned upright as its orientation tag says; null when it is not a picture.
    static QImage load(const QString& path);
    // The size `jpeg` stores a picture of `size` at.
    static QSize storedSize(QSize size);

signals:
    void artistsChanged();
    // The picture file of an artist was written anew or removed: whatever showed it is stale.
    void pictureFileChanged(const QString& path);

private:
    void sortArtists();

    QStringList m_artists;
    QHash<QString, QImage> m_cache;
};
