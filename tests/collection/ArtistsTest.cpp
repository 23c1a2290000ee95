#include "collection/ArtistListModel.h"
#include "collection/ArtistMostPlayed.h"
#include "collection/ArtistPageModel.h"
#include "collection/ArtistSection.h"
#include "collection/ArtistSimilar.h"
#include "collection/HeroMotion.h"
#include "core/Defaults.h"
#include "kit/MenuContext.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"
#include "playback/RelatedArtists.h"
#include "shell/AppModel.h"
#include "support/LibraryRig.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QImage>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

Song track(const QString& artist, const QString& album, const QString& title, double seconds = 200) {
    Song s = makeSong(QStringLiteral("/m/%1/%2/%3.mp3").arg(artist, album, title), artist, album, title);
    s.duration = seconds;
    return s;
}

// The real stores over a private home. The library holds what the test says and rescans to what it says
// next; play counts are what the settings held when the player was made.
struct Rig : LibraryRig {
    AppModel app{defaults};
    PlaylistStore playlists;
    PlayerMusic music{defaults};
    LastFMStore lastFM{defaults};
    ArtistImageStore pictures;

    explicit Rig(const QList<Song>& songs, const QHash<QString, int>& plays = {}) {
        QJsonObject counts;
        for (auto it = plays.cbegin(); it != plays.cend(); ++it)
            counts.insert(it.key(), it.value());
        if (!counts.isEmpty()) defaults.set(QStringLiteral("playCounts"), counts);
        startLibrary(songs);
        startPlayer(&lastFM);
    }
    MenuContext context() { return MenuContext(app, *library, *player, playlists, music, lastFM); }
    Artist artist(const QString& name) const { return *library->artist(name); }
};

QStringList layout(const DropMenuPage& page) {
    QStringList out;
    for (const DropMenuSection& s : page.sections()) {
        QStringList rows;
        for (const DropMenuItem& i : s.items)
            rows.append(i.title + (i.destructive ? QStringLiteral(" (destructive)") : QString()));
        out.append(s.title.value_or(QStringLiteral("-")) + QStringLiteral(": ") +
                   rows.join(QStringLiteral(", ")));
    }
    return out;
}

const DropMenuItem* rowOf(const DropMenuPage& page, const QString& title) {
    for (const DropMenuItem& i : page.items())
        if (i.title == title) return &i;
    return nullptr;
}

} // namespace

