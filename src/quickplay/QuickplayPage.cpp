#include "QuickplayPage.h"

#include "QuickplayModel.h"
#include "core/Defaults.h"
#include "core/Text.h"
#include "kit/DropMenu.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/look/Motion.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

using QuickplayView::Half;

namespace {

const QString frontKey = QStringLiteral("quickplayFront");
constexpr int maxSmartDJ = 5;

Half other(Half half) {
    return half == Half::collection ? Half::smartDJ : Half::collection;
}

// The swap's spring runs until its swing is below a thousandth of the way.
double travelSeconds() {
    const double omega = 2 * M_PI / QuickplayPage::travelResponse;
    return std::log(1000.0) / (QuickplayPage::travelDamping * omega);
}

qreal travelEase(qreal progress) {
    // The swing left at the end is below a thousandth, but the half must come to rest at its exact size
    // and place.
    if (progress >= 1) return 1;
    return Motion::springAt(progress * travelSeconds(), QuickplayPage::travelResponse,
                            QuickplayPage::travelDamping);
}

} // namespace

double QuickplayLayout::scaleFor(double w, double h) {
    return std::clamp(std::min((w - 160) / 900, (h - 120) / 290), 1.0, 2.0);
}

QuickplayLayout QuickplayLayout::of(double w, double h, Half front) {
    QuickplayLayout out;
    out.scale = scaleFor(w, h);
    const QuickplayMetrics m{out.scale};
    const double hF = m.height(front);
    const double hB = m.height(other(front));
    out.top = std::max(0.0, (h - hF - 36 * out.scale - hB / 2) / 2 - 12);
    out.backTop = out.top + hF + 36 * out.scale;
    const double tileRow = std::round(132 * out.scale);
    out.titleSize = tileRow * 0.55;
    out.titleY = out.top + 12 - 0.8 * tileRow;
    out.titleBox = 32 * out.scale + 5 * std::round(176 * out.scale);
    return out;
}

namespace QuickColumns {

QList<ColumnCut> cuts(int column) {
    switch (column) {
    case 0:
        return {ColumnCut::pair, ColumnCut::big, ColumnCut::pair};
    case 1:
        return {ColumnCut::big, ColumnCut::wide, ColumnCut::pair, ColumnCut::medium, ColumnCut::pair};
    default:
        return {ColumnCut::big, ColumnCut::pair, ColumnCut::medium, ColumnCut::wide, ColumnCut::pair};
    }
}

QList<ColumnCut> outlineCuts(int column) {
    if (column == 0) return {ColumnCut::pair, ColumnCut::pair, ColumnCut::big};
    return {ColumnCut::big, ColumnCut::pair};
}

QString title(int column) {
    static const QString titles[] = {QStringLiteral("pins"), QStringLiteral("new"),
                                     QStringLiteral("history")};
    return titles[std::clamp(column, 0, 2)];
}

QString hint(int column) {
    switch (column) {
    case 0:
        return QStringLiteral(
            "To add things to Quickplay, right-click an album or artist and choose Pin to Quickplay.");
    case 1:
        return QStringLiteral("Albums and artists you add show up here until you play them.");
    default:
        return QStringLiteral("Albums you play show up here.");
    }
}

int wave(int column) {
    static const int waves[] = {1, 5, 10};
    return waves[std::clamp(column, 0, 2)];
}

QList<ColumnSlot> mosaic(int count, const QList<ColumnCut>& cuts, const QuickplayMetrics& m) {
    QList<ColumnSlot> out;
    if (cuts.isEmpty()) return out;
    double x = 0;
    int taken = 0;
    for (int k = 0; taken < count; ++k) {
        const ColumnCut cut = cuts.at(k % cuts.size());
        const int n = std::min(QuickplayMetrics::items(cut), count - taken);
        double y = 0, width = 0;
        for (int place = 0; place < n; ++place) {
            const QSizeF size = m.tileSize(cut, place);
            out.append({QRectF(QPointF(x, y), size), k, place});
            y += size.height() + m.gap();
            width = std::max(width, size.width());
        }
        x += width + m.gap();
        taken += n;
    }
    return out;
}

QList<ColumnSlot> outlines(const QList<ColumnCut>& cuts, const QuickplayMetrics& m) {
    QList<ColumnSlot> out;
    double x = 0;
    for (int k = 0; k < cuts.size(); ++k) {
        double y = 0, width = 0;
        for (int place = 0; place < QuickplayMetrics::items(cuts[k]); ++place) {
            const QSizeF size = m.tileSize(cuts[k], place);
            out.append({QRectF(QPointF(x, y), size), k, place});
            y += size.height() + m.gap();
            width = std::max(width, size.width());
        }
        x += width + m.gap();
    }
    return out;
}

double scrollToShow(double contentX, double viewWidth, double contentWidth, double left, double right) {
    double x = contentX;
    if (right > x + viewWidth) x = right - viewWidth;
    if (left < x) x = left;
    return std::clamp(x, 0.0, std::max(0.0, contentWidth - viewWidth));
}

} // namespace QuickColumns

