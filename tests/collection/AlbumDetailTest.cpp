#include "collection/AlbumDetail.h"
#include "collection/AlbumSongsModel.h"
#include "core/Defaults.h"
#include "kit/MenuContext.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "support/LibraryRig.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

Song albumSong(const QString& title, double seconds, qint64 disc = 1, qint64 track = 1,
               const QString& artist = QStringLiteral("Ann")) {
    Song s =
        makeSong(QStringLiteral("/m/Ann/Record/%1.mp3").arg(title), artist, QStringLiteral("Record"), title);
    s.albumArtist = QStringLiteral("Ann");
    s.duration = seconds;
    s.disc = disc;
    s.track = track;
    return s;
}

Album albumOf(const QList<Song>& songs) {
    Album a;
    a.title = QStringLiteral("Record");
    a.artist = QStringLiteral("Ann");
    a.songs = songs;
    return a;
}

// The real stores over a private home, with one album "Record" by Ann of three songs and one "Other".
struct DetailRig : LibraryRig {
    AppModel app{defaults};
    PlaylistStore playlists;
    PlayerMusic music_{defaults};
    LastFMStore lastFM{defaults};
    AlbumDetail detail;

    DetailRig() {
        QList<Song> songs;
        for (const char* t : {"one", "two", "three"})
            songs.append(makeSong(musicFolder + "/Ann/" + t + ".mp3", "Ann", "Record", t));
        songs.append(makeSong(musicFolder + "/Bob/x.mp3", "Bob", "Other", "x"));
        startLibrary(songs);
        startPlayer(&lastFM);
        detail.setLibrary(library.get());
        detail.setPlayer(player.get());
        detail.setAlbumId(id("Record"));
    }
    QString id(const QString& title) const {
        for (const Album& a : library->albums())
            if (a.songs.first().taggedAlbum.value_or(a.title) == title) return a.id();
        return {};
    }
    Album album(const QString& title) const { return *library->album(id(title)); }
    MenuContext context() { return MenuContext(app, *library, *player, playlists, music_, lastFM); }
    // A 16-pixel picture of one colour, saved under Pictures.
    QUrl picture(const QString& name, Qt::GlobalColor colour) {
        const QString path = home.folder(QStringLiteral("Pictures")) + QLatin1Char('/') + name;
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(path));
        return QUrl::fromLocalFile(path);
    }
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

void choose(const DropMenuPage& page, const QString& title) {
    for (const DropMenuItem& i : page.items())
        if (i.title == title) return i.run();
    ADD_FAILURE() << "no row " << title.toStdString();
}

} // namespace

