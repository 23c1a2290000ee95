#include "platform/tags/Adts.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <optional>

namespace {

// One ADTS frame: no CRC, AAC LC, the given rate index and channel layout, `blocks` blocks of 1024
// samples, `payload` bytes after the 7-byte header.
QByteArray frame(int rateIndex, int payload, int blocks = 1, int channels = 2) {
    const int length = 7 + payload;
    QByteArray f(length, '\x21');
    f[0] = char(0xff);
    f[1] = char(0xf1);
    f[2] = char((1 << 6) | (rateIndex << 2) | (channels >> 2));
    f[3] = char(((channels & 3) << 6) | ((length >> 11) & 3));
    f[4] = char((length >> 3) & 0xff);
    f[5] = char(((length & 7) << 5) | 0x1f);
    f[6] = char(0xfc | (blocks - 1));
    return f;
}

QByteArray frames(int count, int rateIndex, int blocks = 1) {
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += frame(rateIndex, 180 + (i * 37) % 300, blocks);
    return out;
}

std::optional<double> secondsOf(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return Adts::seconds(buffer);
}

QByteArray randomBytes(int n, quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray out(n, 0);
    for (char& c : out)
        c = char(random.bounded(256));
    return out;
}

TEST(Adts, LengthCountsEveryFramesBlocksAtItsRate) {
    const QByteArray id3 = QByteArray("ID3\x03\x00\x00\x00\x00\x01\x00", 10) + QByteArray(128, 0);
    QByteArray apeFooter = "APETAGEX" + QByteArray(24, 0);
    apeFooter[12] = 32; // a tag of nothing but its footer
    struct Case {
        const char* label;
        QByteArray bytes;
        std::optional<double> seconds;
    } cases[] = {
        {"plain44100", frames(430, 4), 430 * 1024 / 44100.0},
        {"twoBlocksAt48000", frames(50, 3, 2), 50 * 2048 / 48000.0},
        {"oneFrameFillingTheFile", frame(4, 300), 1024 / 44100.0},
        {"id3v2InFront", id3 + frames(100, 4), 100 * 1024 / 44100.0},
        {"junkBeforeTheFirstFrame", randomBytes(3000, 1) + frames(100, 4), 100 * 1024 / 44100.0},
        {"id3v1Behind", frames(100, 4) + "TAG" + QByteArray(125, 'x'), 100 * 1024 / 44100.0},
        {"apeBehind", frames(100, 4) + apeFooter, 100 * 1024 / 44100.0},
        // A damaged stretch loses its frames, not the rest of the file.
        {"damageInTheMiddle", frames(60, 4) + randomBytes(777, 2) + frames(40, 4), 100 * 1024 / 44100.0},
        // Two encodes joined: each part at its own rate.
        {"rateChangesBetweenRuns", frames(48, 3) + frames(22, 8), 48 * 1024 / 48000.0 + 22 * 1024 / 16000.0},
        // A last frame cut short holds no whole block.
        {"lastFrameCutShort", frames(100, 4) + frame(4, 300).left(100), 100 * 1024 / 44100.0},
        {"random", randomBytes(256 * 1024, 3), std::nullopt},
        {"empty", QByteArray(), std::nullopt},
        {"shorterThanAHeader", frame(4, 10).left(5), std::nullopt},
        {"audioFarPastTheStart", QByteArray(100 * 1024, 0) + frames(100, 4), std::nullopt},
        // A rate index of 13 and up is reserved.
        {"reservedRate", frames(100, 13), std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<double> got = secondsOf(c.bytes);
        ASSERT_EQ(got.has_value(), c.seconds.has_value()) << c.label;
        if (got) EXPECT_NEAR(*got, *c.seconds, 1e-9) << c.label;
    }
}

} // namespace
