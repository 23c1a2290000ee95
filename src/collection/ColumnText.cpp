#include "ColumnText.h"

#include "Sorts.h"

QString ColumnText::count(int count, const QString& noun) {
    return QString::number(count) + QLatin1Char(' ') + noun + (count == 1 ? QString() : QStringLiteral("s"));
}

QString ColumnText::sortButtonName(const QString& label) {
    return QStringLiteral("Sorted ") + label + QStringLiteral(". Sort another way");
}

namespace {
AlbumSort albumOr(const QString& raw, const QString& fallback) {
    return Sorts::albumSort(raw).value_or(Sorts::albumSort(fallback).value_or(AlbumSort::year));
}
} // namespace

QString ColumnText::albumSortLabel(const QString& raw, const QString& fallback) {
    return Sorts::label(albumOr(raw, fallback));
}
QString ColumnText::nextAlbumSort(const QString& raw, const QString& fallback) {
    return Sorts::rawValue(Sorts::next(albumOr(raw, fallback)));
}
QString ColumnText::songSortLabel(const QString& raw) {
    return Sorts::label(Sorts::songSort(raw).value_or(SortSetting::songsDefault));
}
QString ColumnText::nextSongSort(const QString& raw) {
    return Sorts::rawValue(Sorts::next(Sorts::songSort(raw).value_or(SortSetting::songsDefault)));
}
