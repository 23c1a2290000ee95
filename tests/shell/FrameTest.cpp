#include "ArtworkSupport.h"
#include "core/Defaults.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistLibrary.h"
#include "library/PlaylistStore.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "shell/DragCard.h"
#include "shell/FooterModel.h"
#include "shell/FrameRules.h"
#include "shell/NoticeBanner.h"
#include "shell/PickDrag.h"
#include "support/Songs.h"
#include "support/TestHome.h"

#include <QJsonDocument>
#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

using namespace artwork_test;

// MARK: header, back button, footer rules

TEST(FrameRules, HeaderSelectsThePageButtonOfThePage) {
    struct Case {
        Page page;
        QStringList selected;
    } cases[] = {{Page::quickplay, {"quickplay"}},     {Page::collection, {"collection"}},
                 {Page::playerSummary, {"my player"}}, {Page::playerSettings, {"my player"}},
                 {Page::settings, {"settings"}},       {Page::nowPlaying, {}}};
    for (const Case& c : cases) {
        QStringList selected;
        for (const char* button : {"quickplay", "collection", "my player", "settings"})
            if (FrameRules::selected(button, c.page)) selected.append(button);
        EXPECT_EQ(selected, c.selected) << int(c.page);
    }
}

TEST(FrameRules, FirstNameIsTheFirstWordOfTheAccountsFullName) {
    struct Case {
        const char* gecos;
        const char* first;
    } cases[] = {{"Ada Lovelace,,,", "Ada"},
                 {" Ada", "Ada"},
                 {"", ""},
                 {"Ada", "Ada"},
                 {"  Ada  Byron ", "Ada"},
                 {",Room 12,,", ""},
                 {"José Ortega,3", "José"}};
    for (const Case& c : cases)
        EXPECT_EQ(FrameRules::firstWord(FrameRules::fullNameFromGecos(QString::fromUtf8(c.gecos))),
                  QString::fromUtf8(c.first))
            << c.gecos;
}

TEST(FrameRules, BackActsWithMixviewOrHistory) {
    EXPECT_FALSE(FrameRules::backActive(false, false));
    EXPECT_TRUE(FrameRules::backActive(true, false));
    EXPECT_TRUE(FrameRules::backActive(false, true));
}

TEST(FrameRules, OuterGroupsShareTheRestSoTheStripIsCentred) {
    const double strip = FrameRules::stripWidth(56);
    EXPECT_EQ(strip, 56 + 14 + 230);
    for (double bar : {1040.0, 1280.0, 1921.0}) {
        const double group = FrameRules::outerGroupWidth(bar, strip);
        const double stripLeft = FrameRules::footerPadding + group + FrameRules::footerSpacing;
        EXPECT_DOUBLE_EQ(stripLeft + strip / 2, bar / 2) << bar;
    }
    EXPECT_EQ(FrameRules::outerGroupWidth(100, strip), 0); // never negative in a tiny window
}

TEST(FrameRules, PocketPlayerGlyphAndLabels) {
    EXPECT_EQ(FrameRules::playerGlyph("hd"), "hd");
    for (const char* other : {"HD", "flash", "", " hd", "hd "})
        EXPECT_EQ(FrameRules::playerGlyph(other), "flash") << other;
    EXPECT_EQ(FrameRules::playerLabel(true), "My player, 82% battery");
    EXPECT_EQ(FrameRules::playerLabel(false), "My player, not connected");
}

// MARK: notices

namespace {
// A clock stepped by hand: waits end when the test moves time past them.
class SteppedClock : public FadeClock {
public:
    void sleep(double seconds, QObject* owner, std::function<void()> wake) override {
        m_waits.push_back({m_now + seconds, QPointer<QObject>(owner), std::move(wake)});
    }
    void advance(double seconds) {
        m_now += seconds;
        for (size_t i = 0; i < m_waits.size();) {
            if (m_waits[i].at <= m_now + 1e-9) {
                Wait w = std::move(m_waits[i]);
                m_waits.erase(m_waits.begin() + qsizetype(i));
                if (w.owner) w.wake();
            } else {
                ++i;
            }
        }
    }

private:
    struct Wait {
        double at;
        QPointer<QObject> owner;
        std::function<void()> wake;
    };
    double m_now = 0;
    std::vector<Wait> m_waits;
};

struct PlayerRig {
    TestHome home;
    Defaults defaults;
    FakeMediaBackend backend;
    Player player{defaults, backend};
    void post(const QString& text) { player.setNotice(Player::Notice::make(text)); }
};
} // namespace

