#include "nowplaying/MiniPlayerModel.h"
#include "library/PlaylistLibrary.h"
#include "playback/PlayerRig.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
// A player and a library holding one album of two songs ("Night Songs": track 1 "Opening", track 2
// "ÉTÉ Nights"); the model watches both and opens windows through an opener that records the names.
struct MiniRig {
    PlayerRig rig;
    Song opening = track("/m/Lune/Night Songs/1.flac", "Opening", 1);
    Song summer = track("/m/Lune/Night Songs/2.flac", "ÉTÉ Nights", 2);
    std::unique_ptr<LibraryStore> library = libraryWith(*rig.defaults, {opening, summer});
    QStringList opened;
    WindowOpener windows{[this](const QString& id) {
        opened.append(id);
        return true;
    }};
    MiniPlayerModel model;

    MiniRig() {
        model.setPlayer(rig.player.get());
        model.setLibrary(library.get());
        model.setWindows(&windows);
    }
    static Song track(const QString& path, const QString& title, int number) {
        Song s = makeSong(path, "Lune DeVille", "Night Songs", title);
        s.track = number;
        return s;
    }
};
} // namespace

TEST(MiniPlayerModel, WhatTheLinesAndTheCoverShow) {
    MiniRig m;
    Song stray = makeSong("/elsewhere/loose.mp3", "mOOn Unit", "Not Scanned", "Loose End");
    struct Case {
        const char* name;
        std::optional<Song> song;
        QString title, artist;
        QUrl cover;
        QString kind;
    };
    const Case cases[] = {
        {"nothing plays", std::nullopt, "nothing playing", " ", QUrl(), "song"},
        // The title is lower-cased, accents too; the album's cover is its first song's picture.
        {"a song of the library", m.summer, "été nights", "Lune DeVille", m.opening.url.toUrl(), "album"},
        // The artist keeps its case; an album the library doesn't know gives the song's own file.
        {"a song outside the library", stray, "loose end", "mOOn Unit", stray.url.toUrl(), "album"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.song)
            m.rig->play({*c.song});
        else
            m.rig->setQueue({});
        EXPECT_EQ(m.model.present(), c.song.has_value());
        EXPECT_EQ(m.model.title(), c.title);
        EXPECT_EQ(m.model.artist(), c.artist);
        EXPECT_EQ(m.model.cover(), c.cover);
        EXPECT_EQ(m.model.placeholderKind(), c.kind);
    }
}

TEST(MiniPlayerModel, FollowsTheQueueAndTheIndex) {
    MiniRig m;
    QSignalSpy changed(&m.model, &MiniPlayerModel::changed);
    m.rig->play({m.opening, m.summer});
    EXPECT_EQ(m.model.title(), "opening");
    m.rig->next(false);
    EXPECT_EQ(m.model.title(), "été nights");
    m.rig->setQueue({});
    EXPECT_EQ(m.model.title(), "nothing playing");
    EXPECT_EQ(m.model.cover(), QUrl());
    EXPECT_EQ(changed.size(), 3);

    // A song with no artist still keeps the artist line.
    Song unnamed = makeSong("/m/x.mp3", "", "", "X");
    m.rig->play({unnamed});
    EXPECT_EQ(m.model.artist(), " ");

    // Without a library, the song's own file is where the picture is looked for.
    m.model.setLibrary(nullptr);
    m.rig->play({m.summer});
    EXPECT_EQ(m.model.cover(), m.summer.url.toUrl());
}

TEST(MiniPlayerModel, SpacePlaysAndPausesAndTheButtonOpensTheMainWindow) {
    MiniRig m;
    m.rig->play({m.opening});
    ASSERT_TRUE(m.rig->isPlaying());
    EXPECT_TRUE(m.model.key(Qt::Key_Space, Qt::NoModifier));
    EXPECT_FALSE(m.rig->isPlaying());
    EXPECT_TRUE(m.model.key(Qt::Key_Space, Qt::KeypadModifier));
    EXPECT_TRUE(m.rig->isPlaying());
    // Space with a modifier, and other keys, are left to the application's shortcuts.
    EXPECT_FALSE(m.model.key(Qt::Key_Space, Qt::ControlModifier));
    EXPECT_FALSE(m.model.key(Qt::Key_Escape, Qt::NoModifier));
    EXPECT_FALSE(m.model.key(Qt::Key_P, Qt::NoModifier));
    EXPECT_TRUE(m.rig->isPlaying());

    // The way back works whether or not music plays.
    EXPECT_TRUE(m.model.openFullWindow());
    m.rig->setQueue({});
    EXPECT_TRUE(m.model.openFullWindow());
    EXPECT_EQ(m.opened, QStringList({"main", "main"}));
    m.model.setWindows(nullptr);
    EXPECT_FALSE(m.model.openFullWindow());
}
