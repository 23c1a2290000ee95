#pragma once

#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "support/TestHome.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

// The real library store (and, when asked, the player) over a private home. The library starts from a
// cache of the songs given to `startLibrary`; every later scan finds what the test last put on disk.
struct LibraryRig {
    TestHome home;
    QString musicFolder = home.folder(QStringLiteral("Music"));
    Defaults defaults;
    FakeMediaBackend backend;

private:
    // Declared before the library: its scan thread reads them until the library is gone.
    std::mutex m_diskLock;
    QList<Song> m_onDisk;

public:
    std::unique_ptr<LibraryStore> library;
    std::unique_ptr<Player> player;

    void startLibrary(const QList<Song>& songs) {
        setOnDisk(songs);
        defaults.set(QStringLiteral("libraryFolder"), musicFolder);
        EXPECT_TRUE(LibraryStore::writeCache(LibraryStore::encodeCache(songs)));
        library = std::make_unique<LibraryStore>(
            defaults, [this](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
                std::lock_guard lock(m_diskLock);
                return m_onDisk;
            });
        EXPECT_TRUE(QTest::qWaitFor([this] { return library->loaded(); }, 10000));
    }
    void startPlayer(LastFMStore* lastFM = nullptr) {
        player = std::make_unique<Player>(defaults, backend);
        player->setStores(library.get(), lastFM);
    }
    void setOnDisk(const QList<Song>& songs) {
        std::lock_guard lock(m_diskLock);
        m_onDisk = songs;
    }
    // The library scanned again over `songs`, waited for.
    void rescan(const QList<Song>& songs) {
        setOnDisk(songs);
        library->scan();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !library->scanning(); }, 10000));
    }
};
