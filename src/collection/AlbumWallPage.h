#pragma once

#include "AlbumGridModel.h"
#include "Sorts.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include "core/Defaults.h"
#include "library/LibraryStore.h"

// The albums section's state and rules: every album of the library in the grid, grouped by the stored
// sort ("albumWallSort"), and which album the column beside the grid shows: the chosen one while the
// library has it, else the first album of the first group. A chosen album that left the library stays
// chosen (it shows again if it comes back) until the user chooses another. The QML only draws this.
class AlbumWallPage : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    Q_PROPERTY(Defaults* defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)
    Q_PROPERTY(AlbumGridModel* grid READ grid CONSTANT)
    Q_PROPERTY(QString sort READ sortRaw NOTIFY sortChanged)
    Q_PROPERTY(QString sortLabel READ sortLabel NOTIFY sortChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    // The user's choice; empty until one is made.
    Q_PROPERTY(QString selection READ selection WRITE setSelection NOTIFY selectionChanged)
    // The album shown beside the grid and marked in it; empty when the library has none.
    Q_PROPERTY(QString shown READ shown NOTIFY shownChanged)

public:
    explicit AlbumWallPage(QObject* parent = nullptr);

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    Defaults* defaults() const { return m_defaults; }
    void setDefaults(Defaults* defaults);
    AlbumGridModel* grid() { return &m_grid; }
    AlbumSort sort() const { return m_sort; }
    QString sortRaw() const { return Sorts::rawValue(m_sort); }
    QString sortLabel() const { return Sorts::label(m_sort); }
    int count() const { return m_count; }
    QString selection() const { return m_selection; }
    void setSelection(const QString& selection);
    QString shown() const { return m_shown; }

    // The next sort, stored and applied at once; the shown album stays shown.
    Q_INVOKABLE void nextSort();

    // Made from QML, the page groups once, when all its stores are set (not once for each of them), and
    // on a worker: the section draws at once and its grid fills in as soon as the albums are grouped.
    // Everything after that (a sort click, a library change) regroups at once on this thread.
    void classBegin() override { m_building = true; }
    void componentComplete() override;
    // Grouping on the worker, not yet in the grid.
    bool pending() const { return m_pending.isRunning() || m_waiting; }

signals:
    void libraryChanged();
    void defaultsChanged();
    void sortChanged();
    void countChanged();
    void selectionChanged();
    void shownChanged();

private:
    void regroup(bool relayout);
    void groupOnWorker();
    void readSort();
    void updateShown();

    QPointer<LibraryStore> m_library;
    QPointer<Defaults> m_defaults;
    AlbumGridModel m_grid;
    AlbumSort m_sort = SortSetting::albumWallDefault;
    QString m_selection;
    QString m_shown;
    int m_count = 0;
    bool m_building = false;
    struct Grouped {
        QList<AlbumGroup> groups;
        AlbumGridModel::Index index;
    };
    // The worker works on its own copies of the albums, so it may end after the page has gone.
    QFutureWatcher<Grouped> m_pending;
    // The worker's result is still wanted: cleared by any regrouping made here meanwhile.
    bool m_waiting = false;
    QMetaObject::Connection m_libraryConnection, m_defaultsConnection;
};
