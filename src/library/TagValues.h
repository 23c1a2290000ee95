#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The rules that turn the raw texts of a tag into a song's values. Each takes the texts of one field in
// the order the file gives them and uses the first that yields a value.
namespace TagValues {

// An optional "+" or "-" and one or more ASCII digits, nothing else, within a signed 64-bit integer.
std::optional<qint64> decimal(QStringView text);

// The first text that is not empty once white space and line breaks are trimmed from both ends.
std::optional<QString> firstText(const QStringList& texts);

// Track or disc: the part before the first "/" ("3/12" gives 3), trimmed of spaces and tabs, read
// strictly and counted only when above 0. A text that gives nothing passes to the next.
std::optional<qint64> number(const QStringList& texts);

// A leading numeric genre reference such as "(17)" is dropped, unless nothing would be left.
QString cleanGenre(const QString& genre);
std::optional<QString> genre(const QStringList& texts);

// The year is the first four characters of the first date text ("2003-05-01T07:00:00Z" gives 2003).
std::optional<qint64> year(const QStringList& texts);

} // namespace TagValues
