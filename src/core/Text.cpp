#include "Text.h"

#include <QCollator>
#include <QLocale>

namespace Text {

QString lower(const QString& s) {
    // QString::toLower applies the Unicode default mapping and does not consult the locale.
    return s.toLower();
}

namespace {
// Scalar order differs from UTF-16 unit order only where a surrogate meets a unit of U+E000..U+FFFF, so
// comparing units with surrogates lifted above that range gives code point order.
inline char16_t scalarRank(char16_t u) {
    if (u >= 0xD800 && u <= 0xDFFF) return char16_t(u + 0x2000);
    if (u >= 0xE000) return char16_t(u - 0x800);
    return u;
}

int compareScalars(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    const char16_t* pa = reinterpret_cast<const char16_t*>(a.constData());
    const char16_t* pb = reinterpret_cast<const char16_t*>(b.constData());
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i]) continue;
        return scalarRank(pa[i]) < scalarRank(pb[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool isAsciiOnly(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80) return false;
    return true;
}
} // namespace

int plainCompare(const QString& a, const QString& b) {
    // ASCII text is already in NFC; skip the normalisation for the common case.
    if (isAsciiOnly(a) && isAsciiOnly(b)) return compareScalars(a, b);
    return compareScalars(a.normalized(QString::NormalizationForm_C),
                          b.normalized(QString::NormalizationForm_C));
}

QString trimmed(const QString& s) {
    return s.trimmed();
}

QCollator localizedCollator() {
    // The C locale's collator compares code units and ignores the numeric mode, so under LANG=C (or
    // C.UTF-8) "a10" would sort before "a9". The root collation (what English uses) stands in for it.
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
    QCollator c(locale);
    c.setNumericMode(true);
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
}

int localizedCompare(const QString& a, const QString& b) {
    thread_local QCollator collator = localizedCollator();
    return collator.compare(a, b);
}

} // namespace Text
