#include "Symbols.h"

#include <QFontDatabase>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace {

struct Entry {
    const char* name;
    char16_t codepoint; // 0: drawn
};

// Code points of MaterialIcons-Regular (the package's scss/_variables.scss names them).
constexpr Entry table[] = {
    {"arrow.down", 0xE5DB},                        // arrow_downward
    {"arrow.left", 0xE5C4},                        // arrow_back
    {"arrow.up", 0xE5D8},                          // arrow_upward
    {"arrow.up.left.and.arrow.down.right", 0xF1CE}, // open_in_full
    {"arrow.up.right", 0xF1E1},                    // north_east
    {"arrowshape.left", 0xE5C4},                   // arrow_back
    {"backward.fill", 0xE020},                     // fast_rewind
    {"battery.75percent", 0},                      // the font's batteries stand upright
    {"cable.connector", 0xEFE6},                   // cable
    {"checkmark", 0xE5CA},                         // check
    {"chevron.down", 0xE5CF},                      // expand_more
    {"chevron.right", 0xE5CC},                     // chevron_right
    {"circle.hexagongrid", 0xE9F4},                // hub
    {"dot.radiowaves.left.and.right", 0xE51E},     // sensors
    {"ellipsis", 0xE5D3},                          // more_horiz
    {"forward.fill", 0xE01F},                      // fast_forward
    {"heart", 0xE87E},                             // favorite_border
    {"heart.fill", 0xE87D},                        // favorite
    {"list.bullet", 0xE241},                       // format_list_bulleted
    {"list.bullet.rectangle.portrait", 0xE0EE},    // list_alt
    {"minus", 0xE15B},                             // remove
    {"pause.fill", 0xE034},                        // pause
    {"person", 0xE7FD},                            // person
    {"photo", 0xE410},                             // photo
    {"pin", 0xF10D},                               // push_pin
    {"pin.fill", 0xF10D},                          // push_pin
    {"pin.slash", 0},                              // push_pin struck through
    {"play.fill", 0xE037},                         // play_arrow
    {"playpause", 0},                              // no combined glyph
    {"plus", 0xE145},                              // add
    {"rectangle.inset.bottomright.filled", 0xE911}, // picture_in_picture_alt
    {"repeat", 0xE040},                            // repeat
    {"shuffle", 0xE043},                           // shuffle
    {"speaker.fill", 0xE04E},                      // volume_mute
    {"speaker.wave.2.fill", 0xE04D},               // volume_down
    {"speaker.wave.3.fill", 0xE050},               // volume_up
    {"waveform", 0xE1B8},                          // graphic_eq
    {"xmark", 0xE5CD},                             // close
};

const QHash<QString, char16_t>& lookup() {
    static const QHash<QString, char16_t> map = [] {
        QHash<QString, char16_t> m;
        for (const Entry& e : table) m.insert(QString::fromLatin1(e.name), e.codepoint);
        return m;
    }();
    return map;
}

void paintGlyph(QPainter& p, char16_t codepoint, const QRectF& box, const QColor& color) {
    QFont font(Symbols::fontFamily());
    font.setPixelSize(std::max(1, int(std::lround(std::min(box.width(), box.height())))));
    font.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, QString(QChar(codepoint)));
}

// A horizontal battery three-quarters full, with its terminal on the right.
void paintBattery(QPainter& p, const QRectF& box, const QColor& color) {
    const double w = box.width(), h = box.height();
    const QRectF body(box.left() + 0.06 * w, box.top() + 0.3 * h, 0.8 * w, 0.4 * h);
    const double stroke = std::max(1.0, 0.06 * h);
    p.setPen(QPen(color, stroke));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2), 0.08 * h, 0.08 * h);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const QRectF inner = body.adjusted(2 * stroke, 2 * stroke, -2 * stroke, -2 * stroke);
    p.drawRect(QRectF(inner.topLeft(), QSizeF(inner.width() * 0.75, inner.height())));
    p.drawRoundedRect(QRectF(body.right() + 0.02 * w, box.top() + 0.42 * h, 0.06 * w, 0.16 * h), 0.02 * w, 0.02 * w);
}

