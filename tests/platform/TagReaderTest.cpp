#include "platform/tags/TagReader.h"
#include "platform/tags/RawId3.h"
#include "support/TestHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <taglib/apetag.h>

namespace {

struct Format {
    const char* file;
    const char* track;
};

class TaggedFixture : public ::testing::TestWithParam<Format> {};

// make-fixtures.sh tags each tone with the same fields and the cover, numbering them in this order.
TEST_P(TaggedFixture, ReadsEveryFieldTheLengthAndTheCover) {
    const Format f = GetParam();
    const QString path = fixturePath(QString::fromLatin1(f.file));
    const FileTags tags = TagReader::read(path);
    ASSERT_TRUE(tags.readable);
    const QString ext = QString::fromLatin1(f.file).section(QLatin1Char('.'), -1);
    EXPECT_EQ(tags.title, QStringList{"Tone " + ext});
    EXPECT_EQ(tags.artist, QStringList{"Test Artist"});
    EXPECT_EQ(tags.album, QStringList{"Test Album"});
    EXPECT_EQ(tags.albumArtist, QStringList{"Test Artist"});
    EXPECT_EQ(tags.genre, QStringList{"Electronic"});
    EXPECT_EQ(tags.date.value(0).left(4), "2019");
    EXPECT_EQ(tags.track.value(0), QString::fromLatin1(f.track));
    EXPECT_EQ(tags.disc.value(0).section(QLatin1Char('/'), 0, 0), "1");
    // Two seconds of tone; lossy encoders add a little priming.
    EXPECT_NEAR(tags.seconds, 2.0, 0.15);

    const QByteArray cover = TestHome::readFile(fixturePath("cover.jpg"));
    ASSERT_FALSE(cover.isEmpty());
    EXPECT_EQ(TagReader::embeddedPicture(path), cover);
}

INSTANTIATE_TEST_SUITE_P(Formats, TaggedFixture,
                         ::testing::Values(Format{"tone.mp3", "1/5"}, Format{"tone.flac", "2/5"},
                                           Format{"tone.m4a", "3/5"}, Format{"tone.ogg", "4/5"},
                                           Format{"tone.wav", "5/5"}, Format{"tone.aiff", "6/5"},
                                           Format{"tone.alac", "7/5"}),
                         [](const auto& info) { return std::string(info.param.file).substr(5); });

// TagLib's File::properties() on a WAV keeps only the ID3v2 tag when there is one; a file with nothing
// but RIFF INFO must still give its fields.
TEST(TagReader, WavWithOnlyRiffInfo) {
    const FileTags tags = TagReader::read(fixturePath("info-only.wav"));
    ASSERT_TRUE(tags.readable);
    EXPECT_EQ(tags.title, QStringList{"Info Title"});
    EXPECT_EQ(tags.artist, QStringList{"Info Artist"});
    EXPECT_EQ(tags.album, QStringList{"Info Album"});
    EXPECT_EQ(tags.genre, QStringList{"Jazz"});
    EXPECT_EQ(tags.date, QStringList{"1959"});
    EXPECT_EQ(tags.track, QStringList{"2"});
    EXPECT_NEAR(tags.seconds, 2.0, 0.05);
    EXPECT_TRUE(TagReader::embeddedPicture(fixturePath("info-only.wav")).isEmpty());
}

TEST(TagReader, UntaggedFilesHaveALengthAndNoTexts) {
    for (const char* name : {"untagged.m4a", "untagged.wav"}) {
        SCOPED_TRACE(name);
        const FileTags tags = TagReader::read(fixturePath(name));
        EXPECT_TRUE(tags.readable);
        EXPECT_GT(tags.seconds, 0.9);
        EXPECT_TRUE(tags.title.isEmpty() && tags.artist.isEmpty() && tags.track.isEmpty());
        EXPECT_TRUE(TagReader::embeddedPicture(fixturePath(name)).isEmpty());
    }
}

// TagLib opens some of these as "valid" (an empty MP3), so what counts is that nothing is made up.
TEST(TagReader, FilesWithoutAudioGiveLengthZeroAndNoTexts) {
    for (const char* name :
         {"empty.mp3", "garbage.m4a", "truncated.flac", "huge-frame.mp3", "broken/random.caf",
          "broken/random.aac", "broken/zero-length.m4a", "no-such-file.mp3"}) {
        SCOPED_TRACE(name);
        const FileTags tags = TagReader::read(fixturePath(name));
        EXPECT_EQ(tags.seconds, 0);
        EXPECT_TRUE(tags.title.isEmpty() && tags.artist.isEmpty() && tags.album.isEmpty());
        EXPECT_TRUE(TagReader::embeddedPicture(fixturePath(name)).isEmpty());
    }
}

// TagLib's own regression files: crashes, endless loops and huge allocations once, in many formats.
TEST(TagReader, EveryCorpusFileReadsWithoutCrashOrHang) {
    QDirIterator it(corpusPath(), QDir::Files);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileName() == "README.md") continue;
        SCOPED_TRACE(path.toStdString());
        const FileTags tags = TagReader::read(path);
        EXPECT_TRUE(std::isfinite(tags.seconds));
        EXPECT_GE(tags.seconds, 0);
        if (!tags.readable) EXPECT_EQ(tags.seconds, 0);
        TagReader::embeddedPicture(path);
        ++files;
    }
    EXPECT_GT(files, 100);
    // Files whose tags TagLib reads (the corpus README lists what each holds).
    EXPECT_FALSE(TagReader::embeddedPicture(corpusPath("silence-44-s.flac")).isEmpty());
    EXPECT_FALSE(TagReader::embeddedPicture(corpusPath("has-tags.m4a")).isEmpty());
    EXPECT_FALSE(TagReader::embeddedPicture(corpusPath("lowercase-fields.ogg")).isEmpty());
}

