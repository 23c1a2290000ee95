#include "library/MusicImport.h"
#include "support/TestHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
// Copies a fixture and rewrites its tags with our tag tool.
QString taggedCopy(const QString& fixture, const QString& target, const QStringList& tags) {
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(fixturePath(fixture), target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QStringList args{target, "--clear"};
    args += tags;
    EXPECT_EQ(QProcess::execute(QStringLiteral(VELTO_BUILD_DIR "/velto-tagtool"), args), 0);
    return target;
}

QString identity(const Song& s) {
    return s.albumArtist + "|" + s.album + "|" + s.title;
}

QStringList filesUnder(const QString& root) {
    QStringList out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.append(QDir(root).relativeFilePath(it.next()));
    out.sort();
    return out;
}
} // namespace

TEST(MusicImport, CleansFolderNames) {
    struct Case {
        QString in, out;
    } cases[] = {{"AC/DC", "AC-DC"},
                 {"...", "Unknown"},
                 {"", "Unknown"},
                 {"Album. ", "Album"},
                 {"..", "Unknown"},
                 {"../../etc", "-..-etc"},
                 {"a:b", "a-b"},
                 {QString("x") + QChar(0) + "y", "x-y"},
                 {" \t.hidden\n", "hidden"},
                 {"Sigur Rós", "Sigur Rós"}};
    for (const auto& c : cases)
        EXPECT_EQ(MusicImport::cleanFolderName(c.in), c.out) << c.in.toStdString();
    const QString longName = MusicImport::cleanFolderName(QString(200, QChar(0x00e9))); // 400 bytes
    EXPECT_LE(longName.toUtf8().size(), 255);
    EXPECT_EQ(longName, QString(127, QChar(0x00e9)));
}

TEST(MusicImport, FilesByAlbumArtistSkipsKnownAndCopiesCovers) {
    TestHome home;
    const QString music = home.folder("music");
    const QString drop = home.folder("drop");
    taggedCopy("tone.mp3", drop + "/a/one.mp3", {"TITLE=One", "ARTIST=AC/DC", "ALBUM=...", "TRACKNUMBER=1"});
    taggedCopy("tone.flac", drop + "/a/two.flac",
               {"TITLE=Two", "ARTIST=Joni", "ALBUM=Blue", "ALBUMARTIST=Joni"});
    taggedCopy("tone.wav", drop + "/b/three.wav", {"TITLE=Known", "ARTIST=Joni", "ALBUM=Blue"});
    // Hostile tags never leave the music folder.
    taggedCopy("tone.m4a", drop + "/b/four.m4a", {"TITLE=Four", "ARTIST=../../../escape", "ALBUM=/etc"});
    TestHome::writeFile(drop + "/a/Front.JPG", "jpeg");
    TestHome::writeFile(drop + "/a/scan.png", "png");
    TestHome::writeFile(drop + "/a/notes.txt", "text");

    QStringList statuses;
    const auto result =
        MusicImport::run({FileUrl::fromPath(drop), FileUrl::fromPath(drop + "/missing")}, music,
                         {"Joni|Blue|Known"}, identity, [&](const QString& s) { statuses.append(s); });
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(result.skipped, 1);
    EXPECT_EQ(result.endText, "added 3 songs, 1 already here");
    EXPECT_EQ(statuses.first(), "copying 1 of 4 songs");
    EXPECT_EQ(statuses.last(), "copying 4 of 4 songs");
    const QStringList files = filesUnder(music);
    EXPECT_TRUE(files.contains("AC-DC/Unknown/one.mp3")) << files.join(' ').toStdString();
    EXPECT_TRUE(files.contains("AC-DC/Unknown/Front.JPG"));
    EXPECT_TRUE(files.contains("AC-DC/Unknown/scan.png"));
    EXPECT_FALSE(files.contains("AC-DC/Unknown/notes.txt"));
    EXPECT_TRUE(files.contains("Joni/Blue/two.flac"));
    EXPECT_TRUE(files.contains("-..-..-escape/-etc/four.m4a")) << files.join(' ').toStdString();
    EXPECT_EQ(files.size(), 7);

    // Again, with nothing known: every earlier target exists now.
    const auto again = MusicImport::run({FileUrl::fromPath(drop)}, music, {}, identity, {});
    EXPECT_EQ(again.endText, "added 1 songs, 3 already here"); // the known one is new to an empty library
}

