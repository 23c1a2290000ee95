#pragma once

#include "CoverWall.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QQmlParserStatus>
#include <QTimer>
#include <QtQml/qqmlregistration.h>
#include <memory>
#include <random>

#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"

// The 72 tiles of the cover wall behind Now Playing, one row each; a flip changes one row. It leans toward
// the playing song's album artist, keeps copies of one picture apart, and flips one or two tiles about
// every second, or 36 in a ripple when another artist starts.
class CoverWallModel : public QAbstractListModel, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    Q_PROPERTY(ArtistImageStore* pictures READ pictures WRITE setPictures NOTIFY picturesChanged)
    // The album artist of the playing song, as the song spells it; undefined while nothing plays.
    Q_PROPERTY(QVariant albumArtist READ albumArtistValue WRITE setAlbumArtistValue NOTIFY albumArtistChanged)
    Q_PROPERTY(bool running READ running WRITE setRunning NOTIFY runningChanged)
public:
    enum Role { ItemIdRole = Qt::UserRole + 1, UrlRole, PictureOfRole, SpanRole, AxisXRole, IntroDelayRole };

    explicit CoverWallModel(QObject* parent = nullptr);
    ~CoverWallModel() override;

    // Made in QML, the wall is dealt once all its properties are in: one deal, already leaning toward the
    // playing artist, rather than one for each property as it arrives.
    void classBegin() override { m_building = true; }
    void componentComplete() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    ArtistImageStore* pictures() const { return m_pictures; }
    void setPictures(ArtistImageStore* pictures);
    QVariant albumArtistValue() const;
    void setAlbumArtistValue(const QVariant& value);
    void setAlbumArtist(const std::optional<QString>& name);
    // The schedule runs only while the wall is on screen.
    bool running() const { return m_timer.isActive() || m_running; }
    void setRunning(bool running);

    // Tests: a seeded generator, the library and pictures as functions, and one step of the schedule at a
    // time (`nextWait()` seconds apart).
    void seed(unsigned value) { m_random.seed(value); }
    void setSources(WallDealer::Sources sources);
    double nextWait() { return m_schedule.nextWait(); }
    int step();
    WallDealer& dealer() { return *m_dealer; }
    WallSchedule& schedule() { return m_schedule; }

signals:
    void libraryChanged();
    void picturesChanged();
    void albumArtistChanged();
    void runningChanged();

private:
    void rebuildDealer();
    void fillIfEmpty();
    void scheduleNext();
    void picturesMoved();

    QPointer<LibraryStore> m_library;
    QPointer<ArtistImageStore> m_pictures;
    std::mt19937 m_random{std::random_device{}()};
    std::unique_ptr<WallDealer> m_dealer;
    WallSchedule m_schedule{m_random};
    QTimer m_timer;
    bool m_running = false;
    bool m_building = false;
    QList<QMetaObject::Connection> m_connections;
};