QuickplayPage::QuickplayPage(QObject* parent) : QObject(parent) {}

void QuickplayPage::setModel(QuickplayModel* model) {
    if (model == m_model) return;
    m_model = model;
    disconnect(m_rebuilt);
    auto follow = [this] {
        const bool empty = !m_model || !m_model->library() || m_model->library()->songs().isEmpty();
        if (empty == m_empty) return;
        m_empty = empty;
        emit emptyChanged();
    };
    if (model) m_rebuilt = connect(model, &QuickplayModel::rebuilt, this, follow);
    follow();
    emit modelChanged();
}

void QuickplayPage::setDefaults(Defaults* defaults) {
    if (defaults == m_defaults) return;
    m_defaults = defaults;
    // Only the exact raw value brings Smart DJ to the front; anything else, or nothing, is the collection.
    const Half front = defaults && defaults->stringValue(frontKey) == QLatin1String("smartDJ")
                           ? Half::smartDJ
                           : Half::collection;
    emit defaultsChanged();
    if (front != m_front) {
        m_front = front;
        emit frontChanged();
        emit layoutChanged();
    }
}

void QuickplayPage::setWidth(double w) {
    if (w == m_width) return;
    m_width = w;
    emit layoutChanged();
}

void QuickplayPage::setHeight(double h) {
    if (h == m_height) return;
    m_height = h;
    emit layoutChanged();
}

void QuickplayPage::setCursor(const QString& id) {
    if (id == m_cursor) return;
    m_cursor = id;
    emit cursorChanged();
}

void QuickplayPage::setAddingSmartDJ(bool on) {
    if (on == m_adding) return;
    m_adding = on;
    emit addingSmartDJChanged();
}

int QuickplayPage::swapMs() const {
    return m_reduceMotion ? reducedSwapMs : int(std::lround(travelSeconds() * 1000));
}

QEasingCurve QuickplayPage::swap() const {
    if (m_reduceMotion) return Motion::easeInOutCurve();
    QEasingCurve curve;
    curve.setCustomType(travelEase);
    return curve;
}

QStringList QuickplayPage::tilesOf(Half half) const {
    QStringList out;
    if (!m_model) return out;
    const QuickplayContent& content = m_model->content();
    if (half == Half::collection) {
        for (const QuickItem& item : content.collection())
            out.append(item.id());
        return out;
    }
    for (const Artist& artist : content.smartDJ)
        out.append(QStringLiteral("dj:") + Text::lower(artist.name));
    if (content.smartDJ.size() < maxSmartDJ) out.append(QStringLiteral("dj:add"));
    return out;
}

QStringList QuickplayPage::tiles() const {
    return tilesOf(m_front);
}

void QuickplayPage::step(int delta) {
    const QStringList ids = tiles();
    if (ids.isEmpty()) return;
    const qsizetype at = ids.indexOf(m_cursor);
    if (m_cursor.isEmpty() || at < 0) {
        setCursor(ids.first());
        return;
    }
    setCursor(ids.at(std::clamp<qsizetype>(at + delta, 0, ids.size() - 1)));
}

