#include "LibraryCache.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <unordered_map>

#include <simdjson.h>

namespace LibraryCache {

namespace {

// ---- writing

void appendRaw(QByteArray& out, std::string_view text) {
    out.append(text.data(), qsizetype(text.size()));
}

void appendUtf8(QByteArray& out, char32_t c) {
    char b[4];
    int n;
    if (c < 0x800) {
        b[0] = char(0xC0 | (c >> 6));
        b[1] = char(0x80 | (c & 0x3F));
        n = 2;
    } else if (c < 0x10000) {
        b[0] = char(0xE0 | (c >> 12));
        b[1] = char(0x80 | ((c >> 6) & 0x3F));
        b[2] = char(0x80 | (c & 0x3F));
        n = 3;
    } else {
        b[0] = char(0xF0 | (c >> 18));
        b[1] = char(0x80 | ((c >> 12) & 0x3F));
        b[2] = char(0x80 | ((c >> 6) & 0x3F));
        b[3] = char(0x80 | (c & 0x3F));
        n = 4;
    }
    out.append(b, n);
}

// A JSON string in UTF-8. A lone surrogate (a broken tag) cannot be UTF-8 and becomes U+FFFD, as Qt's own
// conversion makes it.
void appendString(QByteArray& out, QStringView s) {
    static constexpr char hex[] = "0123456789abcdef";
    out.append('"');
    const char16_t* p = s.utf16();
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (c >= 0x20 && c < 0x80) {
            if (c == '"' || c == '\\') out.append('\\');
            out.append(char(c));
        } else if (c < 0x20) {
            switch (c) {
            case '\n':
                out.append("\\n", 2);
                break;
            case '\t':
                out.append("\\t", 2);
                break;
            case '\r':
                out.append("\\r", 2);
                break;
            case '\b':
                out.append("\\b", 2);
                break;
            case '\f':
                out.append("\\f", 2);
                break;
            default: {
                const char esc[6] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
                out.append(esc, 6);
            }
            }
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
            appendUtf8(out, QChar::surrogateToUcs4(c, p[i + 1]));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, c);
        }
    }
    out.append('"');
}

void appendInteger(QByteArray& out, qint64 v) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    out.append(digits, end - digits);
}

// The shortest text that reads back as the same double, so cached dates compare equal after a restart.
void appendNumber(QByteArray& out, double v) {
    if (!std::isfinite(v)) v = 0;
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    out.append(digits, end - digits);
}

void appendUrl(QByteArray& out, const FileUrl& url) {
    // Only plain absolute paths take the short way; anything unusual goes through QUrl, as before.
    if (!url.path.startsWith(QLatin1Char('/')) || url.path.startsWith(QLatin1String("//"))) {
        appendString(out, url.toString());
        return;
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray bytes = url.path.toUtf8();
    out.append("\"file://", 8);
    for (const char c : bytes) {
        if (plainInPath(char16_t(static_cast<unsigned char>(c)))) {
            out.append(c);
        } else {
            const auto u = static_cast<unsigned char>(c);
            const char esc[3] = {'%', hex[u >> 4], hex[u & 0xF]};
            out.append(esc, 3);
        }
    }
    out.append('"');
}

void appendKey(QByteArray& out, std::string_view key) {
    out.append('"');
    appendRaw(out, key);
    out.append("\":", 2);
}

// ---- reading
//
// The text is walked once with simdjson's on-demand parser: no parse tree of the whole cache is built (for
// 40 MB of text the tree alone took several times that much memory, on top of a padded copy of the text),
// and every value is read, and so checked, exactly once.

using simdjson::ondemand::json_type;
using simdjson::ondemand::number_type;
using simdjson::ondemand::value;

// Songs of one album share most of their texts; each distinct text is made once, which also keeps a large
// collection's memory down. The views point into the parser's string buffer, which outlives the table.
class Texts {
public:
    const QString& get(std::string_view utf8) {
        auto it = m_texts.find(utf8);
        if (it == m_texts.end())
            it = m_texts.emplace(utf8, QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))).first;
        return it->second;
    }

private:
    std::unordered_map<std::string_view, QString> m_texts;
};

bool readString(value& v, std::string_view& out) {
    return v.get_string().get(out) == simdjson::SUCCESS;
}

bool isNull(value& v) {
    json_type type;
    bool null = false;
    return v.type().get(type) == simdjson::SUCCESS && type == json_type::null &&
           v.is_null().get(null) == simdjson::SUCCESS && null;
}

// A whole number within the 64-bit range, like Song::fromJson: 3 and 3.0 read, 1.5 and 1e19 do not.
bool readInteger(value& v, qint64& out) {
    number_type type;
    if (v.get_number_type().get(type) != simdjson::SUCCESS) return false;
    switch (type) {
    case number_type::signed_integer: {
        int64_t i = 0;
        if (v.get_int64().get(i) != simdjson::SUCCESS) return false;
        out = qint64(i);
        return true;
    }
    case number_type::floating_point_number: {
        double d = 0;
        if (v.get_double().get(d) != simdjson::SUCCESS) return false;
        constexpr double limit = 9223372036854775808.0; // 2^63
        if (!std::isfinite(d) || std::trunc(d) != d || d < -limit || d >= limit) return false;
        out = qint64(d);
        return true;
    }
    default: // an unsigned integer is one above the signed range
        return false;
    }
}

