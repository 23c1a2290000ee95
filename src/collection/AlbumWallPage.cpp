#include "AlbumWallPage.h"

#include "core/Defaults.h"
#include "library/LibraryStore.h"

#include <QtConcurrent/QtConcurrentRun>

AlbumWallPage::AlbumWallPage(QObject* parent) : QObject(parent) {
    m_grid.setSecond(AlbumGridModel::SecondLine::artist);
    m_grid.setHasRight(true);
    connect(&m_grid, &AlbumGridModel::selectionPicked, this, &AlbumWallPage::setSelection);
    connect(&m_pending, &QFutureWatcher<Grouped>::finished, this, [this] {
        if (!m_waiting || m_pending.isCanceled()) return;
        m_waiting = false;
        Grouped grouped = m_pending.result();
        m_grid.setGroups(std::move(grouped.groups), std::move(grouped.index));
        if (m_grid.albumCount() != m_count) {
            m_count = m_grid.albumCount();
            emit countChanged();
        }
        updateShown();
    });
}

void AlbumWallPage::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    disconnect(m_libraryConnection);
    m_library = library;
    if (m_library)
        m_libraryConnection =
            connect(m_library, &LibraryStore::albumsChanged, this, [this] { regroup(false); });
    regroup(true);
    emit libraryChanged();
}

void AlbumWallPage::setDefaults(Defaults* defaults) {
    if (m_defaults == defaults) return;
    disconnect(m_defaultsConnection);
    m_defaults = defaults;
    if (m_defaults)
        m_defaultsConnection = connect(m_defaults, &Defaults::changed, this, [this](const QString& key) {
            if (key == SortSetting::albumWall) readSort();
        });
    readSort();
    emit defaultsChanged();
}

void AlbumWallPage::readSort() {
    const AlbumSort sort =
        m_defaults ? SortSetting::albumWallSort(*m_defaults) : SortSetting::albumWallDefault;
    if (sort == m_sort) return;
    m_sort = sort;
    regroup(true);
    emit sortChanged();
}

void AlbumWallPage::nextSort() {
    const AlbumSort next = Sorts::next(m_sort);
    if (m_defaults) SortSetting::setAlbumSort(*m_defaults, SortSetting::albumWall, next);
    // Stored or not, the grid follows at once (the store's signal then finds the sort in place).
    if (next != m_sort) {
        m_sort = next;
        regroup(true);
        emit sortChanged();
    }
}

void AlbumWallPage::componentComplete() {
    m_building = false;
    groupOnWorker();
}

void AlbumWallPage::groupOnWorker() {
    if (!m_library) {
        regroup(true);
        return;
    }
    // The header counts the albums at once; the grid and the shown album follow with the groups.
    if (const int count = int(m_library->albums().size()); count != m_count) {
        m_count = count;
        emit countChanged();
    }
    m_waiting = true;
    m_pending.setFuture(QtConcurrent::run([sort = m_sort, albums = m_library->albums(), now = Date::now()] {
        Grouped out;
        out.groups = Sorts::grouped(sort, albums, now);
        out.index = AlbumGridModel::indexOf(out.groups);
        return out;
    }));
}

void AlbumWallPage::regroup(bool relayout) {
    if (m_building) return;
    // Grouped here and now: a result still on its way from the worker is older than this.
    m_waiting = false;
    QList<AlbumGroup> groups;
    if (m_library) groups = Sorts::grouped(m_sort, m_library->albums(), Date::now());
    m_grid.setGroups(std::move(groups), relayout);
    if (m_grid.albumCount() != m_count) {
        m_count = m_grid.albumCount();
        emit countChanged();
    }
    updateShown();
}

void AlbumWallPage::setSelection(const QString& selection) {
    if (m_selection == selection) return;
    m_selection = selection;
    emit selectionChanged();
    updateShown();
}

void AlbumWallPage::updateShown() {
    const QString shown =
        !m_selection.isEmpty() && m_grid.rowOf(m_selection) >= 0 ? m_selection : m_grid.firstAlbum();
    m_grid.setSelection(shown);
    if (shown == m_shown) return;
    m_shown = shown;
    emit shownChanged();
}