void QuickplayPage::bringForward(Half half) {
    if (half == m_front) return;
    m_front = half;
    if (m_defaults) m_defaults->set(frontKey, QuickplayView::rawValue(half));
    if (!m_reduceMotion) {
        ++m_arrivals[half == Half::collection ? 0 : 1];
        emit arrivalsChanged();
    }
    if (!m_cursor.isEmpty()) {
        // The content as it is now: a rebuild may be waiting on the event loop.
        if (m_model) m_model->refresh();
        const QStringList ids = tiles();
        setCursor(ids.isEmpty() ? QString() : ids.first());
    }
    emit frontChanged();
    emit layoutChanged();
}

bool QuickplayPage::key(int key, int modifiers) {
    if (m_empty) return false;
    // Menu shortcuts keep their arrows: only Shift may be held.
    const bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!plain) return false;
        step(key == Qt::Key_Left ? -1 : 1);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!plain) return false;
        bringForward(other(m_front));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !m_cursor.isEmpty() && tiles().contains(m_cursor) && open(m_cursor);
    default:
        return false;
    }
}

const QuickItem* QuickplayPage::item(const QString& id) const {
    if (!m_model) return nullptr;
    const QuickplayContent& content = m_model->content();
    for (const auto* list : {&content.pins, &content.newItems})
        for (const QuickItem& item : *list)
            if (item.id() == id) return &item;
    return nullptr;
}

bool QuickplayPage::open(const QString& id) {
    if (!m_model) return false;
    if (id == QLatin1String("dj:add")) {
        setAddingSmartDJ(true);
        return true;
    }
    if (id.startsWith(QLatin1String("dj:"))) {
        for (const Artist& artist : m_model->content().smartDJ)
            if (QStringLiteral("dj:") + Text::lower(artist.name) == id) {
                startSmartDJ(artist.name);
                return true;
            }
        return false;
    }
    if (id.startsWith(QLatin1String("artist:"))) {
        const QuickItem* found = item(id);
        if (!found) return false;
        showArtist(found->asArtist()->name);
        return true;
    }
    if (!tilesOf(Half::collection).contains(id)) return false;
    play(id);
    return true;
}

namespace {

QList<Song> songsOf(const QuickplayContent& content, const QString& id) {
    for (const Album& album : content.history)
        if (QStringLiteral("album:") + album.id() == id) return album.songs;
    for (const auto* list : {&content.pins, &content.newItems})
        for (const QuickItem& item : *list) {
            if (item.id() != id) continue;
            if (const Album* album = item.asAlbum()) return album->songs;
            if (const auto* playlist = item.asPlaylist()) return playlist->songs;
            if (const Artist* artist = item.asArtist()) {
                QList<Song> songs;
                for (const Album& album : artist->albums)
                    songs += album.songs;
                return songs;
            }
        }
    return {};
}

} // namespace

void QuickplayPage::play(const QString& id, bool shuffled) {
    if (!m_model || !m_model->player()) return;
    QList<Song> songs = songsOf(m_model->content(), id);
    if (songs.isEmpty()) return;
    if (shuffled) std::shuffle(songs.begin(), songs.end(), *QRandomGenerator::global());
    m_model->player()->play(songs, 0, std::nullopt);
}

void QuickplayPage::enqueue(const QString& id) {
    if (!m_model || !m_model->player()) return;
    const QList<Song> songs = songsOf(m_model->content(), id);
    if (!songs.isEmpty()) m_model->player()->enqueue(songs);
}

void QuickplayPage::showArtist(const QString& name) {
    if (m_model && m_model->app()) m_model->app()->show(name, std::nullopt);
}

void QuickplayPage::startSmartDJ(const QString& name) {
    if (!m_model || !m_model->player() || !m_model->app()) return;
    m_model->player()->smartDJ(QVariant(name));
    m_model->app()->go(Nav::Page::nowPlaying);
}

QString QuickplayPage::pinOf(const QString& id) const {
    const qsizetype colon = id.indexOf(QLatin1Char(':'));
    if (colon < 0) return {};
    const QString kind = id.left(colon);
    if (kind == QLatin1String("dj")) return Pin::artist(id.mid(colon + 1)).stored();
    if (kind == QLatin1String("artist")) {
        // Pins keep the artist's name as the library spells it.
        if (const QuickItem* found = item(id)) return Pin::artist(found->asArtist()->name).stored();
        return Pin::artist(id.mid(colon + 1)).stored();
    }
    if (kind == QLatin1String("album") || kind == QLatin1String("playlist")) return id;
    return {};
}

