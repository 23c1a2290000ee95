#include "AllSongsModel.h"

#include "core/Defaults.h"
#include "core/Text.h"
#include "library/LibraryStore.h"

#include <QCollator>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>
#include <numeric>

AllSongsModel::AllSongsModel(QObject* parent)
    : SongListModel(parent), m_watcher(std::make_unique<QFutureWatcher<Sorted>>()),
      m_collator(std::make_unique<QCollator>(Text::localizedCollator())) {
    connect(m_watcher.get(), &QFutureWatcher<Sorted>::finished, this, &AllSongsModel::sortDone);
}

AllSongsModel::~AllSongsModel() {
    // A sort still running holds only its own copy of the songs; waiting keeps it from outliving the
    // program's end.
    m_watcher->disconnect(this);
    if (m_sorting) m_watcher->waitForFinished();
}

AllSongsModel::Key AllSongsModel::keyOf(SongSort sort, const Song& s, const QCollator& collator) {
    Key k;
    switch (sort) {
    case SongSort::title:
        k.title = collator.sortKey(s.title);
        break;
    case SongSort::artist:
        k.artist = Text::lower(s.albumArtist);
        k.album = Text::lower(s.album);
        break;
    case SongSort::dateAdded:
        // The whole second: birth times carry nanoseconds, and songs copied in together should tie and
        // fall back to their disc and track.
        k.added = std::floor(s.added.seconds);
        break;
    }
    k.disc = s.disc;
    k.track = s.track;
    return k;
}

bool AllSongsModel::less(SongSort sort, const Entry& a, const Entry& b) {
    const Key& x = a.key;
    const Key& y = b.key;
    switch (sort) {
    case SongSort::title:
        if (const int c = x.title->compare(*y.title)) return c < 0;
        break;
    case SongSort::artist:
        if (const int c = Text::plainCompare(x.artist, y.artist)) return c < 0;
        if (const int c = Text::plainCompare(x.album, y.album)) return c < 0;
        if (x.disc != y.disc) return x.disc < y.disc;
        if (x.track != y.track) return x.track < y.track;
        break;
    case SongSort::dateAdded:
        if (x.added != y.added) return x.added > y.added;
        if (x.disc != y.disc) return x.disc < y.disc;
        if (x.track != y.track) return x.track < y.track;
        break;
    }
    return Text::plainLess(a.song.url.path, b.song.url.path);
}

AllSongsModel::Sorted AllSongsModel::sorted(SongSort sort, const QList<Song>& songs) {
    const QCollator collator = Text::localizedCollator();
    Sorted out;
    out.entries.reserve(size_t(songs.size()));
    for (const Song& s : songs)
        out.entries.push_back(Entry{s, keyOf(sort, s, collator)});
    out.order.resize(out.entries.size());
    std::iota(out.order.begin(), out.order.end(), 0);
    std::sort(out.order.begin(), out.order.end(),
              [&](qint32 a, qint32 b) { return less(sort, out.entries[size_t(a)], out.entries[size_t(b)]); });
    return out;
}

void AllSongsModel::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    disconnect(m_libraryConnection);
    m_library = library;
    if (library)
        m_libraryConnection =
            connect(library, &LibraryStore::songsChanged, this, &AllSongsModel::librarySongsChanged);
    emit libraryChanged();
    emit totalChanged();
    librarySongsChanged();
}

void AllSongsModel::setDefaults(Defaults* defaults) {
    if (m_defaults == defaults) return;
    disconnect(m_defaultsConnection);
    m_defaults = defaults;
    if (defaults)
        m_defaultsConnection = connect(defaults, &Defaults::changed, this, [this](const QString& key) {
            if (key == SortSetting::songs) readSort();
        });
    emit defaultsChanged();
    readSort();
}

void AllSongsModel::readSort() {
    if (m_defaults) setSort(SortSetting::songSort(*m_defaults));
}

void AllSongsModel::setSort(SongSort sort) {
    if (sort == m_sort) return;
    m_sort = sort;
    emit sortChanged();
    if (m_sorting)
        m_stale = true;
    else if (!m_order.empty())
        startSort();
}

void AllSongsModel::setSortRaw(const QString& raw) {
    const std::optional<SongSort> sort = Sorts::songSort(raw);
    if (!sort) return;
    if (m_defaults)
        SortSetting::setSongSort(*m_defaults, *sort); // comes back through readSort
    else
        setSort(*sort);
}

void AllSongsModel::nextSort() {
    setSortRaw(Sorts::rawValue(Sorts::next(m_sort)));
}

int AllSongsModel::total() const {
    return m_library ? int(m_library->songs().size()) : 0;
}

int AllSongsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_order.size());
}

const Song& AllSongsModel::songAt(int row) const {
    return m_entries[size_t(m_order[size_t(row)])].song;
}

QList<int> AllSongsModel::rowsOf(const QString& path) const {
    const auto it = m_byPath.constFind(path);
    if (it == m_byPath.cend()) return {};
    const int row = rowOfEntry(*it);
    return row < 0 ? QList<int>{} : QList<int>{row};
}

int AllSongsModel::rowOfEntry(qint32 entry) const {
    const auto it = std::find(m_order.begin(), m_order.end(), entry);
    return it == m_order.end() ? -1 : int(it - m_order.begin());
}

