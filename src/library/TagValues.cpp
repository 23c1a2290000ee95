#include "TagValues.h"

#include "core/Text.h"

#include <QTextBoundaryFinder>
#include <limits>

namespace TagValues {

std::optional<qint64> decimal(QStringView text) {
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size()) return std::nullopt;
    // Accumulate as a negative number so that the most negative value fits too.
    qint64 value = 0;
    constexpr qint64 lowest = std::numeric_limits<qint64>::min();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        const int digit = c - u'0';
        if (value < (lowest + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }
    if (negative) return value;
    if (value == lowest) return std::nullopt;
    return -value;
}

std::optional<QString> firstText(const QStringList& texts) {
    for (const QString& t : texts) {
        QString trimmed = Text::trimmed(t);
        if (!trimmed.isEmpty()) return trimmed;
    }
    return std::nullopt;
}

namespace {
QStringView trimSpacesAndTabs(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && (s[b] == u' ' || s[b] == u'\t'))
        ++b;
    while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t'))
        --e;
    return s.sliced(b, e - b);
}
} // namespace

std::optional<qint64> number(const QStringList& texts) {
    for (const QString& text : texts) {
        const QStringList pieces = text.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (pieces.isEmpty()) continue;
        const std::optional<qint64> n = decimal(trimSpacesAndTabs(pieces.first()));
        if (n && *n > 0) return n;
    }
    return std::nullopt;
}

QString cleanGenre(const QString& genre) {
    // "(", one or more decimal digits of any script, ")": the ID3v1 genre number some taggers prefix.
    if (!genre.startsWith(QLatin1Char('('))) return genre;
    qsizetype i = 1;
    while (i < genre.size()) {
        const char32_t c = genre.at(i).isHighSurrogate() && i + 1 < genre.size()
                               ? QChar::surrogateToUcs4(genre.at(i), genre.at(i + 1))
                               : genre.at(i).unicode();
        if (QChar::category(c) != QChar::Number_DecimalDigit) break;
        i += QChar::requiresSurrogates(c) ? 2 : 1;
    }
    if (i == 1 || i >= genre.size() || genre.at(i) != QLatin1Char(')')) return genre;
    const QString cleaned = genre.mid(i + 1);
    return cleaned.isEmpty() ? genre : cleaned;
}

std::optional<QString> genre(const QStringList& texts) {
    const std::optional<QString> text = firstText(texts);
    if (!text) return std::nullopt;
    return cleanGenre(*text);
}

std::optional<qint64> year(const QStringList& texts) {
    const std::optional<QString> text = firstText(texts);
    if (!text) return std::nullopt;
    // Four user-perceived characters: a digit carrying a combining mark is one character, and not a digit.
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, *text);
    qsizetype end = 0;
    for (int i = 0; i < 4; ++i) {
        const qsizetype next = graphemes.toNextBoundary();
        if (next < 0) break;
        end = next;
    }
    return decimal(QStringView(*text).first(end));
}

} // namespace TagValues
