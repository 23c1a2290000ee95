#include "platform/tags/TagReader.h"
#include "support/TestHome.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

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

// Formats TagLib 1.13 has no reader for go to GStreamer.
TEST(TagReader, RawAacThroughTheDiscoverer) {
    const FileTags tags = TagReader::read(fixturePath("tone.aac"));
    ASSERT_TRUE(tags.readable);
    EXPECT_NEAR(tags.seconds, 2.0, 0.3);
    EXPECT_TRUE(tags.title.isEmpty());
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

} // namespace