bool readNumber(value& v, double& out) {
    number_type type;
    if (v.get_number_type().get(type) != simdjson::SUCCESS) return false;
    switch (type) {
    case number_type::signed_integer: {
        int64_t i = 0;
        if (v.get_int64().get(i) != simdjson::SUCCESS) return false;
        out = double(i);
        return true;
    }
    case number_type::unsigned_integer: {
        uint64_t u = 0;
        if (v.get_uint64().get(u) != simdjson::SUCCESS) return false;
        out = double(u);
        return true;
    }
    case number_type::floating_point_number:
        return v.get_double().get(out) == simdjson::SUCCESS && std::isfinite(out);
    }
    return false;
}

// A value under a key we do not know is skipped, but read through: the on-demand parser checks only what
// is read, and a cache that is not JSON throughout is refused whole, as QJsonDocument refuses it.
bool readAny(value v, int depth = 0) {
    if (depth > 64) return false;
    json_type type;
    if (v.type().get(type) != simdjson::SUCCESS) return false;
    switch (type) {
    case json_type::array: {
        simdjson::ondemand::array a;
        if (v.get_array().get(a) != simdjson::SUCCESS) return false;
        for (auto item : a) {
            value inner;
            if (item.get(inner) != simdjson::SUCCESS || !readAny(inner, depth + 1)) return false;
        }
        return true;
    }
    case json_type::object: {
        simdjson::ondemand::object o;
        if (v.get_object().get(o) != simdjson::SUCCESS) return false;
        for (auto field : o) {
            std::string_view key;
            value inner;
            if (field.unescaped_key().get(key) != simdjson::SUCCESS ||
                field.value().get(inner) != simdjson::SUCCESS || !readAny(inner, depth + 1))
                return false;
        }
        return true;
    }
    case json_type::number: {
        double d = 0;
        return readNumber(v, d);
    }
    case json_type::string: {
        std::string_view s;
        return readString(v, s);
    }
    case json_type::boolean: {
        bool b = false;
        return v.get_bool().get(b) == simdjson::SUCCESS;
    }
    case json_type::null:
        return isNull(v);
    }
    return false;
}

enum Required : unsigned {
    hasUrl = 1 << 0,
    hasTitle = 1 << 1,
    hasArtist = 1 << 2,
    hasAlbum = 1 << 3,
    hasAlbumArtist = 1 << 4,
    hasDisc = 1 << 5,
    hasTrack = 1 << 6,
    hasDuration = 1 << 7,
    hasAdded = 1 << 8,
    hasModified = 1 << 9,
    hasBytes = 1 << 10,
    allRequired = (1 << 11) - 1,
};

// An optional text: absent or null leave it empty, a text sets it, anything else is wrong.
bool readOptionalText(value& v, std::optional<QString>& out, Texts& texts) {
    if (isNull(v)) {
        out.reset();
        return true;
    }
    std::string_view s;
    if (!readString(v, s)) return false;
    out = texts.get(s);
    return true;
}

bool readSong(value e, Song& s, Texts& texts) {
    simdjson::ondemand::object o;
    if (e.get_object().get(o) != simdjson::SUCCESS) return false;
    unsigned seen = 0;
    for (auto field : o) {
        std::string_view key;
        value v;
        if (field.unescaped_key().get(key) != simdjson::SUCCESS || field.value().get(v) != simdjson::SUCCESS)
            return false;
        std::string_view text;
        bool ok = true;
        if (key == "url") {
            ok = readString(v, text);
            if (ok) {
                auto url = FileUrl::fromUtf8(text);
                ok = url.has_value();
                if (ok) s.url = std::move(*url);
            }
            seen |= hasUrl;
        } else if (key == "title") {
            ok = readString(v, text);
            if (ok) s.title = QString::fromUtf8(text.data(), qsizetype(text.size()));
            seen |= hasTitle;
        } else if (key == "artist") {
            ok = readString(v, text);
            if (ok) s.artist = texts.get(text);
            seen |= hasArtist;
        } else if (key == "album") {
            ok = readString(v, text);
            if (ok) s.album = texts.get(text);
            seen |= hasAlbum;
        } else if (key == "albumArtist") {
            ok = readString(v, text);
            if (ok) s.albumArtist = texts.get(text);
            seen |= hasAlbumArtist;
        } else if (key == "albumArtistTag") {
            ok = readOptionalText(v, s.albumArtistTag, texts);
        } else if (key == "disc") {
            ok = readInteger(v, s.disc);
            seen |= hasDisc;
        } else if (key == "track") {
            ok = readInteger(v, s.track);
            seen |= hasTrack;
        } else if (key == "duration") {
            ok = readNumber(v, s.duration);
            seen |= hasDuration;
        } else if (key == "genre") {
            ok = readOptionalText(v, s.genre, texts);
        } else if (key == "year") {
            if (isNull(v)) {
                s.year.reset();
            } else {
                qint64 year = 0;
                ok = readInteger(v, year);
                s.year = year;
            }
        } else if (key == "added") {
            ok = readNumber(v, s.added.seconds);
            seen |= hasAdded;
        } else if (key == "modified") {
            ok = readNumber(v, s.modified.seconds);
            seen |= hasModified;
        } else if (key == "bytes") {
            ok = readInteger(v, s.bytes);
            seen |= hasBytes;
        } else if (key == "taggedTitle") {
            ok = readOptionalText(v, s.taggedTitle, texts);
        } else if (key == "taggedAlbum") {
            ok = readOptionalText(v, s.taggedAlbum, texts);
        } else {
            ok = readAny(v);
        }
        if (!ok) return false;
    }
    return seen == allRequired;
}

} // namespace