TEST(HeroMotion, FollowsTheScrollAsATableOfCases) {
    // The hero's height from the page's: 0.42 of it, between 270 and 360.
    EXPECT_EQ(HeroMotion::compute(0, 600, 1000, false).height, 270);
    EXPECT_EQ(HeroMotion::compute(0, 800, 1000, false).height, 336);
    EXPECT_EQ(HeroMotion::compute(0, 900, 1000, false).height, 360);
    EXPECT_EQ(HeroMotion::compute(0, 2000, 1000, false).height, 360);
    // A narrow page still lays its blocks out 260 wide.
    EXPECT_EQ(HeroMotion::compute(0, 800, 300, false).contentWidth, 260);
    EXPECT_EQ(HeroMotion::compute(0, 800, 1000, false).contentWidth, 936);

    // h 800: height 336, nameY 195, glideSpan 167.
    struct Case {
        double scrolled;
        double glide, progress, nameTop;
    };
    const double span = 167;
    const double p66 = 0; // smoothstep of 0 at two thirds of the glide
    const Case cases[] = {
        {0, 0, 0, 195 - 43},
        {0.66 * span, 0.66, p66, std::max(195 - 0.66 * span, 28.0) - 43},
        {span, 1, 1, 28 - 43},
        {-40, 0, 0, 195 + 40 - 43},
        {std::nan(""), 0, 0, 195 - 43},
        {1000, 1, 1, 28 - 43},
    };
    for (const Case& c : cases) {
        const HeroMotion::State s = HeroMotion::compute(c.scrolled, 800, 1000, false);
        SCOPED_TRACE(c.scrolled);
        EXPECT_EQ(s.glideSpan, span);
        EXPECT_NEAR(s.glide, c.glide, 1e-9);
        EXPECT_NEAR(s.progress, c.progress, 1e-9);
        EXPECT_NEAR(s.nameTop, c.nameTop, 1e-9);
        EXPECT_NEAR(s.nameScale, 1 - 0.6388888888888888 * c.glide, 1e-9);
        EXPECT_NEAR(s.nameX, 32 + 30 * c.glide, 1e-9);
    }
    // Half-way through the last third the bar is half in.
    EXPECT_NEAR(HeroMotion::compute(0.83 * span, 800, 1000, false).progress, 0.5, 1e-9);
    // The hero is fully dark at two thirds of the glide; the facts fade the same way.
    EXPECT_NEAR(HeroMotion::compute(span / 3, 800, 1000, false).darkening, 0.25, 1e-9);
    EXPECT_NEAR(HeroMotion::compute(span * 2 / 3, 800, 1000, false).fade, 1, 1e-9);

    // Pulled down 60 on a 300 hero: the picture grows to 1.2; with reduce motion it stays.
    const double h300 = 300 / 0.42; // a page whose hero is exactly 300
    EXPECT_NEAR(HeroMotion::compute(0, h300, 1000, false).height, 300, 1e-9);
    EXPECT_NEAR(HeroMotion::compute(-60, h300, 1000, false).stretch, 1.2, 1e-9);
    EXPECT_EQ(HeroMotion::compute(-60, h300, 1000, true).stretch, 1);
    EXPECT_EQ(HeroMotion::compute(100, h300, 1000, false).parallax, 50);
    EXPECT_EQ(HeroMotion::compute(100, h300, 1000, true).parallax, 0);

    // The open album's songs take 380 and 36 between from the page's width.
    EXPECT_EQ(HeroMotion::columnWidth(1000, true), 584);
    EXPECT_EQ(HeroMotion::columnWidth(1000, false), 1000);
    // …and give it back as they come and go: halfway in, half of it; they slide in from the trailing
    // edge, or with reduce motion only fade in where they stand.
    EXPECT_EQ(HeroMotion::columnWidth(1000, 0.5), 792);
    EXPECT_EQ(HeroMotion::songsX(1000, 1, false), 620);
    EXPECT_EQ(HeroMotion::songsX(1000, 0, false), 1000);
    EXPECT_EQ(HeroMotion::songsX(1000, 0.5, false), 810);
    EXPECT_EQ(HeroMotion::songsX(1000, 0, true), 620);
    // A cell comes into a view 500 high by the least scroll; one taller than the view shows its top.
    struct Reveal {
        double top, bottom, offset, to;
    };
    const Reveal reveals[] = {
        {100, 300, 0, 0},     // whole in view: stays
        {600, 800, 0, 300},   // below: its bottom at the view's
        {100, 300, 200, 100}, // above: its top at the view's
        {600, 1200, 0, 600},  // taller than the view: its top
    };
    for (const Reveal& r : reveals)
        EXPECT_EQ(HeroMotion::revealOffset(r.top, r.bottom, r.offset, 500), r.to) << r.top << " " << r.offset;

    // The shortest page still scrolls past the glide: content of height + h − 56.
    for (double h : {600.0, 800.0, 1200.0}) {
        const HeroMotion::State s = HeroMotion::compute(0, h, 1000, false);
        EXPECT_EQ(s.minimumContent, s.height + h - 56);
        const double canScroll = s.minimumContent - h;
        EXPECT_EQ(HeroMotion::compute(canScroll, h, 1000, false).progress, 1);
    }
}

