#include "Adts.h"

#include <QByteArray>
#include <QIODevice>

#include <array>

namespace Adts {
namespace {

constexpr int headerBytes = 7;
constexpr int samplesPerBlock = 1024;
// How far into the file the first frame may start (after any ID3v2 tag) before the bytes count as not ADTS.
constexpr qint64 firstFrameWithin = 64 * 1024;
// A sync word turns up by chance about once in 16 KiB of other data; four frames in a row with one sample
// rate and channel layout do not.
constexpr int framesToTrust = 4;

constexpr std::array<int, 13> sampleRates = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                             22050, 16000, 12000, 11025, 8000,  7350};

struct Header {
    int rateIndex = 0;
    int channels = 0;
    int frameBytes = 0;
    int blocks = 0;
};

std::optional<Header> parse(const uchar* p) {
    // 12 bits of sync, then the MPEG version bit, and a layer that is always 0 in ADTS.
    if (p[0] != 0xff || (p[1] & 0xf6) != 0xf0) return std::nullopt;
    Header h;
    h.rateIndex = (p[2] >> 2) & 0x0f;
    if (h.rateIndex >= int(sampleRates.size())) return std::nullopt;
    h.channels = ((p[2] & 0x01) << 2) | (p[3] >> 6);
    h.frameBytes = ((p[3] & 0x03) << 11) | (p[4] << 3) | (p[5] >> 5);
    const bool crc = (p[1] & 0x01) == 0;
    if (h.frameBytes <= headerBytes + (crc ? 2 : 0)) return std::nullopt;
    h.blocks = (p[6] & 0x03) + 1;
    return h;
}

// Forward reading through a buffer: headers are a few bytes every few hundred, so the file is read in
// large pieces rather than one small read per frame.
class Window {
public:
    explicit Window(QIODevice& file) : m_file(file) {}

    // `n` bytes at `offset`, or nullptr when the file ends before them.
    const uchar* at(qint64 offset, int n) {
        if (offset < m_start || offset + n > m_start + m_bytes.size()) {
            if (!m_file.seek(offset)) return nullptr;
            m_bytes = m_file.read(std::max<qint64>(n, 256 * 1024));
            m_start = offset;
            if (m_bytes.size() < n) return nullptr;
        }
        return reinterpret_cast<const uchar*>(m_bytes.constData()) + (offset - m_start);
    }

private:
    QIODevice& m_file;
    QByteArray m_bytes;
    qint64 m_start = 0;
};

// Where the audio starts: after an ID3v2 tag (10 bytes of header, a synchsafe size, a footer when flagged).
qint64 afterId3v2(Window& w) {
    const uchar* p = w.at(0, 10);
    if (!p || p[0] != 'I' || p[1] != 'D' || p[2] != '3') return 0;
    if ((p[6] | p[7] | p[8] | p[9]) & 0x80) return 0;
    const qint64 size = (qint64(p[6]) << 21) | (p[7] << 14) | (p[8] << 7) | p[9];
    return 10 + size + ((p[5] & 0x10) ? 10 : 0);
}

// Where the audio ends: before an ID3v1 tag ("TAG" 128 bytes from the end) and an APE tag in front of it
// or at the very end (its footer names the tag's size).
qint64 beforeTrailingTags(Window& w, qint64 end) {
    if (end >= 128)
        if (const uchar* p = w.at(end - 128, 3); p && p[0] == 'T' && p[1] == 'A' && p[2] == 'G') end -= 128;
    if (end >= 32)
        if (const uchar* p = w.at(end - 32, 32);
            p && QByteArray(reinterpret_cast<const char*>(p), 8) == "APETAGEX") {
            const qint64 size = p[12] | (p[13] << 8) | (p[14] << 16) | (qint64(p[15]) << 24);
            const bool hasHeader = p[23] & 0x80;
            const qint64 whole = size + (hasHeader ? 32 : 0);
            if (whole <= end) end -= whole;
        }
    return end;
}

bool sameStream(const Header& a, const Header& b) {
    return a.rateIndex == b.rateIndex && a.channels == b.channels;
}

// Whether a run of frames starts at `pos`: `framesToTrust` headers alike, each where the one before ends,
// or fewer that end exactly at the end of the audio.
bool runStartsAt(Window& w, qint64 pos, qint64 end) {
    std::optional<Header> first;
    for (int i = 0; i < framesToTrust; ++i) {
        if (pos == end && i > 0) return true;
        const uchar* p = pos + headerBytes <= end ? w.at(pos, headerBytes) : nullptr;
        const std::optional<Header> h = p ? parse(p) : std::nullopt;
        if (!h || (first && !sameStream(*first, *h)) || pos + h->frameBytes > end) return false;
        if (!first) first = h;
        pos += h->frameBytes;
    }
    return true;
}

} // namespace

std::optional<double> seconds(QIODevice& file) {
    if (!file.isOpen() || file.isSequential()) return std::nullopt;
    Window w(file);
    const qint64 start = afterId3v2(w);
    const qint64 end = beforeTrailingTags(w, file.size());

    qint64 pos = start;
    double total = 0;
    bool found = false;
    std::optional<Header> stream; // the run being followed; none while looking for one
    while (pos + headerBytes <= end) {
        if (!stream) {
            if (!found && pos - start > firstFrameWithin) break;
            if (!runStartsAt(w, pos, end)) {
                ++pos;
                continue;
            }
        }
        const uchar* p = w.at(pos, headerBytes);
        const std::optional<Header> h = p ? parse(p) : std::nullopt;
        if (!h || (stream && !sameStream(*stream, *h))) {
            // The run ends here: damaged bytes, or the first frame of another run, so look for a new run
            // from this very byte.
            stream.reset();
            continue;
        }
        // A last frame cut short holds no whole block.
        if (pos + h->frameBytes > end) break;
        // Each frame counts at its own rate: streams spliced from two encodes change rate between runs.
        stream = h;
        found = true;
        total += double(h->blocks * samplesPerBlock) / sampleRates[size_t(h->rateIndex)];
        pos += h->frameBytes;
    }
    if (!found) return std::nullopt;
    return total;
}

} // namespace Adts