void appendSong(QByteArray& out, const Song& s) {
    out.append('{');
    appendKey(out, "url");
    appendUrl(out, s.url);
    out.append(',');
    appendKey(out, "title");
    appendString(out, s.title);
    out.append(',');
    appendKey(out, "artist");
    appendString(out, s.artist);
    out.append(',');
    appendKey(out, "album");
    appendString(out, s.album);
    out.append(',');
    appendKey(out, "albumArtist");
    appendString(out, s.albumArtist);
    if (s.albumArtistTag) {
        out.append(',');
        appendKey(out, "albumArtistTag");
        appendString(out, *s.albumArtistTag);
    }
    out.append(',');
    appendKey(out, "disc");
    appendInteger(out, s.disc);
    out.append(',');
    appendKey(out, "track");
    appendInteger(out, s.track);
    out.append(',');
    appendKey(out, "duration");
    appendNumber(out, s.duration);
    if (s.genre) {
        out.append(',');
        appendKey(out, "genre");
        appendString(out, *s.genre);
    }
    if (s.year) {
        out.append(',');
        appendKey(out, "year");
        appendInteger(out, *s.year);
    }
    out.append(',');
    appendKey(out, "added");
    appendNumber(out, s.added.seconds);
    out.append(',');
    appendKey(out, "modified");
    appendNumber(out, s.modified.seconds);
    out.append(',');
    appendKey(out, "bytes");
    appendInteger(out, s.bytes);
    if (s.taggedTitle) {
        out.append(',');
        appendKey(out, "taggedTitle");
        appendString(out, *s.taggedTitle);
    }
    if (s.taggedAlbum) {
        out.append(',');
        appendKey(out, "taggedAlbum");
        appendString(out, *s.taggedAlbum);
    }
    out.append('}');
}

QByteArray encode(const QList<Song>& songs) {
    QByteArray out;
    // About 300 bytes a song; one early reservation saves the copies of a growing buffer.
    out.reserve(qsizetype(songs.size()) * 320 + 2);
    out.append('[');
    for (qsizetype i = 0; i < songs.size(); ++i) {
        if (i) out.append(',');
        appendSong(out, songs.at(i));
    }
    out.append(']');
    return out;
}

std::optional<QList<Song>> decode(const QByteArray& json) {
    // The parser reads a little past the end of the text. A text read from a file mostly has that room
    // already (byte arrays grow in steps); only otherwise is it copied into a padded buffer.
    const size_t length = size_t(json.size());
    simdjson::padded_string copy;
    const char* text = json.constData();
    size_t room = size_t(json.capacity());
    if (room < length + simdjson::SIMDJSON_PADDING) {
        copy = simdjson::padded_string(text, length);
        text = copy.data();
        room = length + simdjson::SIMDJSON_PADDING;
    }
    simdjson::ondemand::parser parser;
    simdjson::ondemand::document doc;
    if (parser.iterate(text, length, room).get(doc) != simdjson::SUCCESS) return std::nullopt;
    simdjson::ondemand::array array;
    if (doc.get_array().get(array) != simdjson::SUCCESS) return std::nullopt;
    QList<Song> songs;
    size_t count = 0;
    if (array.count_elements().get(count) != simdjson::SUCCESS) return std::nullopt;
    songs.reserve(qsizetype(count));
    Texts texts;
    for (auto item : array) {
        value e;
        Song s;
        if (item.get(e) != simdjson::SUCCESS || !readSong(e, s, texts)) return std::nullopt;
        songs.append(std::move(s));
    }
    // Anything after the array makes the text something other than JSON.
    const char* after = nullptr;
    if (doc.current_location().get(after) != simdjson::OUT_OF_BOUNDS) return std::nullopt;
    return songs;
}

} // namespace LibraryCache