TEST(HeroMotion, TheBarTakesClicksOnlyPastNineTenthsAndSwitchesWithReducedMotion) {
    EXPECT_FALSE(HeroMotion::takesClicks(0.9));
    EXPECT_TRUE(HeroMotion::takesClicks(0.901));
    // h 800: glideSpan 167. Reduced motion: nothing until the offset passes it, then the whole bar.
    EXPECT_EQ(HeroMotion::compute(167, 800, 1000, true).barProgress, 0);
    EXPECT_EQ(HeroMotion::compute(167.5, 800, 1000, true).barProgress, 1);
    EXPECT_TRUE(HeroMotion::compute(167.5, 800, 1000, true).barTakesClicks);
    EXPECT_FALSE(HeroMotion::compute(150, 800, 1000, false).barTakesClicks);
}

TEST(ArtistHero, TheStripShowsTheNewestAlbumsThatFit) {
    EXPECT_EQ(ArtistPageModel::stripCount(1000, 300), 2);
    EXPECT_EQ(ArtistPageModel::stripCount(400, 300), 1);
    EXPECT_EQ(ArtistPageModel::stripCount(100, 300), 1);

    auto album = [](const QString& title, std::optional<qint64> year, double added) {
        Song s = track(QStringLiteral("Ann"), title, QStringLiteral("x"));
        s.year = year;
        s.added = Date{added};
        Album a;
        a.title = title;
        a.artist = QStringLiteral("Ann");
        a.songs = {s};
        return a;
    };
    // Two yearless albums by their added dates, then the dated one after both.
    const QList<Album> albums{album("Dated", 1999, 1), album("Later", std::nullopt, 50),
                              album("Earlier", std::nullopt, 10)};
    QStringList titles;
    for (const Album& a : ArtistPageModel::strip(albums, 3))
        titles.append(a.title);
    EXPECT_EQ(titles, (QStringList{"Earlier", "Later", "Dated"}));
    titles.clear();
    for (const Album& a : ArtistPageModel::strip(albums, 2))
        titles.append(a.title);
    EXPECT_EQ(titles, (QStringList{"Later", "Dated"}));
}