bool QuickplayPage::pinned(const QString& id) const {
    return m_model && m_model->app() && m_model->app()->isPinned(pinOf(id));
}

void QuickplayPage::togglePin(const QString& id) {
    const QString stored = pinOf(id);
    if (m_model && m_model->app() && !stored.isEmpty()) m_model->app()->togglePin(stored);
}

void QuickplayPage::toggleSmartDJ(const QString& name) {
    if (m_model && m_model->app()) m_model->app()->toggleSmartDJ(name);
}

QStringList QuickplayPage::smartDJAdded(const QStringList& stored, const QString& name,
                                        const std::function<bool(const QString&)>& resolves) {
    QStringList out = stored;
    while (out.size() >= AppModel::maxSmartDJ) {
        const auto hidden =
            std::find_if(out.begin(), out.end(), [&](const QString& n) { return !resolves(n); });
        out.erase(hidden != out.end() ? hidden : out.begin());
    }
    out.append(name);
    return out;
}

void QuickplayPage::addSmartDJ(const QString& name) {
    if (!m_model || !m_model->app() || !m_model->library() || m_model->app()->hasSmartDJ(name)) return;
    const LibraryStore* library = m_model->library();
    m_model->app()->setSmartDJ(
        smartDJAdded(m_model->app()->smartDJArtists().value_or(QStringList{}), name,
                     [library](const QString& n) { return library->artist(n).has_value(); }));
}

QStringList QuickplayPage::addChoices() const {
    QStringList out;
    if (!m_model || !m_model->library() || !m_model->app()) return out;
    const std::optional<QStringList>& kept = m_model->app()->smartDJArtists();
    QSet<QString> taken;
    if (kept)
        for (const QString& name : *kept)
            taken.insert(Text::lower(name));
    for (const Artist& artist : m_model->library()->artists())
        if (!taken.contains(Text::lower(artist.name))) out.append(artist.name);
    return out;
}

DropMenuPage QuickplayPage::addMenu() const {
    DropMenuSection section{QStringLiteral("add an artist"), {}};
    QPointer<QuickplayPage> self(const_cast<QuickplayPage*>(this));
    for (const QString& name : addChoices())
        section.items.emplace_back(name, false, false, [self, name] {
            if (self) self->addSmartDJ(name);
        });
    return DropMenuPage({section});
}

void QuickplayPage::openAddMenu(QQuickItem* anchor) {
    setAddingSmartDJ(false);
    QQmlEngine* engine = anchor ? qmlEngine(anchor) : nullptr;
    DropMenu* menus = engine ? DropMenu::of(engine) : nullptr;
    if (menus) menus->show(addMenu(), DropMenuAnchor::qmlAttachedProperties(anchor));
}

bool QuickplayPage::seedSmartDJ() {
    if (!m_model || !m_model->library() || m_model->library()->songs().isEmpty()) return false;
    return m_model->seedSmartDJ();
}

namespace {

QVariantList slotList(const QList<ColumnSlot>& placed) {
    QVariantList out;
    for (const ColumnSlot& s : placed)
        out.append(QVariantMap{{QStringLiteral("x"), s.rect.x()},
                               {QStringLiteral("y"), s.rect.y()},
                               {QStringLiteral("width"), s.rect.width()},
                               {QStringLiteral("height"), s.rect.height()},
                               {QStringLiteral("chunk"), s.chunk}});
    return out;
}

} // namespace

QVariantList QuickplayPage::columnSlots(int column, int count, double scale) {
    return slotList(QuickColumns::mosaic(count, QuickColumns::cuts(column), QuickplayMetrics{scale}));
}

QVariantList QuickplayPage::outlineSlots(int column, double scale) {
    return slotList(QuickColumns::outlines(QuickColumns::outlineCuts(column), QuickplayMetrics{scale}));
}
