#include "DigitsText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
double digitCell(const QFontMetricsF& metrics) {
    double widest = 0;
    for (QChar c = u'0'; c <= u'9'; c = QChar(c.unicode() + 1))
        widest = std::max(widest, metrics.horizontalAdvance(c));
    return widest;
}

// Runs of the text: each digit alone, everything between digits as one piece.
template <typename Visit> void eachRun(const QString& text, Visit visit) {
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (end || text[i].isDigit()) {
            if (i > start) visit(text.mid(start, i - start), false);
            if (!end) visit(text.mid(i, 1), true);
            start = i + 1;
        }
    }
}

QString shown(const QString& text, const QFont& font) {
    // The caption style upper-cases through the font; measuring piece by piece needs the cased text.
    return font.capitalization() == QFont::AllUppercase ? text.toUpper() : text;
}
} // namespace

DigitsText::DigitsText(QQuickItem* parent) : QQuickPaintedItem(parent) {
    m_font.setFamily(QStringLiteral("Inter"));
    m_font.setPixelSize(12);
    setAntialiasing(true);
    remeasure();
}

void DigitsText::setText(const QString& text) {
    if (m_text == text) return;
    m_text = text;
    remeasure();
    emit textChanged();
}

void DigitsText::setFont(const QFont& font) {
    if (m_font == font) return;
    m_font = font;
    remeasure();
    emit fontChanged();
}

void DigitsText::setColor(const QColor& color) {
    if (m_color == color) return;
    m_color = color;
    update();
    emit colorChanged();
}

double DigitsText::ascent() const {
    return QFontMetricsF(m_font).ascent();
}

double DigitsText::measure(const QString& text, const QFont& font) {
    QFont plain = font;
    plain.setCapitalization(QFont::MixedCase);
    const QFontMetricsF metrics(plain);
    const double cell = digitCell(metrics);
    double width = 0;
    eachRun(shown(text, font),
            [&](const QString& run, bool digit) { width += digit ? cell : metrics.horizontalAdvance(run); });
    return width;
}

void DigitsText::remeasure() {
    const QFontMetricsF metrics(m_font);
    setImplicitSize(std::ceil(measure(m_text, m_font)), std::ceil(metrics.height()));
    update();
}

void DigitsText::paint(QPainter* painter) {
    QFont plain = m_font;
    plain.setCapitalization(QFont::MixedCase);
    const QFontMetricsF metrics(plain);
    const double cell = digitCell(metrics);
    painter->setFont(plain);
    painter->setPen(m_color);
    double x = 0;
    const double baseline = metrics.ascent();
    eachRun(shown(m_text, m_font), [&](const QString& run, bool digit) {
        const double advance = metrics.horizontalAdvance(run);
        if (digit) {
            painter->drawText(QPointF(x + (cell - advance) / 2, baseline), run);
            x += cell;
        } else {
            painter->drawText(QPointF(x, baseline), run);
            x += advance;
        }
    });
}