TEST(NoticeBanner, EachNoticeShowsFor2_4SecondsFromItsOwnArrival) {
    PlayerRig rig;
    SteppedClock clock;
    NoticeBanner banner;
    banner.setClock(clock);
    banner.setPlayer(&rig.player);
    QSignalSpy announced(&banner, &NoticeBanner::announced);

    rig.post("first");
    EXPECT_TRUE(banner.shown());
    EXPECT_EQ(banner.text(), "first");
    clock.advance(1.0);
    rig.post("second");
    EXPECT_EQ(banner.text(), "second");
    clock.advance(1.5); // 2.5 s after the first: its wait ends, but the second stays
    EXPECT_TRUE(banner.shown());
    EXPECT_EQ(banner.text(), "second");
    clock.advance(0.8); // 2.3 s after the second
    EXPECT_TRUE(banner.shown());
    clock.advance(0.1);
    EXPECT_FALSE(banner.shown());
    EXPECT_EQ(banner.text(), "");
    // Announced once each, as posted (the banner shows them in capitals).
    ASSERT_EQ(announced.size(), 2);
    EXPECT_EQ(announced.at(1).at(0).toString(), "second");
    // The player keeps its notice; the banner never clears it.
    EXPECT_EQ(rig.player.noticeText(), "second");
}

TEST(NoticeBanner, TheSameTextAgainIsANewBanner) {
    PlayerRig rig;
    SteppedClock clock;
    NoticeBanner banner;
    banner.setClock(clock);
    banner.setPlayer(&rig.player);
    rig.post("added to up next");
    const QUuid first = banner.noticeId();
    clock.advance(2.0);
    rig.post("added to up next");
    EXPECT_NE(banner.noticeId(), first);
    clock.advance(2.0);
    EXPECT_TRUE(banner.shown()); // 4 s after the first, 2 s after the second
    clock.advance(0.5);
    EXPECT_FALSE(banner.shown());
}

TEST(NoticeBanner, ANoticePostedBeforeTheBannerWasMadeIsNotShown) {
    PlayerRig rig;
    SteppedClock clock;
    rig.post("posted while Now Playing was shown");
    NoticeBanner banner;
    banner.setClock(clock);
    banner.setPlayer(&rig.player);
    EXPECT_FALSE(banner.shown());
    clock.advance(3);
    rig.post("later");
    EXPECT_EQ(banner.text(), "later");
}

// MARK: the pocket-player button's drop and glyph

namespace {
struct MusicRig {
    TestHome home;
    Defaults defaults;
    FakeMediaBackend backend;
    Player player{defaults, backend};
    PlayerMusic music{defaults};
    FooterModel model;
    MusicRig() {
        model.setDefaults(&defaults);
        model.setPlayer(&player);
        model.setMusic(&music);
    }
};

QStringList idsOf(const QList<PlayerPick>& picks) {
    QStringList out;
    for (const PlayerPick& p : picks)
        out.append(p.id());
    return out;
}
} // namespace

TEST(FooterModel, ADropAddsItsPicksInOrderAndPostsTheNotice) {
    MusicRig rig;
    QSignalSpy notices(&rig.player, &Player::noticeChanged);
    const PlayerPick album = PlayerPick::album(Album{"Blue", "Joni", {}, std::nullopt});
    const PlayerPick artist = PlayerPick::artist("Nina");
    ASSERT_TRUE(rig.model.drop({album.toJsonBytes(), artist.toJsonBytes()}));
    EXPECT_EQ(idsOf(rig.music.picks()), (QStringList{album.id(), artist.id()}));
    EXPECT_EQ(notices.size(), 1);
    EXPECT_FALSE(rig.player.noticeText().isEmpty());

    // Again: nothing new, and the notice says so.
    ASSERT_TRUE(rig.model.drop({artist.toJsonBytes()}));
    EXPECT_EQ(rig.music.picks().size(), 2);
    EXPECT_EQ(notices.size(), 2);
    EXPECT_TRUE(rig.player.noticeText().contains("already on your player"))
        << rig.player.noticeText().toStdString();
}

TEST(FooterModel, ADropThatIsNotAPickIsRefusedAndAddsNothing) {
    MusicRig rig;
    QSignalSpy notices(&rig.player, &Player::noticeChanged);
    const QByteArray good = PlayerPick::artist("Nina").toJsonBytes();
    for (const QByteArray& bad :
         {QByteArray("not json"), QByteArray(R"({"kind":"genre","key":"x","name":"x"})"),
          QByteArray(R"({"kind":"song","name":"x"})"), QByteArray()}) {
        EXPECT_FALSE(rig.model.drop({good, bad})) << bad.toStdString();
        EXPECT_FALSE(rig.model.dropPicks({QVariant(bad)}));
    }
    EXPECT_TRUE(rig.music.picks().isEmpty());
    EXPECT_EQ(notices.size(), 0);
    // A pick's JSON handed over as text is as good as bytes.
    EXPECT_TRUE(rig.model.dropPicks({QVariant(QString::fromUtf8(good))}));
    EXPECT_EQ(rig.music.picks().size(), 1);
}

