#include "library/ArtistImageStore.h"
#include "core/DataFolder.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A picture file of the given size, filled with one colour so tests can tell pictures apart.
QUrl picture(const TestHome& home, const QString& name, QSize size, QColor colour = Qt::red) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = home.folder("pictures") + "/" + name;
    EXPECT_TRUE(image.save(path));
    return QUrl::fromLocalFile(path);
}

QString stored(const QString& artist) {
    return ArtistImageStore::folder() + "/" + ArtistImageStore::fileName(artist);
}

} // namespace

class ArtistImageSize : public testing::TestWithParam<std::pair<QSize, QSize>> {};

TEST_P(ArtistImageSize, LongerSideAtMost1400AndNeverEnlarged) {
    TestHome home;
    ArtistImageStore store;
    const auto [given, expected] = GetParam();
    ASSERT_TRUE(store.set(picture(home, "p.png", given), "Someone"));
    QImageReader reader(stored("Someone"));
    EXPECT_EQ(reader.format(), "jpeg");
    EXPECT_EQ(reader.size(), expected);
    EXPECT_EQ(store.image("someone").size(), expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ArtistImageSize,
                         testing::Values(std::pair{QSize(3000, 2000), QSize(1400, 933)},
                                         std::pair{QSize(1000, 3000), QSize(466, 1400)},
                                         std::pair{QSize(800, 600), QSize(800, 600)},
                                         std::pair{QSize(1400, 700), QSize(1400, 700)},
                                         std::pair{QSize(6000, 2), QSize(1400, 1)}));

TEST(ArtistImageStore, FileNamesKeepOnlyLettersMarksAndDigits) {
    const QList<std::pair<QString, QString>> cases = {
        {"Night/Day", "night%2Fday.jpg"},
        {"AC/DC & Friends", "ac%2Fdc%20%26%20friends.jpg"},
        {"Sigur Rós", "sigur%20rós.jpg"},
        {"..", "%2E%2E.jpg"},
        {"東京事変 2", "東京事変%202.jpg"},
        {"a\U0001F600", "a%F0%9F%98%80.jpg"},
        {QString("x") + QChar(0xD800), "artist.jpg"},
    };
    for (const auto& [name, file] : cases) {
        EXPECT_EQ(ArtistImageStore::fileName(name), file) << name.toStdString();
        if (file != "artist.jpg") EXPECT_EQ(ArtistImageStore::artistName(file), name.toLower());
    }
}

TEST(ArtistImageStore, SetStoresOnePictureForEveryCaseOfTheName) {
    TestHome home;
    ArtistImageStore store;
    QSignalSpy changed(&store, &ArtistImageStore::artistsChanged);
    ASSERT_TRUE(store.set(picture(home, "red.png", QSize(50, 40)), "Night/Day"));
    EXPECT_TRUE(QFile::exists(ArtistImageStore::folder() + "/night%2Fday.jpg"));
    EXPECT_EQ(store.artists(), QStringList{"Night/Day"});
    EXPECT_TRUE(store.has("night/day"));
    EXPECT_EQ(store.image("NIGHT/DAY").size(), QSize(50, 40));
    EXPECT_EQ(changed.count(), 1);

    // Replacing keeps the list and publishes it again so the new picture is drawn.
    ASSERT_TRUE(store.set(picture(home, "blue.jpg", QSize(30, 30), Qt::blue), "night/day"));
    EXPECT_EQ(store.artists(), QStringList{"Night/Day"});
    EXPECT_EQ(changed.count(), 2);
    const QImage replaced = store.image("Night/Day");
    EXPECT_EQ(replaced.size(), QSize(30, 30));
    EXPECT_GT(qBlue(replaced.pixel(15, 15)), 200);

    ASSERT_TRUE(store.set(picture(home, "b.png", QSize(10, 10)), "Björk"));
    EXPECT_EQ(store.artists(), QStringList({"Björk", "Night/Day"}));

    ArtistImageStore restarted;
    EXPECT_EQ(restarted.artists(), QStringList({"björk", "night/day"}));
    EXPECT_EQ(restarted.image("Night/Day").size(), QSize(30, 30));
}

TEST(ArtistImageStore, ListsOnlyLowerCaseJpgNamesThatDecodeInNaturalOrder) {
    TestHome home;
    for (const char* name :
         {"b.jpg", "a10.jpg", "a9.jpg", "upper.JPG", "bad%zz.jpg", "bad%FF.jpg", "x.jpg.tmp"})
        TestHome::writeFile(ArtistImageStore::folder() + "/" + name, "not a picture");
    ArtistImageStore store;
    EXPECT_EQ(store.artists(), QStringList({"a9", "a10", "b"}));
    // Listed, but the file is no picture: no picture, and asked again next time.
    EXPECT_TRUE(store.has("B"));
    EXPECT_TRUE(store.image("b").isNull());
    QImage(4, 4, QImage::Format_RGB32).save(stored("b"), "JPEG");
    EXPECT_FALSE(store.image("b").isNull());

    // A file that arrives after start is not looked at.
    QImage(4, 4, QImage::Format_RGB32).save(stored("late"), "JPEG");
    EXPECT_TRUE(store.image("late").isNull());
}

TEST(ArtistImageStore, WhatIsNotAPictureIsRefusedAndChangesNothing) {
    TestHome home;
    ArtistImageStore store;
    ASSERT_TRUE(store.set(picture(home, "p.png", QSize(20, 10)), "Kept"));
    const QByteArray before = TestHome::readFile(stored("Kept"));
    const QString text = home.folder("pictures") + "/notes.png";
    TestHome::writeFile(text, "just some words");
    QSignalSpy changed(&store, &ArtistImageStore::artistsChanged);
    for (const QUrl& url : {QUrl::fromLocalFile(text), QUrl::fromLocalFile(home.path() + "/missing.png"),
                            QUrl("https://example.com/a.png"), QUrl()}) {
        EXPECT_FALSE(store.set(url, "Kept")) << url.toString().toStdString();
        EXPECT_FALSE(store.set(url, "New")) << url.toString().toStdString();
        store.chosen(url, "New");
    }
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(store.artists(), QStringList{"Kept"});
    EXPECT_EQ(TestHome::readFile(stored("Kept")), before);
    EXPECT_FALSE(QFile::exists(stored("New")));
}

TEST(ArtistImageStore, RemoveTakesTheFileTheCacheAndEveryCaseOfTheName) {
    TestHome home;
    ArtistImageStore store;
    QSignalSpy changed(&store, &ArtistImageStore::artistsChanged);
    store.remove("Nobody");
    EXPECT_EQ(changed.count(), 0);

    store.chosen(picture(home, "p.png", QSize(8, 8)), "Night/Day");
    ASSERT_FALSE(store.image("night/day").isNull());
    store.remove("NIGHT/day");
    EXPECT_FALSE(store.has("Night/Day"));
    EXPECT_TRUE(store.image("Night/Day").isNull());
    EXPECT_FALSE(QFile::exists(stored("Night/Day")));
    EXPECT_TRUE(store.artists().isEmpty());
}

TEST(ArtistImageStore, PanelTexts) {
    EXPECT_EQ(ArtistImageStore::chooseButton(), "Use Picture");
    EXPECT_EQ(ArtistImageStore::chooseMessage("Björk"), "Choose a picture of Björk.");
}
