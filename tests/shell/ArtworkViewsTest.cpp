#include "ArtworkSupport.h"
#include "shell/artwork/ArtworkImageProvider.h"
#include "shell/artwork/PlaceholderArt.h"
#include "shell/artwork/PlaylistCover.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickTextureFactory>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

using namespace artwork_test;

TEST(PlaceholderGlyph, LineWidthFollowsTheShorterSideWithinBounds) {
    const struct {
        QSizeF view;
        double width;
    } cases[] = {
        {{210, 210}, 2.5}, {{56, 56}, 1.0}, {{140, 140}, 2.0}, {{300, 100}, 100.0 / 70}, {{0, 0}, 1.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(PlaceholderGlyph::lineWidth(c.view), c.width) << c.view.width();
}

TEST(PlaceholderGlyph, GlyphSitsInTheMiddleScaledToTheShorterSide) {
    // The album disc's outer ring is the ellipse (28, 28, 44, 44) of the 100-unit square.
    const QRectF ring = PlaceholderGlyph::path(PlaceholderKind::album, {300, 100}).boundingRect();
    EXPECT_NEAR(ring.left(), 100 + 28, 0.01);
    EXPECT_NEAR(ring.top(), 28, 0.01);
    EXPECT_NEAR(ring.width(), 44, 0.01);
    const QRectF tall = PlaceholderGlyph::path(PlaceholderKind::artist, {100, 300}).boundingRect();
    EXPECT_NEAR(tall.top(), 100 + 29, 0.01);    // head top
    EXPECT_NEAR(tall.bottom(), 100 + 72, 0.01); // shoulders
    // The gradient runs across the whole view.
    EXPECT_EQ(PlaceholderGlyph::gradientStart({300, 100}), QPointF(90, 0));
    EXPECT_EQ(PlaceholderGlyph::gradientEnd({300, 100}), QPointF(210, 100));
}

TEST(PlaceholderGlyph, AlbumGlintRunsFrom225To250DegreesOnScreen) {
    const QPainterPath p = PlaceholderGlyph::path(PlaceholderKind::album, {100, 100});
    // The glint is the path's last sub-path: its first and last points lie on the radius-16 circle at the
    // two angles, measured with y growing downwards.
    const QPointF end = p.elementAt(p.elementCount() - 1);
    int start = p.elementCount() - 1;
    while (start > 0 && p.elementAt(start).type != QPainterPath::MoveToElement)
        --start;
    const QPointF begin = p.elementAt(start);
    auto at = [](double degrees) {
        const double r = degrees * M_PI / 180;
        return QPointF(50 + 16 * std::cos(r), 50 + 16 * std::sin(r));
    };
    EXPECT_NEAR(QLineF(begin, at(225)).length(), 0, 0.01);
    EXPECT_NEAR(QLineF(end, at(250)).length(), 0, 0.01);
}

TEST(PlaceholderGlyph, EveryKindIsAnOutlineAndColoursFollowTheScheme) {
    for (auto kind :
         {PlaceholderKind::artist, PlaceholderKind::album, PlaceholderKind::song, PlaceholderKind::playlist})
        EXPECT_FALSE(PlaceholderGlyph::path(kind, {100, 100}).isEmpty());
    EXPECT_EQ(placeholderKindFromText("playlist"), PlaceholderKind::playlist);
    EXPECT_FALSE(placeholderKindFromText("Playlist"));
    EXPECT_EQ(PlaceholderGlyph::colours(true).top, QColor(0x2F2F2F));
    EXPECT_EQ(PlaceholderGlyph::colours(false).glyph, QColor(0x8A8A8A));
}

namespace {

Song songOf(const QString& path, const QString& album, const QString& artist = "Artist") {
    Song s;
    s.url = FileUrl::fromPath(path);
    s.album = album;
    s.albumArtist = artist;
    s.artist = artist;
    return s;
}

} // namespace

TEST(PlaylistCoverUrls, OneAddressPerAlbumInSongOrderAtMostFour) {
    // The library knows albums A to E; A has a chosen cover, the others give their first song's file.
    auto library = [](const QString& albumID) -> std::optional<FileUrl> {
        const QString name = albumID.section(keySeparator, 1);
        if (name == "a") return FileUrl::fromPath("/covers/a.jpg");
        if (name == "unknown") return std::nullopt;
        return FileUrl::fromPath("/music/" + name + "/01.mp3");
    };
    QList<Song> two;
    for (int i = 0; i < 20; ++i)
        two << songOf(QString("/music/x/%1.mp3").arg(i), i % 2 ? "A" : "b");
    EXPECT_EQ(PlaylistCover::urls(two, library),
              (QList{FileUrl::fromPath("/music/b/01.mp3"), FileUrl::fromPath("/covers/a.jpg")}));

    QList<Song> five;
    for (const char* album : {"c", "a", "C", "d", "b", "e"})
        five << songOf(QString("/s/%1").arg(album), album);
    const QList<FileUrl> first = PlaylistCover::urls(five, library);
    EXPECT_EQ(first, (QList{FileUrl::fromPath("/music/c/01.mp3"), FileUrl::fromPath("/covers/a.jpg"),
                            FileUrl::fromPath("/music/d/01.mp3"), FileUrl::fromPath("/music/b/01.mp3")}));
    std::rotate(five.begin(), five.begin() + 4, five.end()); // "b" now comes first
    EXPECT_EQ(PlaylistCover::urls(five, library).first(), FileUrl::fromPath("/music/b/01.mp3"));

    // An album the library does not know stands for itself with the song's own file.
    EXPECT_EQ(PlaylistCover::urls({songOf("/loose/1.mp3", "unknown")}, library),
              QList{FileUrl::fromPath("/loose/1.mp3")});
    EXPECT_TRUE(PlaylistCover::urls({}, library).isEmpty());
}

TEST(ArtworkImageProvider, AnswersWithThePictureShrunkToCoverTheAskedSize) {
    TestHome home;
    FakeSongs songs;
    const QString song = songIn(home, "a");
    songs.pictures[song] = {encoded(solid(Qt::red, 1000, 500))};
    ArtworkCache cache(songs.reader());
    ArtworkImageProvider provider(cache);
    const QString id = cache.source(song).section('/', 3); // after "image://artwork/"
    std::unique_ptr<QQuickImageResponse> response(provider.requestImageResponse(id, QSize(100, 100)));
    QSignalSpy finished(response.get(), &QQuickImageResponse::finished);
    ASSERT_TRUE(finished.wait(5000));
    std::unique_ptr<QQuickTextureFactory> texture(response->textureFactory());
    EXPECT_EQ(texture->image().size(), QSize(200, 100));
    EXPECT_TRUE(response->errorString().isEmpty());

    // A damaged id or a song without artwork is an error, so the view keeps its placeholder.
    std::unique_ptr<QQuickImageResponse> bad(provider.requestImageResponse("0/c/%%%", QSize(100, 100)));
    QSignalSpy badFinished(bad.get(), &QQuickImageResponse::finished);
    ASSERT_TRUE(badFinished.wait(5000));
    EXPECT_FALSE(bad->errorString().isEmpty());
}

namespace {

// An engine with the cache installed, making Artwork views from QML text.
struct ViewHarness {
    FakeSongs songs;
    ArtworkCache cache{songs.reader()};
    QQmlEngine engine;

    ViewHarness() {
        engine.addImportPath("qrc:/");
        ArtworkCache::exposeTo(engine, &cache);
    }
    std::unique_ptr<QQuickItem> make(const QString& body) {
        QQmlComponent component(&engine);
        component.setData(("import QtQuick\nimport Velto.Shell\n" + body).toUtf8(), QUrl("test.qml"));
        std::unique_ptr<QQuickItem> item(qobject_cast<QQuickItem*>(component.create()));
        EXPECT_TRUE(item) << component.errorString().toStdString();
        return item;
    }
};

bool placeholderShows(QQuickItem* artwork) {
    return artwork->findChild<QQuickItem*>("artworkPlaceholder")->isVisible();
}

bool waitFor(const std::function<bool()>& done) {
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

} // namespace

TEST(ArtworkView, LoadsThenShowsTheCoverAndDrawsAHeldCoverInItsFirstFrame) {
    TestHome home;
    ViewHarness h;
    const QString song = songIn(home, "a");
    h.songs.pictures[song] = {encoded(solid(Qt::red, 300, 300))};
    const QString body =
        QString("Artwork { width: 120; height: 120; kind: \"song\"; url: \"%1\" }").arg(song);

    auto first = h.make(body);
    ASSERT_TRUE(first);
    EXPECT_TRUE(placeholderShows(first.get())); // not loaded yet
    ASSERT_TRUE(waitFor([&] { return first->property("showsPicture").toBool(); }));
    EXPECT_FALSE(placeholderShows(first.get()));

    // A second view of the same cover, at another size so the scene graph's own cache cannot help: drawn
    // at once, with no placeholder in between.
    auto second = h.make(QString(body).replace("120", "64"));
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->property("showsPicture").toBool());
    EXPECT_FALSE(placeholderShows(second.get()));
    EXPECT_EQ(h.songs.reads.load(), 1);
}

TEST(ArtworkView, CallersPictureWinsAndNoAddressShowsThePlaceholderWithoutALoad) {
    TestHome home;
    ViewHarness h;
    const QString song = songIn(home, "a");
    h.songs.pictures[song] = {encoded(solid(Qt::red))};
    await(h.cache.image(FileUrl::fromPath(song)));
    const QString own = home.folder("pictures") + "/me.png";
    TestHome::writeFile(own, encoded(solid(Qt::blue), "PNG"));

    auto withPicture = h.make(QString("Artwork { width: 50; height: 50; url: \"%1\"; picture: \"%2\" }")
                                  .arg(song, QUrl::fromLocalFile(own).toString()));
    ASSERT_TRUE(withPicture);
    auto* image = withPicture->findChild<QQuickItem*>("artworkImage");
    EXPECT_EQ(image->property("source").toUrl(), QUrl::fromLocalFile(own));
    ASSERT_TRUE(waitFor([&] { return withPicture->property("showsPicture").toBool(); }));
    EXPECT_EQ(image->property("source").toUrl(), QUrl::fromLocalFile(own));

    const int reads = h.songs.reads.load();
    auto bare = h.make("Artwork { width: 50; height: 50; kind: \"artist\" }");
    ASSERT_TRUE(bare);
    EXPECT_TRUE(placeholderShows(bare.get()));
    EXPECT_TRUE(bare->findChild<QQuickItem*>("artworkImage")->property("source").toUrl().isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(h.songs.reads.load(), reads);
}

TEST(ArtworkView, PlaylistCoverShowsTheMosaicOrThePlaylistPlaceholder) {
    TestHome home;
    ViewHarness h;
    QStringList quoted;
    for (int i = 0; i < 4; ++i) {
        const QString song = songIn(home, QString("album%1").arg(i));
        h.songs.pictures[song] = {encoded(solid(Qt::green, 50, 50))};
        quoted << "\"" + song + "\"";
    }
    auto cover = h.make(QString("PlaylistCover { width: 80; height: 80; urls: [%1] }").arg(quoted.join(',')));
    ASSERT_TRUE(cover);
    auto* artwork = cover->childItems().first();
    ASSERT_TRUE(waitFor([&] { return artwork->property("showsPicture").toBool(); }));
    QList<FileUrl> urls;
    for (const QString& q : quoted)
        urls << FileUrl::fromPath(q.mid(1, q.size() - 2));
    EXPECT_EQ(h.cache.cachedMosaic(urls).size(), QSize(600, 600));

    auto empty = h.make("PlaylistCover { width: 80; height: 80 }");
    ASSERT_TRUE(empty);
    auto* emptyArtwork = empty->childItems().first();
    EXPECT_TRUE(placeholderShows(emptyArtwork));
    EXPECT_EQ(emptyArtwork->property("kind").toString(), "playlist");
}

namespace {
QStringList printed;
void keep(QtMsgType, const QMessageLogContext&, const QString& message) {
    printed << message;
}
} // namespace

// A coverless album is drawn as the placeholder without a warning line; other QML warnings still print.
TEST(ArtworkView, AMissingCoverPrintsNothingButOtherWarningsDo) {
    TestHome home;
    ViewHarness h;
    ArtworkCache::quietMisses(h.engine);
    const QString song = songIn(home, "bare");
    printed.clear();
    const QtMessageHandler before = qInstallMessageHandler(keep);
    auto view = h.make(
        QString("Artwork { width: 40; height: 40; url: \"%1\"; property int x2: undefined }").arg(song));
    ASSERT_TRUE(view);
    auto* image = view->findChild<QQuickItem*>("artworkImage");
    const bool failed = waitFor([&] { return image->property("status").toInt() == 3; }); // Image.Error
    qInstallMessageHandler(before);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(placeholderShows(view.get()));
    EXPECT_FALSE(printed.join("\n").contains("no artwork")) << printed.join("\n").toStdString();
    EXPECT_TRUE(printed.join("\n").contains("test.qml:3:80: Unable to assign [undefined] to int"))
        << printed.join("\n").toStdString();
}
