#include "MenuController.h"

#include "MenuPlacement.h"

#include <QTimer>
#include <algorithm>

void TimerMenuClock::after(double seconds, QObject* context, std::function<void()> action) {
    QTimer::singleShot(int(seconds * 1000 + 0.5), context, std::move(action));
}

MenuController::MenuController(DropMenuPage page, QRectF anchorRect, bool atPointer, MenuHost* host,
                               MenuClock& clock, std::function<void()> onClose, QObject* parent)
    : QObject(parent), m_host(host), m_hostObject(host ? host->hostObject() : nullptr), m_clock(clock),
      m_anchorRect(anchorRect), m_atPointer(atPointer), m_onClose(std::move(onClose)) {
    open(std::move(page), std::nullopt);
    if (hostAlive()) m_host->attach(this);
}

MenuController::~MenuController() {
    close();
}

void MenuController::open(DropMenuPage page, std::optional<int> row) {
    if (!hostAlive()) return;
    auto* level = new MenuLevel(std::move(page), int(m_levels.size()), this);
    QPointer<MenuController> self(this);
    QPointer<MenuLevel> weakLevel(level);
    level->onPointer = [self, weakLevel](std::optional<QPointF> p) {
        if (self && weakLevel) self->pointer(p, weakLevel);
    };
    level->onChoose = [self, weakLevel](int r) {
        if (self && weakLevel) self->choose(r, weakLevel);
    };
    if (row) m_levels.back()->setOpened(row);
    m_levels.push_back(level);
    place(level, row, false);

    // It slides in from where it came from: a sub-page from its parent's side, the top page from its anchor.
    if (!m_host->reduceMotion()) {
        const QRectF f = level->frame();
        if (level->depth() > 0) {
            const QRectF parent = m_levels[size_t(level->depth() - 1)]->frame();
            level->setSlide({f.left() >= parent.center().x() ? -8.0 : 8.0, 0});
        } else {
            level->setSlide({0, f.bottom() <= m_anchorRect.top() ? 6.0 : -6.0});
        }
    }
    m_host->present(level);

    // A new measured height moves the panel, keeping the edge that faces its anchor.
    connect(level, &MenuLevel::heightChanged, this, [this, level] {
        if (m_closed || std::find(m_levels.begin(), m_levels.end(), level) == m_levels.end()) return;
        std::optional<int> from;
        if (level->depth() > 0) from = m_levels[size_t(level->depth() - 1)]->opened();
        place(level, from, true);
    });
}

void MenuController::place(MenuLevel* level, std::optional<int> row, bool keepTop) {
    const QRectF v = m_host->visibleArea();
    const double h = level->height();
    const QRectF current = level->frame();
    if (keepTop && current.height() > 0) {
        const bool keepBottom = level->depth() == 0 && current.bottom() <= m_anchorRect.top();
        level->setFrame(MenuPlacement::regrown(current, h, keepBottom, v));
    } else if (level->depth() > 0) {
        MenuLevel* parent = m_levels[size_t(level->depth() - 1)];
        std::optional<QRectF> r;
        if (row) r = parent->rowFrame(*row);
        level->setFrame(MenuPlacement::besideRow(parent->frame(), r, h, v));
    } else if (m_atPointer) {
        level->setFrame(MenuPlacement::atPointer(m_anchorRect.topLeft(), h, v));
    } else {
        level->setFrame(MenuPlacement::underAnchor(m_anchorRect, h, v));
    }
}

namespace {
// The next row the keyboard can light from `from` in steps of `step`, wrapping; none when no row can be.
std::optional<int> nextEnabled(const MenuLevel& level, int from, int step) {
    const int n = level.rows();
    for (int i = 1; i <= n; ++i) {
        const int r = ((from + step * i) % n + n) % n;
        if (level.item(r).enabled) return r;
    }
    return std::nullopt;
}
} // namespace

bool MenuController::takes(int key) const {
    if (m_levels.empty()) return false;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Up:
        return true;
    default:
        return false;
    }
}