// Where `entry` belongs among the rows, leaving out `skipRow` (the row it stands in now, when it moves).
int AllSongsModel::placeFor(const Entry& entry, qint32 skipRow) const {
    const int n = int(m_order.size()) - (skipRow >= 0 ? 1 : 0);
    const auto at = [&](int i) -> const Entry& {
        const int row = skipRow >= 0 && i >= skipRow ? i + 1 : i;
        return m_entries[size_t(m_order[size_t(row)])];
    };
    int lo = 0, hi = n;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (less(m_sort, at(mid), entry))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

qint32 AllSongsModel::storeEntry(Entry entry) {
    if (!m_free.empty()) {
        const qint32 slot = m_free.back();
        m_free.pop_back();
        m_entries[size_t(slot)] = std::move(entry);
        return slot;
    }
    m_entries.push_back(std::move(entry));
    return qint32(m_entries.size() - 1);
}

void AllSongsModel::librarySongsChanged() {
    emit totalChanged();
    if (!m_library) return;
    if (m_sorting) {
        m_stale = true;
        return;
    }
    const LibraryChange& change = m_library->lastChange();
    if (m_library->songs().isEmpty()) {
        if (m_order.empty()) return;
        beginResetModel();
        m_entries.clear();
        m_order.clear();
        m_free.clear();
        m_byPath.clear();
        endResetModel();
        rowsMoved();
        return;
    }
    // Starting from nothing, or a change too big to apply row by row: sort the whole list on the worker.
    const qsizetype moved = change.addedSongs.size() + change.removedSongs.size();
    if (m_order.empty() || moved > std::max<qsizetype>(2000, qsizetype(m_order.size()) / 10) ||
        qsizetype(m_order.size()) + change.addedSongs.size() - change.removedSongs.size() !=
            m_library->songs().size()) {
        startSort();
        return;
    }
    apply(change);
}

void AllSongsModel::apply(const LibraryChange& change) {
    for (const QString& path : change.removedSongs) {
        const auto it = m_byPath.find(path);
        if (it == m_byPath.end()) continue;
        const qint32 entry = *it;
        m_byPath.erase(it);
        const int row = rowOfEntry(entry);
        if (row >= 0) {
            beginRemoveRows({}, row, row);
            m_order.erase(m_order.begin() + row);
            endRemoveRows();
        }
        m_entries[size_t(entry)] = Entry{};
        m_free.push_back(entry);
    }
    for (const QString& path : change.changedSongs) {
        const auto it = m_byPath.constFind(path);
        const std::optional<Song> song = m_library->song(path);
        if (it == m_byPath.cend() || !song) continue;
        const qint32 entry = *it;
        const int row = rowOfEntry(entry);
        if (row < 0) continue;
        m_entries[size_t(entry)] = Entry{*song, keyOf(m_sort, *song, *m_collator)};
        const int place = placeFor(m_entries[size_t(entry)], row);
        int now = row;
        if (place != row) {
            // In the rows as they are, the row goes before `place` when moving up and after it when moving
            // down.
            const int destination = place < row ? place : place + 1;
            beginMoveRows({}, row, row, {}, destination);
            m_order.erase(m_order.begin() + row);
            m_order.insert(m_order.begin() + place, entry);
            endMoveRows();
            now = place;
        }
        emit dataChanged(index(now), index(now));
    }
    for (const QString& path : change.addedSongs) {
        const std::optional<Song> song = m_library->song(path);
        if (!song || m_byPath.contains(path)) continue;
        Entry e{*song, keyOf(m_sort, *song, *m_collator)};
        const int place = placeFor(e);
        beginInsertRows({}, place, place);
        const qint32 entry = storeEntry(std::move(e));
        m_order.insert(m_order.begin() + place, entry);
        m_byPath.insert(path, entry);
        endInsertRows();
    }
    if (change.songsTouched()) rowsMoved();
}

void AllSongsModel::startSort() {
    if (!m_library) return;
    if (!m_sorting) {
        m_sorting = true;
        emit readyChanged();
    }
    m_stale = false;
    const QList<Song> songs = m_library->songs();
    const SongSort sort = m_sort;
    m_watcher->setFuture(QtConcurrent::run([songs, sort] { return sorted(sort, songs); }));
}

void AllSongsModel::sortDone() {
    if (m_stale) {
        startSort();
        return;
    }
    QFuture<Sorted> future = m_watcher->future();
    Sorted result = future.takeResult();
    QHash<QString, qint32> byPath;
    byPath.reserve(qsizetype(result.entries.size()));
    for (size_t i = 0; i < result.entries.size(); ++i)
        byPath.insert(result.entries[i].song.url.path, qint32(i));
    const bool sameRows = byPath.size() == m_byPath.size() &&
                          std::all_of(m_byPath.keyBegin(), m_byPath.keyEnd(),
                                      [&](const QString& path) { return byPath.contains(path); });
    const auto install = [&] {
        m_entries = std::move(result.entries);
        m_order = std::move(result.order);
        m_free.clear();
        m_byPath = std::move(byPath);
    };
    if (m_order.empty()) {
        if (!result.order.empty()) {
            beginInsertRows({}, 0, int(result.order.size()) - 1);
            install();
            endInsertRows();
        }
    } else if (sameRows) {
        // A new sort of the same songs: the rows only change places.
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
        install();
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
        emit dataChanged(index(0), index(int(m_order.size()) - 1));
    } else {
        beginRemoveRows({}, 0, int(m_order.size()) - 1);
        m_order.clear();
        endRemoveRows();
        if (!result.order.empty()) {
            beginInsertRows({}, 0, int(result.order.size()) - 1);
            install();
            endInsertRows();
        }
    }
    rowsMoved();
    m_sorting = false;
    emit readyChanged();
}