TEST(ArtistHero, FactsSayCountsLengthGenrePlaysAndLikes) {
    auto artistOf = [](const QList<double>& durations) {
        Album a;
        a.title = QStringLiteral("A");
        a.artist = QStringLiteral("Ann");
        for (int i = 0; i < durations.size(); ++i)
            a.songs.append(
                track(QStringLiteral("Ann"), QStringLiteral("A"), QString::number(i), durations[i]));
        Artist artist;
        artist.name = QStringLiteral("Ann");
        if (!a.songs.isEmpty()) artist.albums = {a};
        return artist;
    };
    struct Case {
        QList<double> durations;
        QString facts;
    };
    const Case cases[] = {
        {{59 * 60}, "1 album · 1 song · 59 min"},
        {{60 * 60}, "1 album · 1 song · 1 hr 0 min"},
        {{30}, "1 album · 1 song · 1 min"},
        {{89}, "1 album · 1 song · 1 min"},
        {{90}, "1 album · 1 song · 2 min"},
        {{3600, 3600, 1800}, "1 album · 3 songs · 2 hr 30 min"},
        // Nothing to play has no length.
        {{}, "0 albums · 0 songs"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArtistPageModel::facts(artistOf(c.durations), {}, {}), c.facts);

    Artist two = artistOf({100, 100});
    two.albums[0].songs.edit(0).genre = QStringLiteral("rock");
    const QString first = two.albums[0].songs[0].path(), second = two.albums[0].songs[1].path();
    EXPECT_EQ(ArtistPageModel::facts(two, {{first, 1}}, {}), "1 album · 2 songs · 3 min · rock · 1 play");
    EXPECT_EQ(ArtistPageModel::facts(two, {{first, 2}, {second, 3}}, {second}),
              "1 album · 2 songs · 3 min · rock · 5 plays · 1 liked");
    EXPECT_EQ(ArtistPageModel::facts(two, {{first, 0}}, {}), "1 album · 2 songs · 3 min · rock");
}

TEST(ArtistHero, TheMoreMenuOffersThePictureRowsThatApply) {
    Rig rig({track("Mira", "Blue", "One"), track("Mira", "Blue", "Two")});
    MenuContext context = rig.context();
    const Artist mira = rig.artist(QStringLiteral("Mira"));

    EXPECT_EQ(layout(ArtistMenus::more(context, rig.pictures, mira)),
              (QStringList{"-: play next, add to now playing, add to playlist",
                           "keep handy: pinned to quickplay, in quickplay smart dj, on the player",
                           QStringLiteral("-: add a picture…")}));

    const QString file = rig.home.folder(QStringLiteral("Pictures")) + QStringLiteral("/face.png");
    QImage face(20, 20, QImage::Format_RGB32);
    face.fill(Qt::red);
    ASSERT_TRUE(face.save(file));
    ArtistPageModel page;
    page.setPictures(&rig.pictures);
    page.setLibrary(rig.library.get());
    page.setName(QStringLiteral("mira"));
    // A drop takes the first file; a file that is no picture is refused and changes nothing.
    EXPECT_FALSE(page.dropPicture({QUrl::fromLocalFile(rig.home.folder(QStringLiteral("Pictures")))}));
    EXPECT_FALSE(page.dropPicture({}));
    EXPECT_FALSE(page.hasPicture());
    EXPECT_TRUE(page.dropPicture({QUrl::fromLocalFile(file), QUrl::fromLocalFile(QStringLiteral("/nope"))}));
    EXPECT_TRUE(page.hasPicture());

    const DropMenuPage more = ArtistMenus::more(context, rig.pictures, mira);
    EXPECT_EQ(more.items().size(), 8u);
    EXPECT_EQ(layout(more).last(), QStringLiteral("-: change picture…, remove picture (destructive)"));
    rowOf(more, QStringLiteral("remove picture"))->run();
    EXPECT_FALSE(page.hasPicture());

    // The hero's right-click menu ends with the picture section.
    EXPECT_EQ(layout(ArtistMenus::hero(context, rig.pictures, mira)).last(),
              QStringLiteral("picture: add a picture…"));

    // "on the player" acts on what the menu showed: first it adds, then, built again, it removes.
    rowOf(ArtistMenus::more(context, rig.pictures, mira), QStringLiteral("on the player"))->run();
    EXPECT_EQ(rig.music.picks().size(), 1);
    EXPECT_FALSE(rig.player->noticeText().isEmpty());
    const DropMenuPage again = ArtistMenus::more(context, rig.pictures, mira);
    EXPECT_TRUE(rowOf(again, QStringLiteral("on the player"))->checked);
    rowOf(again, QStringLiteral("on the player"))->run();
    EXPECT_TRUE(rig.music.picks().isEmpty());

    // The checks are taken as the menu is built.
    rowOf(again, QStringLiteral("in quickplay smart dj"))->run();
    EXPECT_TRUE(rig.app.hasSmartDJ(QStringLiteral("Mira")));
    EXPECT_TRUE(rowOf(ArtistMenus::more(context, rig.pictures, mira), QStringLiteral("in quickplay smart dj"))
                    ->checked);
}

TEST(MostPlayed, ListsFiveByPlaysThenPlainTitleOrder) {
    QList<Song> songs;
    for (const char* t : {"a", "b", "B", "c", "d", "e", "never"})
        songs.append(track(QStringLiteral("Ann"), QStringLiteral("One"), QString::fromUtf8(t)));
    // On another album: the library keeps one of two songs that differ only in letter case on one album.
    songs[2] = track(QStringLiteral("Ann"), QStringLiteral("Two"), QStringLiteral("B"));
    auto path = [&](int i) { return songs[i].path(); };
    const QHash<QString, int> plays{{path(0), 1}, {path(1), 3}, {path(2), 3},
                                    {path(3), 7}, {path(4), 2}, {path(5), 1}};
    EXPECT_EQ(titles(ArtistMostPlayed::choose(songs, plays)), (QStringList{"c", "B", "b", "d", "a"}));
    EXPECT_TRUE(ArtistMostPlayed::choose(songs, {}).isEmpty());

    // The model over the stores: a row plays the shown list from its place, and says its plays.
    Rig rig(songs, plays);
    ArtistMostPlayed model;
    model.setPlayer(rig.player.get());
    model.setLibrary(rig.library.get());
    model.setArtist(QStringLiteral("ann"));
    ASSERT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.subtitleAt(0), QStringLiteral("One · 7 plays"));
    EXPECT_EQ(model.subtitleAt(1), QStringLiteral("Two · 3 plays"));
    EXPECT_EQ(model.subtitleAt(4), QStringLiteral("One · 1 play"));
    EXPECT_EQ(model.numberAt(2), 3);
    model.play(2);
    EXPECT_EQ(titles(rig.player->queue()), (QStringList{"c", "B", "b", "d", "a"}));
    EXPECT_EQ(rig.player->index(), 2);
    // That play counted: "b" now leads the equal-plays pair.
    EXPECT_EQ(model.subtitleAt(1), QStringLiteral("One · 4 plays"));
    EXPECT_EQ(model.songAt(1).title, QStringLiteral("b"));
}

