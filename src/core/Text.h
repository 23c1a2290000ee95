#pragma once

#include <QCollator>
#include <QString>

// Text rules shared by every store: the same in every locale, so keys built on one machine match on another.
namespace Text {

// Unicode default lower-case mapping, independent of the user's locale.
QString lower(const QString& s);

// The "plain" order: canonical composition (NFC) first, then Unicode scalar values (not UTF-16 units,
// which put characters beyond the BMP before U+E000..U+FFFF). Negative, zero or positive like strcmp.
int plainCompare(const QString& a, const QString& b);
inline bool plainLess(const QString& a, const QString& b) {
    return plainCompare(a, b) < 0;
}

// Trims white space and line breaks (Unicode's White_Space) from both ends.
QString trimmed(const QString& s);

// Locale-aware comparison for lists the user reads: case-insensitive, numbers by value.
int localizedCompare(const QString& a, const QString& b);
// The collator behind `localizedCompare`, for making sort keys once when a long list is sorted.
QCollator localizedCollator();

} // namespace Text
