// Bringing dropped or chosen music into the music folder.
#include "LibraryStore.h"
#include "MusicImport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

void LibraryStore::setImportStatus(const std::optional<QString>& text) {
    if (m_importStatus == text) return;
    m_importStatus = text;
    emit importStatusChanged();
}

void LibraryStore::showPassingStatus(const QString& text) {
    setImportStatus(text);
    QTimer::singleShot(statusClearMs, this, [this, text] {
        if (m_importStatus == text) setImportStatus(std::nullopt);
    });
}

QString LibraryStore::addMusicMessage() const {
    return QStringLiteral("Choose songs or folders to copy into ") + QFileInfo(m_folder.path).fileName() +
           QLatin1Char('.');
}

void LibraryStore::bringIn(const QList<QUrl>& urls) {
    QList<FileUrl> items;
    for (const QUrl& url : urls)
        if (url.isLocalFile()) items.append(FileUrl::fromPath(url.toLocalFile()));
    bringIn(items);
}

void LibraryStore::bringIn(const QList<FileUrl>& items) {
    // Everything the copy needs is taken here, on the GUI thread: the worker never reads the store.
    const QString folder = m_folder.path;
    QSet<QString> known;
    known.reserve(m_raw.size());
    for (const Song& song : scanned())
        known.insert(identity(song));
    setImportStatus(QStringLiteral("looking at what you dropped"));

    // Results go back through the application object, which outlives any store, and reach the store only
    // if it still exists.
    const QPointer<LibraryStore> store(this);
    const auto onGuiThread = [store](auto apply) {
        QMetaObject::invokeMethod(
            qApp,
            [store, apply] {
                if (store) apply(*store);
            },
            Qt::QueuedConnection);
    };
    // The application waits for the global pool when it quits; the store's stop flag ends the copying
    // between two files, so a quit does not wait for the rest of a large drop.
    QThreadPool::globalInstance()->start([items, folder, known, onGuiThread, stop = m_stop] {
        const MusicImport::Result result = MusicImport::run(
            items, folder, known, &LibraryStore::identity,
            [&](const QString& text) { onGuiThread([text](LibraryStore& s) { s.setImportStatus(text); }); },
            stop.get());
        onGuiThread([text = result.endText](LibraryStore& s) {
            s.showPassingStatus(text);
            s.scan();
        });
    });
}