TEST(SimilarArtists, TitleFollowsTheBestScore) {
    auto list = [](double best) {
        ArtistRelations::Related r;
        r.score = best;
        return QList<ArtistRelations::Related>{r};
    };
    EXPECT_EQ(ArtistSimilar::titleFor(list(0.59)), QStringLiteral("more in your collection"));
    EXPECT_EQ(ArtistSimilar::titleFor(list(0.6)), QStringLiteral("similar in your collection"));
}

TEST(SimilarArtists, LooksUpAgainOnlyWhenTheKeyChanges) {
    // Two artists that share a genre, one that shares nothing.
    QList<Song> songs{track("Ann", "A", "a1"), track("Bob", "B", "b1"), track("Cy", "C", "c1")};
    songs[0].genre = QStringLiteral("shoegaze");
    songs[1].genre = QStringLiteral("shoegaze");
    songs[2].genre = QStringLiteral("polka");
    Rig rig(songs);
    RelatedArtists relations(*rig.library, *rig.player, rig.lastFM);
    ArtistSimilar similar;
    QSignalSpy lists(&similar, &ArtistSimilar::listChanged);
    similar.setRelations(&relations);
    similar.setLastFM(&rig.lastFM);
    similar.setLibrary(rig.library.get());
    similar.setArtist(QStringLiteral("Ann"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lists.size() == 1; }, 10000));
    QStringList names;
    for (const ArtistRelations::Related& r : similar.related())
        names.append(r.artist.name);
    EXPECT_TRUE(names.contains(QStringLiteral("Bob")));
    EXPECT_EQ(similar.key(), QStringLiteral("ann|3|0"));

    // A new play leaves the list alone.
    rig.player->play(QList<Song>{songs[2]}, 0);
    QTest::qWait(200);
    EXPECT_EQ(lists.size(), 1);

    // The next artist with the same counts is scored at once from the kept set.
    ArtistSimilar next;
    next.setRelations(&relations);
    next.setLastFM(&rig.lastFM);
    next.setLibrary(rig.library.get());
    next.setArtist(QStringLiteral("Bob"));
    EXPECT_GT(next.count(), 0);

    // A rescan that changes the number of songs looks up again.
    QList<Song> more = songs;
    more.append(track("Ann", "A", "a2"));
    more.last().genre = QStringLiteral("shoegaze");
    rig.rescan(more);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lists.size() == 2; }, 10000));
    EXPECT_EQ(similar.key(), QStringLiteral("ann|4|0"));
}