// ID3v2 genres as taggers store them. TagLib turns "(17)Pop" into "Rock" and "Pop", so the stored text
// is read from the file's bytes; these files carry hand-made tags in each container that holds ID3v2.
namespace id3 {

QByteArray bigEndian(quint32 n, int bytes) {
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((n >> (8 * i)) & 0xff));
    return out;
}

QByteArray synchsafe(quint32 n) {
    const char bytes[4] = {char((n >> 21) & 0x7f), char((n >> 14) & 0x7f), char((n >> 7) & 0x7f),
                           char(n & 0x7f)};
    return QByteArray(bytes, 4);
}

QByteArray frame(int major, const QByteArray& id, const QByteArray& data, char format = 0) {
    if (major == 2) return id.left(3) + bigEndian(data.size(), 3) + data;
    return id + (major == 4 ? synchsafe(data.size()) : bigEndian(data.size(), 4)) + QByteArray(1, 0) +
           QByteArray(1, format) + data;
}

QByteArray tag(int major, const QByteArray& frames, char flags = 0) {
    return QByteArray("ID3") + char(major) + char(0) + flags + synchsafe(frames.size()) + frames;
}

QByteArray genreTag(int major, const QByteArray& latin1) {
    return tag(major, frame(major, major == 2 ? "TT2" : "TIT2", QByteArray(1, 0) + "Song") +
                          frame(major, major == 2 ? "TCO" : "TCON", QByteArray(1, 0) + latin1));
}

// A copy of an untagged fixture with `tag` put where its container keeps ID3v2.
QString tagged(const QString& container, const QByteArray& tagBytes, const QString& folder) {
    QByteArray bytes = TestHome::readFile(fixturePath("untagged." + container));
    EXPECT_FALSE(bytes.isEmpty());
    QByteArray padded = tagBytes;
    if (padded.size() % 2) padded.append('\0');
    if (container == "mp3") {
        bytes.prepend(tagBytes);
    } else if (container == "wav") {
        QByteArray size = bigEndian(tagBytes.size(), 4);
        std::reverse(size.begin(), size.end());
        bytes += "id3 " + size + padded;
        QByteArray riff = bigEndian(bytes.size() - 8, 4);
        std::reverse(riff.begin(), riff.end());
        bytes.replace(4, 4, riff);
    } else {
        bytes += "ID3 " + bigEndian(tagBytes.size(), 4) + padded;
        bytes.replace(4, 4, bigEndian(bytes.size() - 8, 4));
    }
    const QString path = folder + "/song." + container;
    TestHome::writeFile(path, bytes);
    return path;
}

struct GenreCase {
    const char* label;
    const char* container;
    int major;
    QByteArray stored;
    QString expected;
};

class StoredGenre : public ::testing::TestWithParam<GenreCase> {};

TEST_P(StoredGenre, ReadsAsTheFileHoldsIt) {
    TestHome home;
    const GenreCase c = GetParam();
    const QString path = tagged(c.container, genreTag(c.major, c.stored), home.folder("songs"));
    const FileTags tags = TagReader::read(path);
    ASSERT_TRUE(tags.readable);
    EXPECT_EQ(tags.title, QStringList{"Song"});
    EXPECT_EQ(tags.genre.value(0), c.expected) << tags.genre.join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Containers, StoredGenre,
    ::testing::Values(GenreCase{"mp3v23NumberAndName", "mp3", 3, "(17)Pop", "(17)Pop"},
                      GenreCase{"mp3v23NumberAlone", "mp3", 3, "(17)", "(17)"},
                      GenreCase{"mp3v24NumberAndName", "mp3", 4, "(17)Pop", "(17)Pop"},
                      GenreCase{"mp3v22NumberAndName", "mp3", 2, "(17)Pop", "(17)Pop"},
                      GenreCase{"mp3v24BareNumberIsAnId3v1Genre", "mp3", 4, "17", "Rock"},
                      GenreCase{"mp3v23PlainName", "mp3", 3, "Rock (live)", "Rock (live)"},
                      GenreCase{"wavNumberAndName", "wav", 3, "(17)Pop", "(17)Pop"},
                      GenreCase{"wavNumberAlone", "wav", 4, "(17)", "(17)"},
                      GenreCase{"aiffNumberAndName", "aiff", 3, "(17)Pop", "(17)Pop"},
                      GenreCase{"aiffNumberAlone", "aiff", 3, "(17)", "(17)"}),
    [](const auto& info) { return std::string(info.param.label); });

