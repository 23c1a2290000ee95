#include "settings/PictureSlots.h"

#include "core/Defaults.h"
#include "library/ArtistImageStore.h"
#include "library/PlaylistLibrary.h"
#include "support/TestHome.h"

#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QList<Song> songsBy(const QStringList& artists) {
    QList<Song> out;
    for (const QString& a : artists)
        out.append(makeSong(QStringLiteral("/m/%1/a/1.mp3").arg(a), a, QStringLiteral("a")));
    return out;
}

QStringList titlesOf(const DropMenuPage& page) {
    QStringList out;
    for (const DropMenuItem& item : page.items())
        out.append(item.title);
    return out;
}

// A picture file the store accepts.
QUrl pictureFile(const TestHome& home) {
    const QString path = home.folder(QStringLiteral("pics")) + QStringLiteral("/p.png");
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_TRUE(image.save(path));
    return QUrl::fromLocalFile(path);
}

TEST(PictureSlots, WithoutPicturesOnlyTheAddingPlaceWhichNeedsArtists) {
    TestHome home;
    Defaults defaults;
    ArtistImageStore pictures;
    PictureSlots places;
    places.setPictures(&pictures);
    auto empty = libraryWith(defaults, {});
    places.setLibrary(empty.get());
    EXPECT_TRUE(places.currentSlots().isEmpty());
    EXPECT_FALSE(places.canAdd());

    auto library = libraryWith(defaults, songsBy({"ABBA", "Blur"}));
    places.setLibrary(library.get());
    EXPECT_TRUE(places.canAdd());
    const DropMenuPage menu = places.addMenu();
    EXPECT_EQ(menu.sections().front().title, QStringLiteral("add a picture for"));
    EXPECT_EQ(titlesOf(menu), (QStringList{"ABBA\u2026", "Blur\u2026"}));
    QSignalSpy asked(&places, &PictureSlots::choosePicture);
    menu.items().back().run();
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.front().front().toString(), "Blur");
}

TEST(PictureSlots, AStoredLowerCasedNameShowsInTheLibrarysSpellingAndIsRemovedAsStored) {
    TestHome home;
    Defaults defaults;
    {
        // Names listed at start are the lower-cased file names.
        ArtistImageStore first;
        ASSERT_TRUE(first.set(pictureFile(home), QStringLiteral("abba")));
        ASSERT_TRUE(first.set(pictureFile(home), QStringLiteral("gone")));
    }
    ArtistImageStore pictures;
    auto library = libraryWith(defaults, songsBy({"ABBA", "Blur"}));
    PictureSlots places;
    places.setPictures(&pictures);
    places.setLibrary(library.get());
    EXPECT_EQ(places.currentSlots(), (QList<PictureSlot>{{"abba", "ABBA"}, {"gone", "gone"}}));
    EXPECT_EQ(PictureSlots::changeLabel("ABBA"), "Change ABBA's picture");
    EXPECT_EQ(PictureSlots::removeLabel("ABBA"), "Remove ABBA's picture");
    EXPECT_EQ(titlesOf(places.addMenu()), QStringList{"Blur\u2026"});

    places.remove(QStringLiteral("abba"));
    EXPECT_FALSE(pictures.has(QStringLiteral("ABBA")));
    EXPECT_EQ(titlesOf(places.addMenu()), (QStringList{"ABBA\u2026", "Blur\u2026"}));
}

TEST(PictureSlots, APictureSetThisRunIsNotOfferedAgain) {
    TestHome home;
    Defaults defaults;
    ArtistImageStore pictures;
    auto library = libraryWith(defaults, songsBy({"ABBA", "Blur"}));
    PictureSlots places;
    places.setPictures(&pictures);
    places.setLibrary(library.get());
    QSignalSpy changed(&places, &PictureSlots::slotsChanged);
    ASSERT_TRUE(pictures.set(pictureFile(home), QStringLiteral("ABBA")));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(titlesOf(places.addMenu()), QStringList{"Blur\u2026"});
    ASSERT_TRUE(pictures.set(pictureFile(home), QStringLiteral("Blur")));
    EXPECT_FALSE(places.canAdd());
}

} // namespace