TEST(SimilarArtists, AnArtistAloneInTheLibraryHasNone) {
    Rig rig({track("Ann", "A", "a1"), track("Ann", "B", "b1")});
    RelatedArtists relations(*rig.library, *rig.player, rig.lastFM);
    ArtistSimilar similar;
    QSignalSpy lists(&similar, &ArtistSimilar::listChanged);
    similar.setRelations(&relations);
    similar.setLastFM(&rig.lastFM);
    similar.setLibrary(rig.library.get());
    similar.setArtist(QStringLiteral("Ann"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return lists.size() >= 1; }, 10000));
    // Nothing to show: the block hides, title and row.
    EXPECT_EQ(similar.count(), 0);
}

TEST(SimilarArtists, AResultForAnEarlierArtistIsDropped) {
    QList<Song> songs{track("Ann", "A", "a1"), track("Bob", "B", "b1")};
    songs[0].genre = QStringLiteral("dub");
    songs[1].genre = QStringLiteral("dub");
    Rig rig(songs);
    RelatedArtists relations(*rig.library, *rig.player, rig.lastFM);
    ArtistSimilar similar;
    similar.setRelations(&relations);
    similar.setLibrary(rig.library.get());
    similar.setLastFM(&rig.lastFM);
    // Both asked before the first set is built: only the last one is shown.
    similar.setArtist(QStringLiteral("Ann"));
    similar.setArtist(QStringLiteral("Bob"));
    QSignalSpy lists(&similar, &ArtistSimilar::listChanged);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lists.size() >= 1; }, 10000));
    QTest::qWait(100);
    EXPECT_EQ(lists.size(), 1);
    ASSERT_GT(similar.count(), 0);
    EXPECT_EQ(similar.related().first().artist.name, QStringLiteral("Ann"));
}

TEST(ArtistSection, TheColumnCursorIsTheChosenArtist) {
    Rig rig({track("all", "X", "x1"), track("Ann", "A", "a1"), track("Ann", "A2", "a2"),
             track("Bob", "B", "b1")});
    ArtistSection section;
    section.setApp(&rig.app);
    section.setLibrary(rig.library.get());
    section.setPlayer(rig.player.get());
    section.setDefaults(&rig.defaults);
    auto press = [&](int key, const QString& text = {}) {
        return section.press({key, Qt::NoModifier, text, false});
    };

    // Nothing chosen: row 0, the wall; Right does nothing.
    EXPECT_EQ(section.artistIndex(), 0);
    EXPECT_FALSE(press(Qt::Key_Right).handled);
    // Down from "All artists" opens the first artist: an artist named "all" has a row of its own.
    press(Qt::Key_Down);
    EXPECT_EQ(rig.app.selectedArtist(), std::optional<QString>(QStringLiteral("all")));
    EXPECT_EQ(section.artistIndex(), 1);
    press(Qt::Key_Down);
    EXPECT_EQ(section.artistName(), QStringLiteral("Ann"));
    EXPECT_EQ(section.artistKey(), QStringLiteral("ann"));
    // Up twice is back at the wall.
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_FALSE(rig.app.selectedArtist().has_value());
    // A typed letter never lands on "All artists"; "a" goes to "all", then "Ann", round to "all".
    press(0, QStringLiteral("a"));
    EXPECT_EQ(section.artistIndex(), 1);
    press(0, QStringLiteral("a"));
    EXPECT_EQ(section.artistIndex(), 2);
    press(0, QStringLiteral("A"));
    EXPECT_EQ(section.artistIndex(), 1);

    // Choosing an artist closes the album; the page shows the first album of the sort meanwhile.
    rig.app.showArtist(QStringLiteral("ANN"), rig.library->albums().at(2).id());
    EXPECT_EQ(section.artistIndex(), 2);
    ASSERT_EQ(section.albums().size(), 2);
    EXPECT_EQ(section.albumID(), rig.library->albums().at(2).id());
    press(Qt::Key_Down);
    EXPECT_FALSE(rig.app.selectedAlbumID().has_value());
    press(Qt::Key_Up);
    EXPECT_EQ(section.albumID(), section.albums().first().id());
    // Right with an artist gives the keyboard to the album grid.
    EXPECT_TRUE(press(Qt::Key_Right).handled);
    EXPECT_EQ(section.focusColumn(), int(CollectionColumn::albums));

    // Return plays the artist's albums in the section's sort.
    press(Qt::Key_Return);
    EXPECT_EQ(titles(rig.player->queue()), (QStringList{"a1", "a2"}));

    // A name the library lacks shows the wall on row 0; a tile click chooses with no album.
    rig.app.showArtist(QStringLiteral("Nobody"), QStringLiteral("x"));
    EXPECT_EQ(section.artistIndex(), 0);
    EXPECT_FALSE(section.hasArtist());
    section.showArtist(QStringLiteral("Bob"));
    EXPECT_EQ(section.artistIndex(), 3);
    EXPECT_FALSE(rig.app.selectedAlbumID().has_value());

    // The sort switch stores the next sort and comes round after four presses.
    const QString first = section.albumSortRaw();
    EXPECT_EQ(first, QStringLiteral("year"));
    section.nextAlbumSort();
    EXPECT_EQ(rig.defaults.value(QStringLiteral("albumSort")).toString(), QStringLiteral("dateAdded"));
    for (int i = 0; i < 3; ++i)
        section.nextAlbumSort();
    EXPECT_EQ(section.albumSortRaw(), first);
}

