#pragma once

#include "SongListModel.h"
#include "Sorts.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QFutureWatcher>
#include <QHash>
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

// Every song of the library in the stored song sort, for the songs section. The order and each row's sort
// key stay in the model: a scan or an edit is applied as row inserts, removals, moves and changes, and a
// full sort (on a worker, the GUI thread meanwhile keeps drawing the rows it has) happens only when the
// sort changes or the rows start from nothing. The rows are reset only when the collection empties.
class AllSongsModel : public SongListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    Q_PROPERTY(Defaults* defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)
    // The stored sort's raw value; writing it stores it.
    Q_PROPERTY(QString sort READ sortRaw WRITE setSortRaw NOTIFY sortChanged)
    Q_PROPERTY(QString sortLabel READ sortLabel NOTIFY sortChanged)
    // False while a full sort runs on the worker.
    Q_PROPERTY(bool ready READ ready NOTIFY readyChanged)
    // The number of songs in the library (the column header's count), whether or not the rows are in yet.
    Q_PROPERTY(int total READ total NOTIFY totalChanged)

public:
    struct Key {
        std::optional<QCollatorSortKey> title;
        QString artist, album;
        qint64 disc = 0, track = 0;
        double added = 0;
    };
    struct Entry {
        Song song;
        Key key;
    };
    // A full sort's result: entries in any order and the rows as indices into them.
    struct Sorted {
        std::vector<Entry> entries;
        std::vector<qint32> order;
    };

    explicit AllSongsModel(QObject* parent = nullptr);
    ~AllSongsModel() override;

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    Defaults* defaults() const { return m_defaults; }
    void setDefaults(Defaults* defaults);
    SongSort sort() const { return m_sort; }
    void setSort(SongSort sort);
    QString sortRaw() const { return Sorts::rawValue(m_sort); }
    void setSortRaw(const QString& raw);
    QString sortLabel() const { return Sorts::label(m_sort); }
    bool ready() const { return !m_sorting; }
    int total() const;
    // The next sort, stored ("a–z" → "by artist" → "by date added" → "a–z").
    Q_INVOKABLE void nextSort();

    int rowCount(const QModelIndex& parent = {}) const override;
    const Song& songAt(int row) const override;

    // The sort's key of a song and the order of two entries: the sort's own rules, then the path, so that
    // every song has one place whether the list was sorted whole or the song was put in afterwards.
    static Key keyOf(SongSort sort, const Song& song, const QCollator& collator);
    static bool less(SongSort sort, const Entry& a, const Entry& b);
    static Sorted sorted(SongSort sort, const QList<Song>& songs);

signals:
    void libraryChanged();
    void defaultsChanged();
    void sortChanged();
    void readyChanged();
    void totalChanged();

protected:
    LibraryStore* editedLibrary() const override { return m_library; }
    QList<int> rowsOf(const QString& path) const override;

private:
    void librarySongsChanged();
    void apply(const LibraryChange& change);
    void startSort();
    void sortDone();
    void readSort();
    int rowOfEntry(qint32 entry) const;
    int placeFor(const Entry& entry, qint32 skipRow = -1) const;
    qint32 storeEntry(Entry entry);

    QPointer<LibraryStore> m_library;
    QPointer<Defaults> m_defaults;
    SongSort m_sort = SortSetting::songsDefault;
    std::vector<Entry> m_entries;
    std::vector<qint32> m_order;
    std::vector<qint32> m_free;
    QHash<QString, qint32> m_byPath;
    bool m_sorting = false;
    // The library changed while the worker sorted a copy: its result is stale and the sort runs again.
    bool m_stale = false;
    std::unique_ptr<QFutureWatcher<Sorted>> m_watcher;
    std::unique_ptr<QCollator> m_collator;
    QMetaObject::Connection m_libraryConnection, m_defaultsConnection;
};
