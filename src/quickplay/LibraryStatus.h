#pragma once

#include "library/LibraryStore.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <optional>

// What the library's status line and the empty-library page say, decided here from the library store's
// folder, scan state and import status; the views only draw it. Texts are lower case: the views show them
// through the caption style, which upper-cases them.
class LibraryStatus : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    // The one-line status; empty when there is nothing to say (then the line takes no space).
    Q_PROPERTY(QString text READ text NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString explanation READ explanation NOTIFY changed)
    // The empty library offers its two buttons only while nothing is going on; the status line stands in
    // their place otherwise.
    Q_PROPERTY(bool offersButtons READ offersButtons NOTIFY changed)

public:
    explicit LibraryStatus(QObject* parent = nullptr);

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);

    QString text() const;
    QString title() const;
    QString explanation() const;
    bool offersButtons() const;

    // The status line's rule: an import status first, then the scan ("looking for songs" until it knows
    // how many there are, then "reading D of T songs" in plain digits), else nothing.
    static QString statusText(const std::optional<QString>& importStatus, bool scanning,
                              ScanProgress progress);
    static QString emptyTitle(bool scanning);
    static QString emptyExplanation(const QString& folderPath);

signals:
    void libraryChanged();
    void changed();

private:
    QPointer<LibraryStore> m_library;
};
