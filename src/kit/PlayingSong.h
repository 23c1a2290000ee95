#pragma once

#include "library/LibraryStore.h"
#include "playback/Player.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The song the player is on, as the playing controls show it: it follows the queue and the index, and is
// absent (every field empty, duration 0) when nothing is current.
class PlayingSong : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY sourceChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY sourceChanged)
    Q_PROPERTY(bool present READ present NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString artist READ artist NOTIFY changed)
    Q_PROPERTY(QString albumArtist READ albumArtist NOTIFY changed)
    Q_PROPERTY(double duration READ duration NOTIFY changed)
    Q_PROPERTY(QString path READ path NOTIFY changed)
    Q_PROPERTY(QUrl artwork READ artwork NOTIFY changed)
public:
    explicit PlayingSong(QObject* parent = nullptr) : QObject(parent) {}

    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);

    bool present() const { return m_present; }
    QString title() const { return m_title; }
    QString artist() const { return m_artist; }
    QString albumArtist() const { return m_albumArtist; }
    double duration() const { return m_duration; }
    QString path() const { return m_path; }
    QUrl artwork() const { return m_artwork; }

signals:
    void sourceChanged();
    void changed();

private:
    void update();

    QPointer<Player> m_player;
    QPointer<LibraryStore> m_library;
    bool m_present = false;
    QString m_title, m_artist, m_albumArtist, m_path;
    double m_duration = 0;
    QUrl m_artwork;
};