// The stored forms the reader has to undo before a frame's text can be read.
TEST(RawId3, ReadsTextFramesThroughTheirStoredForms) {
    const QByteArray utf16 = QByteArray("\x01\xff\xfe", 3) + QByteArray("(\0"
                                                                        "1\0"
                                                                        "7\0"
                                                                        ")\0"
                                                                        "P\0"
                                                                        "\xe9\0",
                                                                        12);
    struct Case {
        const char* label;
        QByteArray tag;
        std::optional<QStringList> expected;
    } cases[] = {
        {"utf16WithBom", tag(3, frame(3, "TCON", utf16)), QStringList{"(17)Pé"}},
        {"utf8Values", tag(4, frame(4, "TCON", QByteArray("\x03(17)Pop\0Jazz\0", 14))),
         QStringList{"(17)Pop", "Jazz"}},
        // Unsynchronised: the stored 0xFF 0x00 stands for 0xFF, and sizes count what is restored.
        {"unsynchronisedTag",
         QByteArray("ID3\x03\x00\x80", 6) + synchsafe(15) + "TCON" + bigEndian(4, 4) + QByteArray(2, 0) +
             QByteArray("\x00(1\xff\x00", 5),
         QStringList{QString("(1") + QChar(0xff)}},
        {"extendedHeader",
         tag(3, bigEndian(6, 4) + QByteArray(6, 0) + frame(3, "TCON", QByteArray(1, 0) + "(2)"), 0x40),
         QStringList{"(2)"}},
        {"groupedAndSized",
         tag(4, frame(4, "TCON", QByteArray(1, 7) + synchsafe(4) + QByteArray(1, 0) + "(3)", 0x41)),
         QStringList{"(3)"}},
        {"compressed", tag(3, frame(3, "TCON", QByteArray(1, 0) + "(4)", char(0x80))), std::nullopt},
        {"noSuchFrame", tag(3, frame(3, "TIT2", QByteArray(1, 0) + "x")), std::nullopt},
        {"sizePastTheEnd", tag(3, "TCON" + bigEndian(100, 4) + QByteArray(2, 0) + "\0(5)"), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RawId3::textFrame(c.tag, "TCON", "TCO"), c.expected) << c.label;
}

// Raw AAC has no tag of its own; taggers put ID3v2 in front and ID3v1 or APE behind, and none of them
// may count as audio.
TEST(TagReader, RawAacLengthFromItsFramesAndTagsAroundIt) {
    TestHome home;
    const QByteArray audio = TestHome::readFile(fixturePath("tone.aac"));
    ASSERT_FALSE(audio.isEmpty());
    const FileTags plain = TagReader::read(fixturePath("tone.aac"));
    ASSERT_TRUE(plain.readable);
    EXPECT_NEAR(plain.seconds, 2.0, 0.1);
    EXPECT_TRUE(plain.title.isEmpty());

    QByteArray v1 = "TAG" + QByteArray("Old Title").leftJustified(30, '\0') +
                    QByteArray("V1 Artist").leftJustified(30, '\0') + QByteArray(30, 0) + "1999" +
                    QByteArray(30, 0) + char(17);
    const QByteArray front = tag(3, frame(3, "TIT2", QByteArray(1, 0) + "Front Title") +
                                        frame(3, "TCON", QByteArray(1, 0) + "(17)Pop"));
    TagLib::APE::Tag apeTag;
    apeTag.setAlbum("APE Album");
    apeTag.setArtist("APE Artist");
    const TagLib::ByteVector apeBytes = apeTag.render();
    const QByteArray ape(apeBytes.data(), qsizetype(apeBytes.size()));
    const QString path = home.folder("songs") + "/song.aac";
    TestHome::writeFile(path, front + audio + ape + v1);
    const FileTags tags = TagReader::read(path);
    ASSERT_TRUE(tags.readable);
    EXPECT_DOUBLE_EQ(tags.seconds, plain.seconds);
    EXPECT_EQ(tags.title, (QStringList{"Front Title", "Old Title"}));
    EXPECT_EQ(tags.artist, (QStringList{"APE Artist", "V1 Artist"}));
    EXPECT_EQ(tags.album, QStringList{"APE Album"});
    EXPECT_EQ(tags.genre.value(0), "(17)Pop");
    EXPECT_EQ(tags.date, QStringList{"1999"});

    // An APE tag alone at the end, and no tag at all in front.
    TestHome::writeFile(path, audio + ape);
    const FileTags apeOnly = TagReader::read(path);
    EXPECT_DOUBLE_EQ(apeOnly.seconds, plain.seconds);
    EXPECT_EQ(apeOnly.album, QStringList{"APE Album"});
    EXPECT_TRUE(apeOnly.title.isEmpty());
}

} // namespace id3
} // namespace
