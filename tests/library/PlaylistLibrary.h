#pragma once

#include "support/Songs.h"
#include "library/LibraryStore.h"

#include <gtest/gtest.h>
#include <memory>

// A library store that starts from a cache holding `songs` and never finds anything when it scans: the
// collection is exactly what the test put there.
inline std::unique_ptr<LibraryStore> libraryWith(Defaults& defaults, const QList<Song>& songs) {
    EXPECT_TRUE(LibraryStore::writeCache(LibraryStore::encodeCache(songs)));
    return std::make_unique<LibraryStore>(defaults,
                                          [](const FileUrl&, const QHash<QString, Song>&,
                                             const LibraryScanner::Progress&) { return QList<Song>{}; });
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
