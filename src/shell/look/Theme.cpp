#include "Theme.h"

#include "AccentStore.h"
#include "ColorMath.h"
#include "ShellObjects.h"

#include <QQmlEngine>
#include <QQuickItem>
#include <algorithm>
#include <cmath>
#include <limits>

QColor DynamicColor::resolve(bool isDark) const {
    return ColorMath::rgb(isDark ? dark : light);
}

QFont Theme::font(FontRole role) {
    struct Face {
        int pixels;
        QFont::Weight weight;
    };
    static constexpr Face faces[] = {{64, QFont::Light},  {40, QFont::Light},  {28, QFont::Light},
                                     {20, QFont::Light},  {16, QFont::Normal}, {13, QFont::Normal},
                                     {12, QFont::Normal}, {11, QFont::Normal}};
    const Face& s = faces[int(role)];
    QFont f(fontFamily());
    f.setPixelSize(s.pixels);
    f.setWeight(s.weight);
    return f;
}

QFont Theme::capsFont(double pixelSize) {
    QFont f(fontFamily());
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setWeight(QFont::DemiBold);
    f.setCapitalization(QFont::AllUppercase);
    return f;
}

QString Theme::formatTime(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) return QStringLiteral("0:00");
    // Beyond 2^62 seconds no song lasts; clamping keeps the conversion defined.
    constexpr double ceiling = 4.6e18;
    const qint64 s = qint64(std::floor(std::min(seconds, ceiling)));
    return QString::asprintf("%lld:%02lld", s / 60, s % 60);
}

QString Theme::formatSize(qint64 bytes) {
    const double g = double(bytes) / 1e9;
    if (g >= 1) return QString::asprintf("%.1f GB", g);
    return QString::asprintf("%.0f MB", double(bytes) / 1e6);
}

QPointF Theme::chromeMatchCentre(QSizeF windowSize, QRectF frame) {
    return {(windowSize.width() * chromeCentre.x() - frame.x()) / std::max(frame.width(), 1.0),
            (windowSize.height() * chromeCentre.y() - frame.y()) / std::max(frame.height(), 1.0)};
}

Theme::Theme(QObject* target) : QObject(target), m_target(target) {
    connect(this, &Theme::accentChanged, this, &Theme::accentTextChanged);
    connect(this, &Theme::darkChanged, this, &Theme::accentTextChanged);
    if (!target) return;
    m_accent = ShellObjects::accentStore(qmlEngine(target));
    if (auto* item = qobject_cast<QQuickItem*>(target))
        connect(item, &QQuickItem::parentChanged, this, &Theme::followParent);
    followParent();
    if (m_accent) connect(m_accent, &AccentStore::drawnChanged, this, &Theme::accentChanged);
}

Theme* Theme::qmlAttachedProperties(QObject* object) {
    // One Theme per object, whether QML or a child's Theme asked for it first.
    if (auto* existing = object->findChild<Theme*>(QString(), Qt::FindDirectChildrenOnly)) return existing;
    return new Theme(object);
}

void Theme::followParent() {
    QObject* parent = nullptr;
    if (auto* item = qobject_cast<QQuickItem*>(m_target)) parent = item->parentItem();
    // The top item of a window hangs from the window itself, which may carry a scheme too.
    if (!parent) parent = m_target->parent();
    Theme* parentTheme = parent ? qmlAttachedProperties(parent) : nullptr;
    if (parentTheme != m_parentTheme) {
        disconnect(m_parentConnection);
        m_parentTheme = parentTheme;
        if (parentTheme)
            m_parentConnection = connect(parentTheme, &Theme::darkChanged, this, &Theme::resolve);
    }
    if (!m_accent && parentTheme && parentTheme->m_accent) {
        m_accent = parentTheme->m_accent;
        connect(m_accent, &AccentStore::drawnChanged, this, &Theme::accentChanged);
    }
    resolve();
}

void Theme::setScheme(Scheme scheme) {
    if (scheme == m_scheme) return;
    m_scheme = scheme;
    emit schemeChanged();
    resolve();
}

void Theme::resolve() {
    const bool dark = m_scheme == Dark || (m_scheme == Inherit && m_parentTheme && m_parentTheme->isDark());
    if (dark == m_dark) return;
    m_dark = dark;
    emit darkChanged();
}

QVariantList Theme::chromeColors() const {
    QVariantList out;
    for (const DynamicColor& c : chromeGradient)
        out << c.resolve(m_dark);
    return out;
}

QColor Theme::accentFrom() const {
    return (m_accent ? m_accent->drawn() : Accent::magenta()).from;
}
QColor Theme::accentTo() const {
    return (m_accent ? m_accent->drawn() : Accent::magenta()).to;
}
QColor Theme::accentText() const {
    const Accent& a = m_accent ? m_accent->drawn() : Accent::magenta();
    return m_dark ? a.text : a.textOnLight;
}