TEST(MusicImport, LinksInsideTheMusicFolderNeverCarryACopyOutside) {
    TestHome home;
    const QString music = home.folder("music");
    const QString outside = home.folder("outside");
    const QString drop = home.folder("drop");
    // An artist folder that is a link to another disk, and a dangling link where a song would land.
    ASSERT_TRUE(QFile::link(outside, music + "/Linked"));
    QDir().mkpath(music + "/Joni/Blue");
    ASSERT_TRUE(QFile::link(outside + "/river.mp3", music + "/Joni/Blue/river.mp3"));
    taggedCopy("tone.mp3", drop + "/one.mp3", {"TITLE=One", "ARTIST=Linked", "ALBUM=Away"});
    taggedCopy("tone.mp3", drop + "/river.mp3", {"TITLE=River", "ARTIST=Joni", "ALBUM=Blue"});
    taggedCopy("tone.mp3", drop + "/stays.mp3", {"TITLE=Stays", "ARTIST=Joni", "ALBUM=Blue"});

    const auto result = MusicImport::run({FileUrl::fromPath(drop)}, music, {}, identity, {});
    EXPECT_EQ(result.endText, "added 1 songs, 2 already here");
    EXPECT_TRUE(filesUnder(outside).isEmpty()) << filesUnder(outside).join(' ').toStdString();
    EXPECT_TRUE(QFileInfo::exists(music + "/Joni/Blue/stays.mp3"));
}

TEST(MusicImport, NothingToImport) {
    TestHome home;
    const QString music = home.folder("music");
    taggedCopy("tone.mp3", music + "/x/in.mp3", {"TITLE=In"});
    TestHome::writeFile(home.folder("drop") + "/readme.txt", "x");
    QDir().mkpath(home.path() + "/link-parent");
    QFile::link(music, home.path() + "/link-parent/music-link");
    for (const QString& item :
         {music, music + "/x/in.mp3", home.folder("drop"), home.path() + "/link-parent"}) {
        const auto r = MusicImport::run({FileUrl::fromPath(item)}, music, {}, identity, {});
        EXPECT_EQ(r.endText, "no songs in what you dropped") << item.toStdString();
    }
}

// Quitting stops an import between two files: what was copied is whole, nothing else was started, and no
// temporary file is left in the music folder.
TEST(MusicImport, StopEndsTheCopyingBetweenFiles) {
    TestHome home;
    const QString drop = home.folder("Drop");
    for (int i = 1; i <= 5; ++i)
        taggedCopy("tone.mp3", drop + QString("/%1.mp3").arg(i), {"TITLE=Song " + QString::number(i)});
    const QString music = home.folder("Music");
    std::atomic<bool> stop{false};
    int started = 0;
    const auto result = MusicImport::run(
        {FileUrl::fromPath(drop)}, music, {}, identity,
        [&](const QString&) {
            if (++started == 2) stop = true; // set while the second file is being copied
        },
        &stop);
    EXPECT_EQ(started, 2);
    EXPECT_EQ(result.added, 2);
    const QStringList copied = filesUnder(music);
    ASSERT_EQ(copied.size(), 2) << copied.join(", ").toStdString();
    for (const QString& f : copied) {
        EXPECT_TRUE(f.endsWith(".mp3")) << f.toStdString();
        EXPECT_EQ(TestHome::readFile(music + "/" + f),
                  TestHome::readFile(drop + "/" + QFileInfo(f).fileName()));
    }
}
