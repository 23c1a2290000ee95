#pragma once

#include "library/LibraryStore.h"
#include "support/Songs.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The cache is read on a worker; the collection arrives a moment after the store is made.
inline bool waitLoaded(const LibraryStore& store) {
    return QTest::qWaitFor([&] { return store.loaded(); }, 10000);
}

// A library store that starts from a cache holding `songs` and never finds anything when it scans: the
// collection is exactly what the test put there.
inline std::unique_ptr<LibraryStore> libraryWith(Defaults& defaults, const QList<Song>& songs) {
    EXPECT_TRUE(LibraryStore::writeCache(LibraryStore::encodeCache(songs)));
    auto store = std::make_unique<LibraryStore>(
        defaults, [](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
            return QList<Song>{};
        });
    EXPECT_TRUE(waitLoaded(*store));
    return store;
}

inline QStringList pathsOf(const QList<Song>& songs) {
    QStringList out;
    for (const Song& s : songs)
        out.append(s.url.path);
    return out;
}

inline QStringList titlesOf(const QList<Song>& songs) {
    QStringList out;
    for (const Song& s : songs)
        out.append(s.title);
    return out;
}
