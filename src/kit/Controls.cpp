#include "Controls.h"

#include "shell/look/Theme.h"

#include <QFont>
#include <QFontDatabase>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

QSizeF Controls::circleHitSize(double size) {
    return {size <= smallHitWidth ? smallHitWidth : size, hitHeight};
}

double Controls::ringWidth(double size) {
    return size > 30 ? 2 : 1.5;
}

CircleLook Controls::circleLook(bool filled, bool hovered, const QVariant& isOn, const QColor& primary,
                                const QColor& inverse, const QColor& on) {
    const QColor base = isOn.isValid() && isOn.toBool() ? on : primary;
    CircleLook look;
    if (!filled && !hovered) {
        look = {base, Qt::transparent, base, 0};
    } else if (!filled) {
        look = {inverse, primary, primary, 0};
    } else if (!hovered) {
        look = {inverse, primary, base, 0};
    } else {
        look = {brightened(inverse, filledHoverBrightness), brightened(primary, filledHoverBrightness),
                brightened(primary, filledHoverBrightness), filledHoverBrightness};
    }
    return look;
}

QColor Controls::iconColor(bool hovered, const QVariant& isOn, const QColor& primary, const QColor& on) {
    if (isOn.isValid() && isOn.toBool()) return on;
    if (hovered) return primary;
    QColor dim = primary;
    dim.setAlphaF(primary.alphaF() * 0.8f);
    return dim;
}

PillLook Controls::pillLook(bool filled, bool hovered, const QColor& color, const QColor& inverse) {
    PillLook look;
    const bool solid = filled || hovered;
    look.text = solid ? inverse : color;
    look.fill = solid ? color : QColor(Qt::transparent);
    if (filled) {
        look.border = Qt::transparent;
    } else {
        look.border = color;
        look.border.setAlphaF(color.alphaF() * pillBorderOpacity);
    }
    if (filled && hovered) {
        look.brightness = pillHoverBrightness;
        look.text = brightened(look.text, pillHoverBrightness);
        look.fill = brightened(look.fill, pillHoverBrightness);
    }
    return look;
}

QString Controls::hintText(const QString& label, const QVariant& isOn) {
    if (!isOn.isValid() || isOn.isNull()) return label;
    return label + (isOn.toBool() ? QStringLiteral(" on") : QStringLiteral(" off"));
}

QString Controls::accessibleValue(const QVariant& isOn) {
    if (!isOn.isValid() || isOn.isNull()) return {};
    return isOn.toBool() ? QStringLiteral("On") : QStringLiteral("Off");
}

QColor Controls::brightened(const QColor& color, double amount) {
    if (!color.isValid() || color.alpha() == 0) return color;
    const QColor c = color.toRgb();
    auto add = [amount](float v) { return float(std::clamp(double(v) + amount, 0.0, 1.0)); };
    return QColor::fromRgbF(add(c.redF()), add(c.greenF()), add(c.blueF()), c.alphaF());
}

bool Controls::isSelected(const QVariant& value, const QVariant& selection) {
    return value.isValid() && selection.isValid() && value == selection;
}

SectionStep Controls::sectionStep(const QVariantList& sections, const QVariant& selection, int key,
                                  int modifiers) {
    if (key != Qt::Key_Up && key != Qt::Key_Down) return {};
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    const int at = sections.indexOf(selection);
    if (at < 0 || !selection.isValid()) return {};
    const int next = std::clamp(at + (key == Qt::Key_Down ? 1 : -1), 0, int(sections.size()) - 1);
    return {true, next};
}

double Controls::textHeight(const QString& text, double size, double width) {
    QFont font(QStringLiteral("Inter"));
    font.setPixelSize(std::max(1, int(std::lround(size))));
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    double height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += line.height();
    }
    layout.endLayout();
    return height;
}

double Controls::balancedWidth(const QString& text, double size, double maxWidth) {
    if (!(maxWidth > 0)) return 0;
    const double base = textHeight(text, size, maxWidth);
    double low = maxWidth / 3;
    double high = maxWidth;
    for (int i = 0; i < balanceSteps; ++i) {
        const double middle = (low + high) / 2;
        if (textHeight(text, size, middle) > base + 0.5)
            low = middle;
        else
            high = middle;
    }
    return std::min(std::ceil(high) + 4, maxWidth);
}

QFont Controls::fixedFont(double size) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(std::max(1, int(std::lround(size))));
    return font;
}

bool CapsuleMask::inCapsule(const QSizeF& size, const QPointF& p) {
    const double w = size.width(), h = size.height();
    if (p.x() < 0 || p.y() < 0 || p.x() > w || p.y() > h) return false;
    const double r = std::min(w, h) / 2;
    // The nearest point of the capsule's spine; within the radius of it is inside.
    const double cx = std::clamp(p.x(), r, std::max(r, w - r));
    const double cy = std::clamp(p.y(), r, std::max(r, h - r));
    const double dx = p.x() - cx, dy = p.y() - cy;
    return dx * dx + dy * dy <= r * r + 1e-9;
}

bool CapsuleMask::contains(const QPointF& point) const {
    return inCapsule({m_width, m_height}, point);
}

QString Controls::readingTotal(double duration) {
    return QStringLiteral("of ") + Theme::formatTime(duration);
}

QString Controls::firstReading(const QStringList& readings) {
    for (const QString& r : readings)
        if (!r.isEmpty()) return r;
    return {};
}
