#pragma once

#include "FileUrl.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class RecursiveWatcher;

// Watches the music folder for changes made by other programs and calls `onChange` at most once per batch
// of changes gathered over `latency`, when something in the batch could be a song or a folder of songs.
// It never says what changed: the owner answers with a full rescan. Destroying it stops everything.
class FolderWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultLatencyMs = 2000;

    // nullptr when the folder cannot be watched.
    static std::unique_ptr<FolderWatcher> make(const FileUrl& folder, std::function<void()> onChange,
                                               int latencyMs = defaultLatencyMs);
    ~FolderWatcher() override;

    // Whether a changed path matters: not inside a hidden folder or a ".musiclibrary" package, and a folder,
    // a name without extension or a playable file.
    static bool counts(const QString& path, bool isFolder);

    // Some folders are not watched because the system's limit of watches was reached.
    bool partial() const;

signals:
    // Once, when the watch limit is first reached.
    void limitReached();

private:
    FolderWatcher(std::function<void()> onChange, int latencyMs);
    void deliver();

    std::function<void()> m_onChange;
    RecursiveWatcher* m_watcher = nullptr;
    QTimer m_batch;
    bool m_pending = false;
};
