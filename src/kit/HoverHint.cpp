#include "HoverHint.h"

#include "Controls.h"
#include "DropMenu.h"
#include "MenuOverlay.h"
#include "shell/look/Theme.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

HoverHint::HoverHint(QObject* target) : QObject(target), m_target(qobject_cast<QQuickItem*>(target)) {}

HoverHint::~HoverHint() {
    // The bubble lives in the layer, not under the control: it goes with its control.
    delete m_bubble.data();
}

HoverHint* HoverHint::qmlAttachedProperties(QObject* object) {
    return new HoverHint(object);
}

void HoverHint::setText(const QString& text) {
    if (m_text == text) return;
    m_text = text;
    emit textChanged();
    // A new text replaces the old one in place, without a new wait.
    if (m_bubble) place();
}

void HoverHint::setEdge(Edge edge) {
    if (m_edge == edge) return;
    m_edge = edge;
    emit edgeChanged();
    if (m_bubble) place();
}

void HoverHint::setHovering(bool hovering) {
    if (m_hovering == hovering) return;
    m_hovering = hovering;
    const quint64 generation = ++m_generation;
    emit hoveringChanged();
    if (!hovering) {
        setShown(false);
        return;
    }
    QQmlEngine* engine = qmlEngine(this->parent());
    DropMenu* menus = engine ? DropMenu::of(engine) : nullptr;
    auto show = [this, generation] {
        if (generation == m_generation && m_hovering) setShown(true);
    };
    if (menus)
        menus->clock()->after(Controls::hintWaitMs / 1000.0, this, show);
    else
        TimerMenuClock().after(Controls::hintWaitMs / 1000.0, this, show);
}

void HoverHint::setShown(bool shown) {
    if (m_shown == shown) return;
    m_shown = shown;
    if (shown && !m_bubble) makeBubble();
    if (shown && m_bubble) place();
    if (m_bubble) m_bubble->setProperty("shown", shown);
    emit shownChanged();
}

QRectF HoverHint::bubbleFrame(const QRectF& control, double bubbleWidth, Edge edge) {
    const double x = control.center().x() - bubbleWidth / 2;
    const double y = edge == Top ? control.top() - Controls::hintLift
                                 : control.bottom() + Controls::hintLift - Controls::hintHeight;
    return {x, y, bubbleWidth, Controls::hintHeight};
}

QQuickItem* HoverHint::makeBubble() {
    if (!m_target || !m_target->window()) return nullptr;
    QQmlEngine* engine = qmlEngine(m_target);
    if (!engine) return nullptr;
    QQuickWindow* window = m_target->window();
    QQuickItem* layer = MenuOverlay::of(window);
    if (!layer) layer = window->contentItem();
    QQmlComponent component(engine, QUrl(QStringLiteral("qrc:/Velto/Kit/HoverHintBubble.qml")));
    QObject* made = component.createWithInitialProperties(
        {{QStringLiteral("hint"), QVariant::fromValue(this)}}, qmlContext(m_target));
    auto* bubble = qobject_cast<QQuickItem*>(made);
    if (!bubble) {
        qWarning().noquote() << "HoverHint:" << component.errorString();
        delete made;
        return nullptr;
    }
    bubble->setParentItem(layer);
    bubble->setZ(1000);
    m_bubble = bubble;
    emit bubbleChanged();
    return bubble;
}

void HoverHint::place() {
    if (!m_bubble || !m_target) return;
    // The bubble draws in the scheme of its control (a dark page in a light window keeps dark hints).
    if (auto* theme = qobject_cast<Theme*>(qmlAttachedPropertiesObject<Theme>(m_target, true)))
        m_bubble->setProperty("dark", theme->isDark());
    QQuickItem* layer = m_bubble->parentItem();
    const QRectF control =
        m_target->mapRectToItem(layer, QRectF(0, 0, m_target->width(), m_target->height()));
    const QRectF frame = bubbleFrame(control, m_bubble->implicitWidth(), m_edge);
    m_bubble->setPosition(frame.topLeft());
    m_bubble->setSize(frame.size());
}
