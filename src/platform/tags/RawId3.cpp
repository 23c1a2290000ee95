#include "RawId3.h"

#include <QFile>

#include <algorithm>

namespace RawId3 {
namespace {

// No tag worth reading is larger; a header or chunk that claims more is damaged.
constexpr qint64 largestTag = 64 * 1024 * 1024;

quint32 bigEndian(const QByteArray& b, qsizetype at, int bytes) {
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

quint32 littleEndian(const QByteArray& b, qsizetype at) {
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

quint32 synchsafe(const QByteArray& b, qsizetype at) {
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 7) | (quint8(b[at + i]) & 0x7f);
    return v;
}

// Undoes unsynchronisation: every 0xFF 0x00 pair stands for 0xFF.
QByteArray resynchronised(const QByteArray& in) {
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        out.append(in[i]);
        if (quint8(in[i]) == 0xff && i + 1 < in.size() && in[i + 1] == 0) ++i;
    }
    return out;
}

QByteArray readAt(QFile& file, qint64 at, qint64 size) {
    size = std::min({size, file.size() - at, largestTag});
    if (size <= 0 || !file.seek(at)) return {};
    return file.read(size);
}

// The first chunk named `name` or `alt` of a RIFF (little-endian sizes) or IFF (big-endian) file.
QByteArray chunk(QFile& file, bool little, const char* name, const char* alt) {
    qint64 at = 12;
    // Chunks are walked by their headers only; a file of thousands of chunks is damaged, not a song.
    for (int n = 0; n < 4096 && at + 8 <= file.size(); ++n) {
        const QByteArray header = readAt(file, at, 8);
        if (header.size() < 8) return {};
        const quint32 size = little ? littleEndian(header, 4) : bigEndian(header, 4, 4);
        const QByteArray id = header.left(4);
        if (id == name || id == alt) return readAt(file, at + 8, size);
        at += 8 + qint64(size) + (size & 1);
    }
    return {};
}

std::optional<QString> utf16(const QByteArray& bytes, bool littleByDefault) {
    bool little = littleByDefault;
    qsizetype start = 0;
    if (bytes.size() >= 2) {
        const quint8 a = quint8(bytes[0]), b = quint8(bytes[1]);
        if (a == 0xff && b == 0xfe)
            little = true, start = 2;
        else if (a == 0xfe && b == 0xff)
            little = false, start = 2;
    }
    QString out;
    for (qsizetype i = start; i + 1 < bytes.size(); i += 2) {
        const quint8 hi = quint8(bytes[little ? i + 1 : i]), lo = quint8(bytes[little ? i : i + 1]);
        out.append(QChar(char16_t((hi << 8) | lo)));
    }
    return out;
}

// A text frame's values: one encoding byte, then the texts, NUL-separated (two NUL bytes on a two-byte
// boundary in UTF-16).
std::optional<QStringList> texts(const QByteArray& data) {
    if (data.isEmpty()) return QStringList{};
    const quint8 encoding = quint8(data[0]);
    const QByteArray rest = data.mid(1);
    QStringList out;
    if (encoding == 0 || encoding == 3) {
        for (const QByteArray& piece : rest.split('\0'))
            out.append(encoding == 0 ? QString::fromLatin1(piece) : QString::fromUtf8(piece));
    } else if (encoding == 1 || encoding == 2) {
        qsizetype from = 0;
        for (qsizetype i = 0; i + 1 < rest.size(); i += 2) {
            if (rest[i] == 0 && rest[i + 1] == 0) {
                out.append(*utf16(rest.mid(from, i - from), encoding == 1));
                from = i + 2;
            }
        }
        out.append(*utf16(rest.mid(from), encoding == 1));
    } else {
        return std::nullopt;
    }
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

bool frameIdByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

QByteArray tagOf(const QString& path, Container container) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray head = readAt(file, 0, 12);
    if (head.size() < 10) return {};
    switch (container) {
    case Container::mpeg: {
        if (!head.startsWith("ID3")) return {};
        const bool footer = quint8(head[3]) == 4 && (quint8(head[5]) & 0x10);
        return readAt(file, 0, 10 + qint64(synchsafe(head, 6)) + (footer ? 10 : 0));
    }
    case Container::wav:
        if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return {};
        return chunk(file, true, "id3 ", "ID3 ");
    case Container::aiff:
        if (head.size() < 12 || !head.startsWith("FORM") ||
            (head.mid(8, 4) != "AIFF" && head.mid(8, 4) != "AIFC"))
            return {};
        return chunk(file, false, "ID3 ", "id3 ");
    }
    return {};
}

std::optional<QStringList> textFrame(const QByteArray& tag, const char id[4], const char id22[3]) {
    if (tag.size() < 10 || !tag.startsWith("ID3")) return std::nullopt;
    const int major = quint8(tag[3]);
    const quint8 flags = quint8(tag[5]);
    if (major < 2 || major > 4) return std::nullopt;
    if (major == 2 && (flags & 0x40)) return std::nullopt; // a compressed ID3v2.2 tag: no known scheme
    QByteArray body = tag.mid(10, synchsafe(tag, 6));
    // Up to ID3v2.3 unsynchronisation covers the whole tag, and frame sizes count the restored bytes.
    if (major <= 3 && (flags & 0x80)) body = resynchronised(body);
    const bool framesUnsynchronised = major == 4 && (flags & 0x80);

    qsizetype at = 0;
    if (major >= 3 && (flags & 0x40)) {
        if (body.size() < 4) return std::nullopt;
        at = major == 3 ? 4 + qsizetype(bigEndian(body, 0, 4)) : qsizetype(synchsafe(body, 0));
    }
    const int headerSize = major == 2 ? 6 : 10;
    const QByteArray wanted = major == 2 ? QByteArray(id22, 3) : QByteArray(id, 4);
    while (at + headerSize <= body.size()) {
        const QByteArray name = body.mid(at, headerSize == 6 ? 3 : 4);
        if (!std::all_of(name.begin(), name.end(), frameIdByte)) break; // padding, or the end of what is sane
        quint32 size = 0;
        if (major == 2) {
            size = bigEndian(body, at + 3, 3);
        } else if (major == 3) {
            size = bigEndian(body, at + 4, 4);
        } else {
            // Some taggers write plain sizes into ID3v2.4 frames; a size with a high bit set cannot be
            // synchsafe.
            const bool plain =
                (quint8(body[at + 4]) | quint8(body[at + 5]) | quint8(body[at + 6]) | quint8(body[at + 7])) &
                0x80;
            size = plain ? bigEndian(body, at + 4, 4) : synchsafe(body, at + 4);
        }
        if (at + headerSize + qint64(size) > body.size()) return std::nullopt;
        if (name == wanted) {
            QByteArray data = body.mid(at + headerSize, size);
            if (major == 3) {
                const quint8 format = quint8(body[at + 9]);
                if (format & 0xc0) return std::nullopt; // compressed or encrypted
                if (format & 0x20) data = data.mid(1);  // group identity
            } else if (major == 4) {
                const quint8 format = quint8(body[at + 9]);
                if (format & 0x0c) return std::nullopt; // compressed or encrypted
                if (format & 0x40) data = data.mid(1);  // group identity
                if (format & 0x01) data = data.mid(4);  // data length indicator
                if (framesUnsynchronised || (format & 0x02)) data = resynchronised(data);
            }
            return texts(data);
        }
        at += headerSize + qsizetype(size);
    }
    return std::nullopt;
}

} // namespace RawId3
