#pragma once

#include "MprisService.h"

#include <QDBusAbstractAdaptor>

// The two interfaces of an MPRIS 2 player, as QtDBus adaptors on the MprisService object. They only
// translate: every value and decision is the service's.

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)

public:
    explicit MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service) {}

    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const { return QStringLiteral("VELTO"); }
    QString desktopEntry() const { return QStringLiteral("velto"); }
    // The player plays only what the collection holds; it opens nothing handed to it from outside.
    QStringList supportedUriSchemes() const { return {}; }
    QStringList supportedMimeTypes() const { return {}; }

public slots:
    void Raise() { emit m_service->raiseRequested(); }
    void Quit() { emit m_service->quitRequested(); }

private:
    MprisService* m_service;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)

public:
    explicit MprisPlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), m_service(service) {}

    QString playbackStatus() const { return m_service->playbackStatus(); }
    // The player knows one speed.
    double rate() const { return 1.0; }
    void setRate(double rate) { m_service->setRate(rate); }
    QVariantMap metadata() const { return m_service->metadata(); }
    double volume() const { return m_service->volume(); }
    void setVolume(double volume) { m_service->setVolume(volume); }
    qlonglong position() const { return m_service->position(); }
    bool canGoNext() const { return m_service->abilities().next; }
    bool canGoPrevious() const { return m_service->abilities().previous; }
    bool canPlay() const { return m_service->abilities().play; }
    bool canPause() const { return m_service->abilities().pause; }
    bool canSeek() const { return m_service->abilities().seek; }
    bool canControl() const { return true; }

public slots:
    void Next() { m_service->command(NowPlayingCenter::Command::nextTrack); }
    void Previous() { m_service->command(NowPlayingCenter::Command::previousTrack); }
    void Pause() { m_service->command(NowPlayingCenter::Command::pause); }
    void PlayPause() { m_service->command(NowPlayingCenter::Command::togglePlayPause); }
    // The player has no stopped state of its own: stopping pauses, which keeps the song and its listen.
    void Stop() { m_service->command(NowPlayingCenter::Command::pause); }
    void Play() { m_service->command(NowPlayingCenter::Command::play); }
    void Seek(qlonglong Offset) { m_service->seekBy(Offset); }
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
        m_service->setPosition(TrackId, Position);
    }
    // No URI scheme is supported (see SupportedUriSchemes), so there is nothing to open.
    void OpenUri(const QString& Uri) { Q_UNUSED(Uri); }

signals:
    void Seeked(qlonglong Position);

private:
    MprisService* m_service;
};