TEST(ArtistSection, ThePageGridShowsTheAlbumsInTheSortAndHandsTheKeysOver) {
    QList<Song> songs{track("Ann", "Old", "o1"), track("Ann", "New", "n1"), track("Ann", "Undated", "u1"),
                      track("Bob", "B", "b1")};
    songs[0].year = 1990;
    songs[1].year = 2010;
    songs[0].added = Date{300};
    songs[1].added = Date{100};
    songs[2].added = Date{200};
    Rig rig(songs);
    ArtistSection section;
    section.setApp(&rig.app);
    section.setLibrary(rig.library.get());
    section.setPlayer(rig.player.get());
    section.setDefaults(&rig.defaults);
    AlbumGridModel& grid = *section.albumGrid();
    // Each cell's title and second line ("-" for none).
    auto shown = [&] {
        QStringList out;
        for (const AlbumGroup& g : grid.groups())
            for (const Album& a : g.albums)
                out.append(a.title + ':' + AlbumGridModel::secondOf(a, grid.second()).value_or("-"));
        return out;
    };
    auto withYears = [](const QList<Album>& albums) {
        QStringList out;
        for (const Album& a : albums)
            out.append(a.title + ':' + (a.year() ? QString::number(*a.year()) : QStringLiteral("-")));
        return out;
    };
    // The wall: no grid.
    EXPECT_EQ(grid.albumCount(), 0);
    EXPECT_FALSE(grid.hasRight());

    // The artist's albums in the section's sort (by year, the stored default), their years as second line,
    // the first one open.
    rig.app.showArtist(QStringLiteral("Ann"));
    const QList<Album> sorted = section.albums();
    ASSERT_EQ(sorted.size(), 3);
    const QStringList expected = withYears(sorted);
    EXPECT_EQ(shown(), expected);
    EXPECT_TRUE(expected.contains(QStringLiteral("Undated:-")));
    EXPECT_EQ(grid.selection(), sorted.first().id());
    EXPECT_TRUE(grid.hasRight());

    // An arrow picks the next album: it opens beside the page.
    grid.setColumns(3);
    EXPECT_TRUE(grid.key(Qt::Key_Right, 0, {}, false));
    EXPECT_EQ(rig.app.selectedAlbumID(), std::optional<QString>(sorted.at(1).id()));
    EXPECT_EQ(section.albumID(), sorted.at(1).id());
    EXPECT_EQ(grid.selection(), sorted.at(1).id());
    // Right at the row's end gives the songs the keyboard, Left at its start the artist column.
    grid.key(Qt::Key_Right, 0, {}, false);
    grid.key(Qt::Key_Right, 0, {}, false);
    EXPECT_EQ(section.focusColumn(), int(CollectionColumn::songs));
    grid.key(Qt::Key_Left, 0, {}, false);
    grid.key(Qt::Key_Left, 0, {}, false);
    EXPECT_EQ(section.focusColumn(), int(CollectionColumn::songs));
    grid.key(Qt::Key_Left, 0, {}, false);
    EXPECT_EQ(section.focusColumn(), int(CollectionColumn::artists));
    EXPECT_EQ(grid.selection(), sorted.first().id());

    // The sort switch reorders the grid at once (by date added); the open album stays open.
    section.nextAlbumSort();
    ASSERT_EQ(section.albumSortRaw(), QStringLiteral("dateAdded"));
    EXPECT_EQ(shown(), withYears(section.albums()));
    EXPECT_NE(shown(), expected);
    EXPECT_EQ(grid.selection(), sorted.first().id());

    // Another artist: only its albums; back to the wall: none.
    section.showArtist(QStringLiteral("Bob"));
    EXPECT_EQ(shown(), (QStringList{"B:-"}));
    section.setArtistIndex(0);
    EXPECT_EQ(grid.albumCount(), 0);
    EXPECT_TRUE(grid.selection().isEmpty());
}

