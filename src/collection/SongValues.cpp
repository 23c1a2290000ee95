#include "SongValues.h"

void SongValues::setSongs(QList<Song> songs, QList<qint64> numbers) {
    beginResetModel();
    m_songs = std::move(songs);
    m_numbers = std::move(numbers);
    endResetModel();
    rowsMoved();
}

void SongValues::setSongValues(const QVariantList& songs) {
    QList<Song> out;
    for (const QVariant& v : songs)
        if (v.metaType() == QMetaType::fromType<Song>()) out.append(v.value<Song>());
    setSongs(std::move(out));
}
