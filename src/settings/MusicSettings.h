#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include "SettingsController.h"
#include "library/LibraryStore.h"
#include "playback/LastFMStore.h"

// What the music section of the settings page shows and does: the collection's figures, the music folder,
// watching it, adding music, and the Last.fm key with its status. The key being typed and whether the user
// is changing the stored one belong to the page's visit (`page`).
class MusicSettings : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    Q_PROPERTY(LastFMStore* lastFM READ lastFM WRITE setLastFM NOTIFY lastFMChanged)
    Q_PROPERTY(SettingsController* page READ page WRITE setPage NOTIFY pageChanged)

    // The figures, grouped by the current locale, and the size on disk.
    Q_PROPERTY(QString songs READ songs NOTIFY collectionChanged)
    Q_PROPERTY(QString albums READ albums NOTIFY collectionChanged)
    Q_PROPERTY(QString artists READ artists NOTIFY collectionChanged)
    Q_PROPERTY(QString onDisk READ onDisk NOTIFY collectionChanged)
    // Empty when the library set no second copies aside.
    Q_PROPERTY(QString duplicatesNote READ duplicatesNote NOTIFY collectionChanged)
    Q_PROPERTY(QString folderPath READ folderPath NOTIFY folderChanged)
    Q_PROPERTY(bool scanning READ scanning NOTIFY scanningChanged)

    // The Last.fm row: connected (look up, change key, forget) or entering a key.
    Q_PROPERTY(bool connected READ connected NOTIFY lastFMStateChanged)
    // "save" and Return act only when the draft holds more than white space.
    Q_PROPERTY(bool canSave READ canSave NOTIFY lastFMStateChanged)
    // { text, on } for the row's status line.
    Q_PROPERTY(QVariantMap status READ status NOTIFY statusChanged)
    // Where a user makes an API account.
    Q_PROPERTY(QUrl keyPage READ keyPage CONSTANT)

public:
    explicit MusicSettings(QObject* parent = nullptr);

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    LastFMStore* lastFM() const { return m_lastFM; }
    void setLastFM(LastFMStore* lastFM);
    SettingsController* page() const { return m_page; }
    void setPage(SettingsController* page);

    QString songs() const;
    QString albums() const;
    QString artists() const;
    QString onDisk() const;
    QString duplicatesNote() const;
    QString folderPath() const;
    bool scanning() const;
    bool connected() const;
    bool canSave() const;
    QVariantMap status() const;
    static QUrl keyPage() { return QUrl(QStringLiteral("https://www.last.fm/api/account/create")); }

    // A figure in the user's locale: 12345 → "12,345" (en_US), "12.345" (de_DE).
    static QString figure(qint64 n);
    // The note on second copies; empty for none. The count is plain digits.
    static QString duplicatesText(qint64 n);
    struct Status {
        QString text;
        bool on = false;
        friend bool operator==(const Status&, const Status&) = default;
    };
    // The Last.fm status, first match wins. `status` is the store's (a null string when it has none);
    // `lookedUp` of `total` library artists are in its cache.
    static Status lastFMStatus(bool hasKey, bool trouble, const QString& status, qsizetype lookedUp,
                               qsizetype total);
    // Library artists whose lower-cased name is in the Last.fm cache.
    qsizetype lookedUp() const { return m_lookedUp; }

    Q_INVOKABLE void chooseFolder();
    Q_INVOKABLE void scan();
    Q_INVOKABLE void addMusic();
    // Stores the switch, starts or stops the watch, and scans when turned on.
    Q_INVOKABLE void setWatching(bool on);

    // Stores the trimmed draft and looks every artist up again; a draft of white space does nothing.
    Q_INVOKABLE void saveKey();
    Q_INVOKABLE void changeKey();
    // Back to connected; the draft stays as typed.
    Q_INVOKABLE void cancelKey();
    // Every library artist, in library order, looked up anew.
    Q_INVOKABLE void lookUp();
    Q_INVOKABLE void forget();

signals:
    void libraryChanged();
    void lastFMChanged();
    void pageChanged();
    void collectionChanged();
    void folderChanged();
    void scanningChanged();
    void lastFMStateChanged();
    void statusChanged();

private:
    void recount();
    QStringList artistNames() const;

    QPointer<LibraryStore> m_library;
    QPointer<LastFMStore> m_lastFM;
    QPointer<SettingsController> m_page;
    QList<QMetaObject::Connection> m_libraryConnections;
    QList<QMetaObject::Connection> m_lastFMConnections;
    QList<QMetaObject::Connection> m_pageConnections;
    qsizetype m_lookedUp = 0;
};