TEST(AlbumDetail, FactsCountSongsDiscsAndRoundedMinutes) {
    struct Case {
        QList<Song> songs;
        QString facts;
    };
    QList<Song> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.append(albumSong(QString::number(i), i == 0 ? 2911 - 11 * 240 : 240, i < 6 ? 1 : 2));
    const std::vector<Case> cases{
        {twelve, "12 songs · 2 discs · 49 min"},  // 2,911 s: 48.5 min, a half rounds up
        {{albumSong("a", 30)}, "1 song · 1 min"}, // never below one minute
        {{albumSong("a", 20)}, "1 song · 1 min"},
        {{albumSong("a", 44), albumSong("b", 45)}, "2 songs · 1 min"}, // 89 s
        {{albumSong("a", 45), albumSong("b", 45)}, "2 songs · 2 min"}, // 90 s
        {{albumSong("a", 60, 1), albumSong("b", 60, 1)}, "2 songs · 2 min"},
        {{}, "0 songs"}, // nothing to time: no "1 min" of nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(AlbumDetail::facts(albumOf(c.songs), false), c.facts) << c.facts.toStdString();
    EXPECT_EQ(AlbumDetail::facts(albumOf({albumSong("a", 200)}), true),
              QStringLiteral("Ann · 1 song · 3 min"));
    // A duration the file could not tell adds nothing.
    EXPECT_EQ(AlbumDetail::facts(albumOf({albumSong("a", qQNaN()), albumSong("b", -5)}), false),
              QStringLiteral("2 songs · 1 min"));
}

TEST(AlbumDetail, OverlineAndDiscHeadingsOnlyWithSeveralDiscs) {
    Album oneDisc = albumOf({albumSong("a", 60, 1, 1), albumSong("b", 60, 1, 2)});
    EXPECT_EQ(AlbumDetail::overline(oneDisc), QStringLiteral("album"));
    oneDisc.songs.edit(1).year = 1999;
    EXPECT_EQ(AlbumDetail::overline(oneDisc), QStringLiteral("album · 1999"));

    AlbumSongsModel model;
    model.setAlbum(oneDisc);
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(model.data(model.index(row), AlbumSongsModel::DiscRole).toString(), QString());

    // Nine songs on discs 1 and 2, one by a guest and one by the album artist in other letters.
    QList<Song> nine;
    for (int i = 0; i < 9; ++i)
        nine.append(albumSong(QString::number(i), 60, i < 5 ? 1 : 2, i + 1,
                              i == 2   ? QStringLiteral("Guest")
                              : i == 3 ? QStringLiteral("ANN")
                                       : "Ann"));
    model.setAlbum(albumOf(nine));
    QStringList discs, subtitles;
    for (int row = 0; row < 9; ++row) {
        discs.append(model.data(model.index(row), AlbumSongsModel::DiscRole).toString());
        subtitles.append(model.data(model.index(row), AlbumSongsModel::SubtitleRole).toString());
    }
    EXPECT_EQ(discs, (QStringList{"disc 1", "disc 1", "disc 1", "disc 1", "disc 1", "disc 2", "disc 2",
                                  "disc 2", "disc 2"}));
    EXPECT_EQ(subtitles, (QStringList{"", "", "Guest", "", "", "", "", "", ""}));
    EXPECT_EQ(model.numberAt(8), 9);
}

TEST(AlbumDetail, RenameBelongsToTheAlbumItBeganOn) {
    DetailRig rig;
    const QString record = rig.id("Record");
    ASSERT_FALSE(record.isEmpty());

    // Escape: the draft goes, and a focus loss that follows (the field going away) stores nothing.
    rig.detail.startRename();
    EXPECT_TRUE(rig.detail.renaming());
    EXPECT_EQ(rig.detail.draft(), QStringLiteral("Record"));
    rig.detail.setDraft(QStringLiteral("Escaped"));
    rig.detail.cancelRename();
    rig.detail.finishRenaming();
    EXPECT_FALSE(rig.detail.renaming());
    EXPECT_EQ(rig.library->album(record)->title, QStringLiteral("Record"));

    // Return or a focus loss stores the draft; the column keeps showing the album under its new title.
    rig.detail.startRename();
    rig.detail.setDraft(QStringLiteral("  Renamed "));
    rig.detail.finishRenaming();
    EXPECT_EQ(rig.library->album(record)->title, QStringLiteral("Renamed"));
    EXPECT_EQ(rig.detail.title(), QStringLiteral("Renamed"));
    EXPECT_FALSE(rig.detail.renaming());
    // A second commit (Return, then the field's focus loss) changes nothing more.
    rig.detail.setDraft(QStringLiteral("Again"));
    rig.detail.finishRenaming();
    EXPECT_EQ(rig.library->album(record)->title, QStringLiteral("Renamed"));

    // Another album chosen mid-rename: the draft is dropped, and a late commit renames neither album.
    rig.detail.startRename();
    rig.detail.setDraft(QStringLiteral("Stray"));
    rig.detail.setAlbumId(rig.id("Other"));
    EXPECT_FALSE(rig.detail.renaming());
    rig.detail.finishRenaming();
    EXPECT_EQ(rig.library->album(record)->title, QStringLiteral("Renamed"));
    EXPECT_EQ(rig.album("Other").title, QStringLiteral("Other"));

    // Going back and starting anew works on the album now shown.
    rig.detail.setAlbumId(record);
    rig.detail.startRename();
    EXPECT_EQ(rig.detail.draft(), QStringLiteral("Renamed"));
    rig.detail.setDraft(QString());
    rig.detail.finishRenaming(); // blank: the title in the song files returns
    EXPECT_EQ(rig.library->album(record)->title, QStringLiteral("Record"));
}

TEST(AlbumDetail, DropTakesTheFirstPictureAndRefusesTheRest) {
    DetailRig rig;
    const QUrl red = rig.picture(QStringLiteral("red.png"), Qt::red);
    const QUrl blue = rig.picture(QStringLiteral("blue.png"), Qt::blue);
    const QString textPath = rig.home.folder(QStringLiteral("Pictures")) + QStringLiteral("/notes.txt");
    QFile text(textPath);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    const QUrl web(QStringLiteral("https://example.com/cover.jpg"));

    // Refused: a web address is never fetched, a text file is no picture, an empty drop offers nothing.
    EXPECT_FALSE(rig.detail.offersPicture({web}));
    EXPECT_FALSE(rig.detail.dropCover({web}));
    EXPECT_TRUE(rig.detail.offersPicture({QUrl::fromLocalFile(textPath)}));
    EXPECT_FALSE(rig.detail.dropCover({QUrl::fromLocalFile(textPath)}));
    EXPECT_FALSE(rig.detail.dropCover({}));
    EXPECT_FALSE(rig.album("Record").cover.has_value());

    // Two pictures: the first becomes the cover.
    EXPECT_TRUE(rig.detail.dropCover({red, blue}));
    const std::optional<FileUrl> cover = rig.album("Record").cover;
    ASSERT_TRUE(cover.has_value());
    const QImage kept(cover->path);
    ASSERT_FALSE(kept.isNull());
    const QColor middle = kept.pixelColor(kept.width() / 2, kept.height() / 2);
    EXPECT_GT(middle.red(), 200);
    EXPECT_LT(middle.blue(), 60);
    EXPECT_EQ(rig.detail.artwork(), rig.album("Record").artworkUrl());
    // A text file dropped over a chosen cover leaves it.
    EXPECT_FALSE(rig.detail.dropCover({QUrl::fromLocalFile(textPath), blue}));
    EXPECT_EQ(rig.album("Record").cover, cover);
}

TEST(AlbumDetail, MoreMenuOffersTheFileCoverAndTitleOnlyAfterEdits) {
    DetailRig rig;
    MenuContext context = rig.context();
    int renames = 0;
    const auto page = [&] {
        return AlbumMoreMenu::pageFor(rig.album("Record"), context, [&] { ++renames; });
    };

    EXPECT_EQ(layout(page()),
              (QStringList{"keep handy: pinned to quickplay, on the player", "edit: change cover…, rename"}));
    choose(page(), QStringLiteral("rename"));
    EXPECT_EQ(renames, 1);

    // A chosen cover and an edited title bring their destructive way back.
    ASSERT_TRUE(rig.library->setCover(rig.picture(QStringLiteral("red.png"), Qt::red), rig.album("Record")));
    rig.library->rename(rig.album("Record"), QStringLiteral("Mine"));
    EXPECT_EQ(layout(page()),
              (QStringList{"keep handy: pinned to quickplay, on the player",
                           "edit: change cover…, use the file's cover (destructive), rename, use the file's "
                           "title (destructive)"}));

    choose(page(), QStringLiteral("use the file's title"));
    EXPECT_EQ(rig.album("Record").title, QStringLiteral("Record"));
    choose(page(), QStringLiteral("use the file's cover"));
    EXPECT_FALSE(rig.album("Record").cover.has_value());
    EXPECT_EQ(layout(page()).last(), QStringLiteral("edit: change cover…, rename"));

    // The keep-handy marks are read when the menu opens.
    choose(page(), QStringLiteral("pinned to quickplay"));
    const DropMenuPage pinned = page();
    EXPECT_TRUE(pinned.items().front().checked);
}

TEST(AlbumDetail, ListTakingTheKeyboardPutsTheCursorOnThePlayingSong) {
    DetailRig rig;
    const Album record = rig.album("Record");
    ASSERT_EQ(record.songs.size(), 3);

    // Nothing of this album plays: the first row.
    rig.detail.focusTaken();
    EXPECT_EQ(rig.detail.cursor(), 0);

    // The third song plays: a fresh cursor goes to it; a cursor already set stays.
    rig.player->play(record.songs, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.player->current() == record.songs[2]; }, 5000));
    rig.detail.focusTaken();
    EXPECT_EQ(rig.detail.cursor(), 0);
    rig.detail.setAlbumId(rig.id("Other"));
    EXPECT_EQ(rig.detail.cursor(), -1);
    rig.detail.setAlbumId(record.id());
    rig.detail.focusTaken();
    EXPECT_EQ(rig.detail.cursor(), 2);

    // Down moves it, Left hands the keyboard back and keeps it.
    int left = 0;
    QObject::connect(&rig.detail, &AlbumDetail::leftPressed, [&] { ++left; });
    EXPECT_TRUE(rig.detail.key(Qt::Key_Up, 0, {}, false, nullptr));
    EXPECT_EQ(rig.detail.cursor(), 1);
    EXPECT_TRUE(rig.detail.key(Qt::Key_Left, 0, {}, false, nullptr));
    EXPECT_EQ(left, 1);
    EXPECT_EQ(rig.detail.cursor(), 1);

    // A click on a row moves the cursor there, then plays the album from it.
    rig.detail.choose(0);
    EXPECT_EQ(rig.detail.cursor(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.player->current() == record.songs[0]; }, 5000));
}
