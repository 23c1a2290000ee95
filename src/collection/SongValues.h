#pragma once

#include "SongListModel.h"

#include <QList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// A song list whose owner hands it the songs in their order (a playlist, an album's songs); a path may
// stand in it more than once. Changing the songs replaces the rows.
class SongValues : public SongListModel {
    Q_OBJECT
    QML_ELEMENT
public:
    explicit SongValues(QObject* parent = nullptr) : SongListModel(parent) {}

    void setSongs(QList<Song> songs, QList<qint64> numbers = {});
    // Songs as values (paths and other values are left out).
    Q_INVOKABLE void setSongValues(const QVariantList& songs);

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_songs.size());
    }
    const Song& songAt(int row) const override { return m_songs.at(row); }
    qint64 numberAt(int row) const override { return row < m_numbers.size() ? m_numbers.at(row) : 0; }

private:
    QList<Song> m_songs;
    QList<qint64> m_numbers;
};