bool MenuController::key(int key) {
    if (!takes(key)) return false;
    MenuLevel* last = m_levels.back();
    const int n = last->rows();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (last->lit()) choose(*last->lit(), last);
        break;
    case Qt::Key_Escape:
    case Qt::Key_Left:
        if (last->depth() == 0)
            close();
        else
            closeBelow(last->depth() - 1);
        break;
    case Qt::Key_Right:
        if (last->lit() && last->item(*last->lit()).hasPage()) {
            openFurther(*last->lit(), last);
            MenuLevel* now = m_levels.back();
            if (now != last && now->rows() > 0) light(now, nextEnabled(*now, -1, 1), true);
        }
        break;
    case Qt::Key_Down:
    case Qt::Key_Up: {
        if (n == 0) break;
        const int step = key == Qt::Key_Down ? 1 : -1;
        const int from = last->lit() ? *last->lit() : (step > 0 ? -1 : n);
        light(last, nextEnabled(*last, from, step), true);
        break;
    }
    }
    return true;
}

void MenuController::light(MenuLevel* level, std::optional<int> row, bool byKeyboard) {
    if (!row) return;
    level->setLit(row);
    if (byKeyboard) emit level->reveal(level->entryOf(*row));
}

bool MenuController::press(QPointF point, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (m_levels.empty()) return false;
    for (MenuLevel* level : m_levels)
        if (level->frame().contains(point)) return false;
    close();
    // A right click or a control-click still reaches what it was aimed at, which may open a menu of its
    // own; a plain click only closes this one, so the button that opened it is not pressed again.
    if (button == Qt::RightButton) return false;
    if (button == Qt::LeftButton && modifiers.testFlag(Qt::ControlModifier)) return false;
    return true;
}

void MenuController::pointer(std::optional<QPointF> point, MenuLevel* level) {
    if (m_closed) return;
    if (!point) {
        if (!level->opened()) level->setLit(std::nullopt);
        return;
    }
    std::optional<int> r = level->row(*point);
    // A disabled row is inert: the pointer over it lights nothing and cancels nothing.
    if (r && !level->item(*r).enabled) r.reset();
    if (r) level->setLit(r);
    if (level->depth() > 0) {
        m_pending.reset();
        MenuLevel* parent = m_levels[size_t(level->depth() - 1)];
        parent->setLit(parent->opened());
    }
    if (!r) return;
    if (level->opened() == r) {
        m_pending.reset();
        return;
    }
    if (level->item(*r).hasPage())
        wait(level->depth(), r, openDelay);
    else if (level->opened())
        wait(level->depth(), std::nullopt, closeDelay);
    else
        m_pending.reset();
}

void MenuController::wait(int level, std::optional<int> row, double seconds) {
    const Pending target{level, row};
    // The action already waiting for this target keeps its own time.
    if (m_pending == target) return;
    m_pending = target;
    m_clock.after(seconds, this, [this, target] {
        if (m_pending != target || target.level >= int(m_levels.size())) return;
        m_pending.reset();
        if (target.row)
            openFurther(*target.row, m_levels[size_t(target.level)]);
        else
            closeBelow(target.level);
    });
}

void MenuController::openFurther(int row, MenuLevel* level) {
    if (!level->item(row).hasPage() || level->opened() == row) return;
    closeBelow(level->depth());
    open(level->item(row).opens(), row);
}

void MenuController::choose(int row, MenuLevel* level) {
    if (m_closed || row < 0 || row >= level->rows() || !level->item(row).enabled) return;
    if (level->item(row).hasPage()) {
        m_pending.reset();
        openFurther(row, level);
        return;
    }
    // The action outlives the level: the menu closes first, so the action may open another menu.
    const std::function<void()> run = level->item(row).run;
    close();
    if (run) run();
}

void MenuController::closeBelow(int depth) {
    while (int(m_levels.size()) > depth + 1) {
        MenuLevel* level = m_levels.back();
        m_levels.pop_back();
        disconnect(level, nullptr, this, nullptr);
        level->onPointer = nullptr;
        level->onChoose = nullptr;
        if (hostAlive())
            m_host->dismiss(level);
        else
            level->deleteLater();
    }
    if (depth >= 0 && depth < int(m_levels.size())) m_levels[size_t(depth)]->setOpened(std::nullopt);
}

void MenuController::close() {
    if (m_closed) return;
    m_closed = true;
    m_pending.reset();
    closeBelow(-1);
    emit closed();
    if (auto onClose = std::move(m_onClose)) onClose();
}