// A play triangle followed by two pause bars.
void paintPlayPause(QPainter& p, const QRectF& box, const QColor& color) {
    const double w = box.width(), h = box.height();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    QPainterPath triangle;
    triangle.moveTo(box.left() + 0.08 * w, box.top() + 0.25 * h);
    triangle.lineTo(box.left() + 0.5 * w, box.top() + 0.5 * h);
    triangle.lineTo(box.left() + 0.08 * w, box.top() + 0.75 * h);
    triangle.closeSubpath();
    p.drawPath(triangle);
    p.drawRect(QRectF(box.left() + 0.6 * w, box.top() + 0.27 * h, 0.1 * w, 0.46 * h));
    p.drawRect(QRectF(box.left() + 0.8 * w, box.top() + 0.27 * h, 0.1 * w, 0.46 * h));
}

// The pin with a slash across it, cut out of the glyph so it reads on any background.
void paintPinSlash(QPainter& p, const QRectF& box, const QColor& color) {
    const double side = std::min(box.width(), box.height());
    const QLineF slash(box.left() + 0.15 * side, box.top() + 0.12 * side, box.left() + 0.85 * side,
                       box.top() + 0.88 * side);
    QImage layer((box.size() * p.device()->devicePixelRatioF()).toSize().expandedTo(QSize(1, 1)),
                 QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(p.device()->devicePixelRatioF());
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        const QRectF local(QPointF(0, 0), box.size());
        paintGlyph(lp, 0xF10D, local, color);
        lp.setCompositionMode(QPainter::CompositionMode_Clear);
        lp.setPen(QPen(Qt::transparent, 0.2 * side, Qt::SolidLine, Qt::RoundCap));
        lp.drawLine(slash.translated(-box.topLeft()));
        lp.setCompositionMode(QPainter::CompositionMode_SourceOver);
        lp.setPen(QPen(color, 0.08 * side, Qt::SolidLine, Qt::RoundCap));
        lp.drawLine(slash.translated(-box.topLeft()));
    }
    p.drawImage(box.topLeft(), layer);
}

} // namespace

namespace Symbols {

Kind kind(const QString& name) {
    const auto it = lookup().constFind(name);
    if (it == lookup().constEnd()) return Kind::unknown;
    return *it ? Kind::glyph : Kind::drawn;
}

QString glyph(const QString& name) {
    const char16_t cp = lookup().value(name, 0);
    return cp ? QString(QChar(cp)) : QString();
}

QStringList names() {
    QStringList out;
    for (const Entry& e : table) out << QString::fromLatin1(e.name);
    return out;
}

QString fontFamily() {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/velto/fonts/MaterialIcons-Regular.ttf"));
        const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty()) qWarning("The icon font could not be loaded from the program's resources");
        return families.value(0);
    }();
    return family;
}

bool paint(QPainter& painter, const QString& name, const QRectF& box, const QColor& color) {
    const Kind k = kind(name);
    if (k == Kind::unknown) return false;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (k == Kind::glyph)
        paintGlyph(painter, lookup().value(name), box, color);
    else if (name == QLatin1String("battery.75percent"))
        paintBattery(painter, box, color);
    else if (name == QLatin1String("playpause"))
        paintPlayPause(painter, box, color);
    else if (name == QLatin1String("pin.slash"))
        paintPinSlash(painter, box, color);
    painter.restore();
    return true;
}

} // namespace Symbols

SymbolImage::SymbolImage(QQuickItem* parent) : QQuickPaintedItem(parent) {
    setImplicitSize(m_size, m_size);
    setAntialiasing(true);
}

void SymbolImage::setName(const QString& name) {
    if (name == m_name) return;
    m_name = name;
    if (Symbols::kind(name) == Symbols::Kind::unknown && !name.isEmpty())
        qWarning("No symbol named %s", qPrintable(name));
    emit nameChanged();
    update();
}

void SymbolImage::setSize(double size) {
    if (size == m_size) return;
    m_size = size;
    setImplicitSize(size, size);
    emit sizeChanged();
    update();
}

void SymbolImage::setColor(const QColor& color) {
    if (color == m_color) return;
    m_color = color;
    emit colorChanged();
    update();
}

void SymbolImage::paint(QPainter* painter) {
    const double side = std::min({width(), height(), m_size > 0 ? m_size : width()});
    if (side <= 0) return;
    const QRectF box((width() - side) / 2, (height() - side) / 2, side, side);
    Symbols::paint(*painter, m_name, box, m_color);
}