TEST(ArtistSection, TheWallFitsColumnsOf150To200) {
    struct Case {
        double width;
        int columns;
        double cell;
    };
    const Case cases[] = {{100, 1, 100}, {150, 1, 150},    {323, 1, 200},
                          {324, 2, 150}, {1000, 5, 180.8}, {2000, 11, 160}};
    for (const Case& c : cases) {
        EXPECT_EQ(ArtistWallGrid::columns(c.width), c.columns) << c.width;
        EXPECT_NEAR(ArtistWallGrid::cellWidth(c.width), c.cell, 1e-9) << c.width;
    }
    EXPECT_EQ(ArtistWallGrid::counts(1, 1), QStringLiteral("1 album · 1 song"));
    EXPECT_EQ(ArtistWallGrid::counts(3, 36), QStringLiteral("3 albums · 36 songs"));
}

TEST(ArtistListModel, FollowsScansRowByRow) {
    Rig rig({track("Ann", "A", "a1"), track("Cy", "C", "c1"), track("Dee", "D", "d1")});
    ArtistListModel column;
    column.setAllRow(true);
    column.setLibrary(rig.library.get());
    ASSERT_EQ(column.rowCount(), 4);
    EXPECT_EQ(column.nameAt(0), QStringLiteral("All artists"));
    EXPECT_EQ(column.rowOf(QStringLiteral("cy")), 2);

    QSignalSpy reset(&column, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&column, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&column, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&column, &QAbstractItemModel::dataChanged);
    // Bob comes, Cy goes, Dee gains a song.
    rig.rescan(
        {track("Ann", "A", "a1"), track("Bob", "B", "b1"), track("Dee", "D", "d1"), track("Dee", "D", "d2")});
    EXPECT_EQ(reset.size(), 0);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 2);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 3);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 3);
    QStringList names;
    for (int i = 0; i < column.rowCount(); ++i)
        names.append(column.nameAt(i));
    EXPECT_EQ(names, (QStringList{"All artists", "Ann", "Bob", "Dee"}));
    EXPECT_EQ(column.data(column.index(3), ArtistListModel::SongCountRole).toInt(), 2);
}
