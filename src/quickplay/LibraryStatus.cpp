#include "LibraryStatus.h"

LibraryStatus::LibraryStatus(QObject* parent) : QObject(parent) {}

void LibraryStatus::setLibrary(LibraryStore* library) {
    if (library == m_library) return;
    if (m_library) disconnect(m_library, nullptr, this, nullptr);
    m_library = library;
    if (library) {
        for (auto signal : {&LibraryStore::scanningChanged, &LibraryStore::scanProgressChanged,
                            &LibraryStore::importStatusChanged, &LibraryStore::folderChanged})
            connect(library, signal, this, &LibraryStatus::changed);
    }
    emit libraryChanged();
    emit changed();
}

QString LibraryStatus::statusText(const std::optional<QString>& importStatus, bool scanning,
                                  ScanProgress progress) {
    if (importStatus) return *importStatus;
    if (!scanning) return {};
    if (progress.total < 1) return QStringLiteral("looking for songs");
    // Plain digits whatever the locale: "1200", never "1,200" or "1.200".
    return QStringLiteral("reading %1 of %2 songs")
        .arg(QString::number(progress.done), QString::number(progress.total));
}

QString LibraryStatus::emptyTitle(bool scanning) {
    return scanning ? QStringLiteral("reading your music") : QStringLiteral("your music goes here");
}

QString LibraryStatus::emptyExplanation(const QString& folderPath) {
    return QStringLiteral("VELTO looks for songs in ") + folderPath +
           QStringLiteral(", and keeps an eye on it for new ones. You can also drop songs or folders on "
                          "this window to copy them in.");
}

QString LibraryStatus::text() const {
    if (!m_library) return {};
    return statusText(m_library->importStatus(), m_library->scanning(), m_library->scanProgress());
}

QString LibraryStatus::title() const {
    return emptyTitle(m_library && m_library->scanning());
}

QString LibraryStatus::explanation() const {
    return emptyExplanation(m_library ? m_library->folder().path : QString());
}

bool LibraryStatus::offersButtons() const {
    return !m_library || (!m_library->scanning() && !m_library->importStatus());
}
