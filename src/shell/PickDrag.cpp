#include "PickDrag.h"

#include "AppStores.h"
#include "artwork/ArtworkCache.h"
#include "look/AccentStore.h"
#include "look/ShellObjects.h"

#include <QDrag>
#include <QJSValue>
#include <QJsonValue>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <cmath>

void PickDragSource::setPick(const QVariant& pick) {
    m_pickValue = pick;
    m_pick = pickFrom(pick);
    emit pickChanged();
}

std::optional<PlayerPick> PickDragSource::pickFrom(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<PlayerPick>()) return value.value<PlayerPick>();
    // A JS object arrives as a map (or a JS value that becomes one); a JSON object as itself.
    QVariant plain = value;
    if (plain.metaType() == QMetaType::fromType<QJSValue>()) plain = plain.value<QJSValue>().toVariant();
    return PlayerPick::fromJson(QJsonValue::fromVariant(plain));
}

QMimeData* PickDragSource::mimeData() const {
    return m_pick ? m_pick->toMimeData() : nullptr;
}

DragCard::Sources PickDragSource::sourcesOf(QQmlEngine* engine) {
    DragCard::Sources s;
    if (!engine) return s;
    AppStores* stores = AppStores::create(engine, nullptr);
    s.library = stores->library;
    s.playlists = stores->playlists;
    s.player = stores->player;
    s.pictures = stores->pictures;
    s.artwork = ArtworkCache::create(engine, nullptr);
    return s;
}

DragCard PickDragSource::card() const {
    if (!m_pick) return {};
    return DragCard::make(*m_pick, sourcesOf(qmlEngine(this)));
}

void PickDragSource::start(QQuickItem* item) {
    if (!m_pick || !item || m_dragging) return;
    setDragging(true);
    // The platform drag runs its own event loop: let the pointer event that started it finish first.
    QPointer<QQuickItem> source(item);
    QMetaObject::invokeMethod(
        this,
        [this, source] {
            if (source && source->window()) {
                run(source);
            } else {
                setDragging(false);
            }
        },
        Qt::QueuedConnection);
}

void PickDragSource::run(QQuickItem* item) {
    const DragCard shown = card();
    const Accent accent = [&] {
        if (AccentStore* store = ShellObjects::accentStore(qmlEngine(this))) return store->drawn();
        return Accent::magenta();
    }();
    const double ratio = item->window()->effectiveDevicePixelRatio();
    const QImage picture = shown.paint(ratio, accent.from, accent.to);

    auto* drag = new QDrag(item);
    drag->setMimeData(mimeData());
    drag->setPixmap(QPixmap::fromImage(picture));
    // The pointer holds the card by its picture.
    drag->setHotSpot(QPoint(int(std::lround(DragCard::inset + DragCard::artSide / 2)),
                            int(std::lround(shown.size().height() / 2))));
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    setDragging(false);
    emit finished(action != Qt::IgnoreAction);
}

void PickDragSource::setDragging(bool on) {
    if (m_dragging == on) return;
    m_dragging = on;
    emit draggingChanged();
}

QJsonObject Picks::artist(const QString& name) {
    return PlayerPick::artist(name).toJson();
}

QJsonObject Picks::album(const QVariant& album) {
    if (!album.canConvert<Album>()) return {};
    return PlayerPick::album(album.value<Album>()).toJson();
}

QJsonObject Picks::song(const QVariant& song) {
    if (!song.canConvert<Song>()) return {};
    return PlayerPick::song(song.value<Song>()).toJson();
}

QJsonObject Picks::playlist(const QVariant& playlist) {
    if (!playlist.canConvert<Playlist>()) return {};
    return PlayerPick::playlist(playlist.value<Playlist>()).toJson();
}