TEST(FooterModel, GlyphFollowsThePlayerModelSetting) {
    MusicRig rig;
    QSignalSpy changed(&rig.model, &FooterModel::playerGlyphChanged);
    EXPECT_EQ(rig.model.playerGlyph(), "flash"); // the declared default
    rig.defaults.set("player.model", "hd");
    EXPECT_EQ(rig.model.playerGlyph(), "hd");
    rig.defaults.set("player.model", "HD");
    EXPECT_EQ(rig.model.playerGlyph(), "flash");
    EXPECT_EQ(changed.size(), 2);
    rig.defaults.set("volume", 0.5); // another key: no change told
    EXPECT_EQ(changed.size(), 2);
}

// MARK: drag card and pick drag

TEST(DragCard, DetailByKindCountAndArtist) {
    struct Case {
        PlayerPick::Kind kind;
        std::optional<QString> by;
        qsizetype songs;
        QString detail;
    } cases[] = {
        {PlayerPick::Kind::artist, std::nullopt, 1, "artist · 1 song"},
        {PlayerPick::Kind::artist, std::nullopt, 0, "artist · 0 songs"},
        {PlayerPick::Kind::album, QString("Joni"), 12, "Joni · 12 songs"},
        {PlayerPick::Kind::album, std::nullopt, 1, "1 song"},
        {PlayerPick::Kind::song, QString("Joni"), 1, "Joni"},
        {PlayerPick::Kind::song, std::nullopt, 0, "0 songs"},
        {PlayerPick::Kind::playlist, std::nullopt, 2, "playlist · 2 songs"},
    };
    for (const Case& c : cases) {
        PlayerPick pick;
        pick.kind = c.kind;
        pick.key = "k";
        pick.name = "n";
        pick.by = c.by;
        EXPECT_EQ(DragCard::detailText(pick, c.songs), c.detail) << c.detail.toStdString();
    }
    EXPECT_TRUE(DragCard::detailText(PlayerPick::artist("x"), 3).contains(QChar(0x00B7)));
}

namespace {
struct CardRig {
    TestHome home;
    Defaults defaults;
    FakeSongs embedded;
    std::unique_ptr<LibraryStore> library;
    FakeMediaBackend backend;
    Player player{defaults, backend};
    PlaylistStore playlists;
    ArtistImageStore pictures;
    ArtworkCache artwork{embedded.reader()};
    QString songPath;

    CardRig() {
        embedded.delay = std::chrono::milliseconds(0);
        songPath = songIn(home, "Joni/Blue", "river.mp3");
        Song river = makeSong(songPath, "Joni", "Blue", "River");
        library = libraryWith(defaults, {river});
        embedded.pictures[songPath] = {encoded(solid(Qt::red), "PNG")};
    }
    DragCard::Sources sources() { return {library.get(), &playlists, &player, &pictures, &artwork}; }
    QImage holdCover() { return await(artwork.image(FileUrl::fromPath(songPath))); }
};

QColor centreOfArt(const QImage& card) {
    const double r = card.devicePixelRatio();
    return card.pixelColor(int((DragCard::inset + DragCard::artSide / 2) * r), card.height() / 2);
}
} // namespace

TEST(DragCard, ArtIsWhatTheCoverCacheHoldsWhenTheDragStarts) {
    CardRig rig;
    const Album album = rig.library->albums().first();
    const PlayerPick pick = PlayerPick::album(album);

    DragCard before = DragCard::make(pick, rig.sources());
    EXPECT_TRUE(before.art.isNull()); // nothing loaded yet: the placeholder, and no load started
    EXPECT_EQ(before.placeholder, PlaceholderKind::album);
    EXPECT_EQ(before.detail, "Joni · 1 song");

    ASSERT_FALSE(rig.holdCover().isNull());
    DragCard after = DragCard::make(pick, rig.sources());
    ASSERT_FALSE(after.art.isNull());
    const QImage painted = after.paint(2, Qt::magenta, Qt::magenta);
    EXPECT_EQ(centreOfArt(painted), QColor(Qt::red));
}

TEST(DragCard, AMissingTargetCountsNoSongsAndShowsItsPlaceholder) {
    CardRig rig;
    rig.holdCover();
    struct Case {
        PlayerPick pick;
        QString detail;
        PlaceholderKind placeholder;
    } cases[] = {
        {PlayerPick::artist("Gone"), "artist · 0 songs", PlaceholderKind::artist},
        {PlayerPick::album(Album{"Gone", "Nobody", {}, std::nullopt}), "Nobody · 0 songs",
         PlaceholderKind::album},
        {PlayerPick::song(makeSong("/nowhere/x.mp3", "Someone", "A", "X")), "Someone", PlaceholderKind::song},
        {PlayerPick::playlist(Playlist{QUuid::createUuid(), "Gone", {}, Date{0}}), "playlist · 0 songs",
         PlaceholderKind::playlist},
    };
    for (const Case& c : cases) {
        DragCard card = DragCard::make(c.pick, rig.sources());
        EXPECT_EQ(card.detail, c.detail) << c.detail.toStdString();
        EXPECT_EQ(card.placeholder, c.placeholder);
        EXPECT_TRUE(card.art.isNull()) << c.detail.toStdString();
        EXPECT_EQ(card.name, c.pick.name);
    }
}

TEST(DragCard, TheUsersArtistPictureBeatsAlbumArt) {
    CardRig rig;
    rig.holdCover();
    const PlayerPick joni = PlayerPick::artist("Joni");
    EXPECT_EQ(centreOfArt(DragCard::make(joni, rig.sources()).paint(1, Qt::magenta, Qt::magenta)),
              QColor(Qt::red)); // the album's cover while there is no picture

    const QString file = rig.home.folder("pictures") + "/blue.png";
    ASSERT_TRUE(solid(Qt::blue, 80, 80).save(file));
    ASSERT_TRUE(rig.pictures.set(QUrl::fromLocalFile(file), "Joni"));
    const QColor centre = centreOfArt(DragCard::make(joni, rig.sources()).paint(1, Qt::magenta, Qt::magenta));
    EXPECT_LT(centre.red(), 40);
    EXPECT_GT(centre.blue(), 200);

    // A picture of an artist no longer in the library still shows.
    ASSERT_TRUE(rig.pictures.set(QUrl::fromLocalFile(file), "Gone"));
    DragCard gone = DragCard::make(PlayerPick::artist("Gone"), rig.sources());
    EXPECT_FALSE(gone.art.isNull());
    EXPECT_EQ(gone.detail, "artist · 0 songs");
}

TEST(DragCard, DarkCardWithWhiteTextAndTheAccentStripe) {
    CardRig rig;
    DragCard card = DragCard::make(PlayerPick::artist("Someone with a rather long name that will not fit"),
                                   rig.sources());
    const QImage image = card.paint(2, QColor(0x00FF00), QColor(0x00FF00));
    EXPECT_LE(card.size().width(), DragCard::maxWidth);
    EXPECT_EQ(image.width(), int(std::ceil(card.size().width() * 2)));
    EXPECT_EQ(image.pixelColor(1, image.height() / 2), QColor(0x00FF00));
    // The background at the trailing inset is the fixed dark grey, whatever the window's scheme.
    EXPECT_EQ(image.pixelColor(image.width() - 4, 4), QColor(28, 28, 28));
    // Some text is drawn in white.
    bool white = false;
    for (int x = int((DragCard::inset + DragCard::artSide + DragCard::spacing) * 2);
         x < image.width() && !white; ++x)
        for (int y = 0; y < image.height() && !white; ++y)
            white = image.pixelColor(x, y).lightness() > 230;
    EXPECT_TRUE(white);
}

TEST(PickDragSource, DragDataIsThePicksJsonUnderThePickFormat) {
    PickDragSource source;
    EXPECT_FALSE(source.valid());
    EXPECT_EQ(source.mimeData(), nullptr);

    // As a view gives it: a plain object with the pick's fields.
    QVariantMap fields{{"kind", "album"}, {"key", "joni\u0001blue"}, {"name", "Blue"}, {"by", "Joni"}};
    source.setPick(fields);
    ASSERT_TRUE(source.valid());
    std::unique_ptr<QMimeData> data(source.mimeData());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->formats(), QStringList{PlayerPick::mimeType});
    const auto back = PlayerPick::fromMimeData(*data);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->id(), source.value()->id());
    EXPECT_EQ(back->by, std::optional<QString>("Joni"));

    // The factories give the library's keys.
    source.setPick(Picks::album(QVariant::fromValue(Album{"Blue", "Joni", {}, std::nullopt})));
    ASSERT_TRUE(source.valid());
    EXPECT_EQ(source.value()->kind, PlayerPick::Kind::album);
    source.setPick(QVariantMap{{"kind", "mood"}, {"key", "x"}, {"name", "x"}});
    EXPECT_FALSE(source.valid());
}
