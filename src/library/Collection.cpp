#include "Album.h"
#include "Artist.h"
#include "Song.h"

#include "core/Text.h"

#include <QStringDecoder>
#include <cmath>
#include <string_view>
#include <type_traits>

namespace {

int hexValue(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The library cache holds 100k of these, and QUrl's general parser is a large part of reading it. The form
// toString() writes ("file:///" and a percent-encoded path) is decoded here directly; anything else, or
// anything doubtful (a NUL, malformed UTF-8), is left to QUrl. `Char` is char16_t for a QString's text and
// char for the UTF-8 the cache holds, which is read without making a QString of the whole URL first.
//
// A first pass checks the text and measures the path; a path of ASCII characters (nearly all) is then
// written straight into its string, the only allocation: the cache's reader makes 100k of these.
template <typename Char> std::optional<QString> decodePlainFileUrl(const Char* p, qsizetype n) {
    constexpr std::string_view prefix = "file:///";
    const auto size = qsizetype(prefix.size());
    if (n < size || (n > size && p[size] == '/')) return std::nullopt;
    for (qsizetype i = 0; i < size; ++i)
        if (p[i] != Char(prefix[size_t(i)])) return std::nullopt;
    qsizetype length = 0;
    bool ascii = true;
    for (qsizetype i = size - 1; i < n; ++i, ++length) {
        const char16_t c = char16_t(std::make_unsigned_t<Char>(p[i]));
        if (c == '%') {
            if (i + 2 >= n) return std::nullopt;
            const int hi = hexValue(char16_t(p[i + 1]));
            const int lo = hexValue(char16_t(p[i + 2]));
            if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) return std::nullopt;
            ascii = ascii && hi < 8;
            i += 2;
        } else if (!plainInPath(c)) {
            return std::nullopt;
        }
    }
    const auto decoded = [&](auto* out) {
        for (qsizetype i = size - 1; i < n; ++i) {
            if (p[i] == '%') {
                *out++ = char(hexValue(char16_t(p[i + 1])) * 16 + hexValue(char16_t(p[i + 2])));
                i += 2;
            } else {
                *out++ = char(p[i]);
            }
        }
    };
    if (ascii) {
        QString path(length, Qt::Uninitialized);
        decoded(reinterpret_cast<char16_t*>(path.data()));
        return path;
    }
    QByteArray bytes(length, Qt::Uninitialized);
    decoded(bytes.data());
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString path = utf8(bytes);
    if (utf8.hasError()) return std::nullopt;
    return path;
}

} // namespace

std::optional<FileUrl> FileUrl::fromString(const QString& text) {
    if (auto path = decodePlainFileUrl(reinterpret_cast<const char16_t*>(text.constData()), text.size()))
        return FileUrl{std::move(*path)};
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile()) return std::nullopt;
    QString p = url.toLocalFile();
    if (p.isEmpty()) return std::nullopt;
    return FileUrl{std::move(p)};
}

std::optional<FileUrl> FileUrl::fromUtf8(std::string_view text) {
    if (auto path = decodePlainFileUrl(text.data(), qsizetype(text.size()))) return FileUrl{std::move(*path)};
    return fromString(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

QString albumKey(const QString& albumArtist, const QString& albumName) {
    return Text::lower(albumArtist) + keySeparator + Text::lower(albumName);
}

QString Song::albumID() const {
    return albumKey(albumArtist, taggedAlbum.value_or(album));
}

namespace {

template <typename T> size_t hashOptional(const std::optional<T>& v, size_t seed) {
    return v ? qHash(*v, seed ^ 0x9e37) : seed;
}

bool finite(double d) {
    return std::isfinite(d);
}

// Absent and null both read as absent; anything present must have the right type.
template <typename T, typename Read>
bool readOptional(const QJsonObject& o, const char* key, std::optional<T>& out, Read read) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull()) {
        out.reset();
        return true;
    }
    return read(v, out.emplace());
}

bool readString(const QJsonValue& v, QString& out) {
    if (!v.isString()) return false;
    out = v.toString();
    return true;
}

// A whole number a 64-bit integer can hold. Anything else (1.5, 1e19) is the wrong type, like a text:
// converting it would be undefined, and wrapping it would make up a number the file never held. Qt gives
// the default back for exactly those, so two different defaults tell them apart without a cast.
bool readInteger(const QJsonValue& v, qint64& out) {
    if (!v.isDouble()) return false;
    const qint64 a = v.toInteger(0);
    if (a != v.toInteger(1)) return false;
    out = a;
    return true;
}

bool readNumber(const QJsonValue& v, double& out) {
    if (!v.isDouble()) return false;
    out = v.toDouble();
    return finite(out);
}

bool readDate(const QJsonValue& v, Date& out) {
    auto d = Date::fromJson(v);
    if (!d) return false;
    out = *d;
    return true;
}

} // namespace

QJsonObject Song::toJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("url"), url.toString());
    o.insert(QStringLiteral("title"), title);
    o.insert(QStringLiteral("artist"), artist);
    o.insert(QStringLiteral("album"), album);
    o.insert(QStringLiteral("albumArtist"), albumArtist);
    if (albumArtistTag) o.insert(QStringLiteral("albumArtistTag"), *albumArtistTag);
    o.insert(QStringLiteral("disc"), disc);
    o.insert(QStringLiteral("track"), track);
    o.insert(QStringLiteral("duration"), duration);
    if (genre) o.insert(QStringLiteral("genre"), *genre);
    if (year) o.insert(QStringLiteral("year"), *year);
    o.insert(QStringLiteral("added"), added.toJson());
    o.insert(QStringLiteral("modified"), modified.toJson());
    o.insert(QStringLiteral("bytes"), bytes);
    if (taggedTitle) o.insert(QStringLiteral("taggedTitle"), *taggedTitle);
    if (taggedAlbum) o.insert(QStringLiteral("taggedAlbum"), *taggedAlbum);
    return o;
}

std::optional<Song> Song::fromJson(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject o = value.toObject();
    Song s;
    QString urlText;
    const bool ok = readString(o.value(QLatin1String("url")), urlText) &&
                    readString(o.value(QLatin1String("title")), s.title) &&
                    readString(o.value(QLatin1String("artist")), s.artist) &&
                    readString(o.value(QLatin1String("album")), s.album) &&
                    readString(o.value(QLatin1String("albumArtist")), s.albumArtist) &&
                    readOptional(o, "albumArtistTag", s.albumArtistTag, readString) &&
                    readInteger(o.value(QLatin1String("disc")), s.disc) &&
                    readInteger(o.value(QLatin1String("track")), s.track) &&
                    readNumber(o.value(QLatin1String("duration")), s.duration) &&
                    readOptional(o, "genre", s.genre, readString) &&
                    readOptional(o, "year", s.year, readInteger) &&
                    readDate(o.value(QLatin1String("added")), s.added) &&
                    readDate(o.value(QLatin1String("modified")), s.modified) &&
                    readInteger(o.value(QLatin1String("bytes")), s.bytes) &&
                    readOptional(o, "taggedTitle", s.taggedTitle, readString) &&
                    readOptional(o, "taggedAlbum", s.taggedAlbum, readString);
    if (!ok) return std::nullopt;
    auto url = FileUrl::fromString(urlText);
    if (!url) return std::nullopt;
    s.url = std::move(*url);
    return s;
}

std::optional<QList<Song>> Song::listFromJson(const QJsonValue& value) {
    if (!value.isArray()) return std::nullopt;
    const QJsonArray array = value.toArray();
    QList<Song> songs;
    songs.reserve(array.size());
    for (const QJsonValue& v : array) {
        auto s = fromJson(v);
        if (!s) return std::nullopt;
        songs.append(std::move(*s));
    }
    return songs;
}

QJsonArray Song::listToJson(const QList<Song>& songs) {
    QJsonArray array;
    for (const Song& s : songs)
        array.append(s.toJson());
    return array;
}

size_t qHash(const Song& s, size_t seed) {
    seed = qHashMulti(seed, s.url, s.title, s.artist, s.album, s.albumArtist);
    seed = hashOptional(s.albumArtistTag, seed);
    seed = qHashMulti(seed, s.disc, s.track, s.duration);
    seed = hashOptional(s.genre, seed);
    seed = hashOptional(s.year, seed);
    seed = qHashMulti(seed, s.added.seconds, s.modified.seconds, s.bytes);
    seed = hashOptional(s.taggedTitle, seed);
    return hashOptional(s.taggedAlbum, seed);
}

// Album

QString Album::id() const {
    if (songs.isEmpty()) return albumKey(artist, title);
    return songs.first().albumID();
}

std::optional<qint64> Album::year() const {
    for (const Song& s : songs)
        if (s.year) return s.year;
    return std::nullopt;
}

Date Album::added() const {
    if (songs.isEmpty()) return Date::distantPast();
    Date latest = songs.first().added;
    for (const Song& s : songs)
        latest = std::max(latest, s.added);
    return latest;
}

bool Album::hasSeveralDiscs() const {
    for (const Song& s : songs)
        if (s.disc != songs.first().disc) return true;
    return false;
}

std::optional<FileUrl> Album::artworkURL() const {
    if (cover) return cover;
    if (!songs.isEmpty()) return songs.first().url;
    return std::nullopt;
}

size_t qHash(const Album& a, size_t seed) {
    seed = qHashMulti(seed, a.title, a.artist);
    for (const Song& s : a.songs)
        seed = qHash(s, seed);
    return hashOptional(a.cover, seed);
}

// Artist

QString Artist::id() const {
    return Text::lower(name);
}

QList<Song> Artist::songs() const {
    QList<Song> out;
    for (const Album& a : albums)
        out.append(a.songs);
    return out;
}

std::optional<QString> Artist::genre() const {
    for (const Album& a : albums)
        for (const Song& s : a.songs)
            if (s.genre) return s.genre;
    return std::nullopt;
}

std::optional<FileUrl> Artist::artworkURL(const QSet<QString>& avoiding) const {
    if (albums.isEmpty()) return std::nullopt;
    for (const Album& a : albums)
        if (!avoiding.contains(a.id())) return a.artworkURL();
    return albums.first().artworkURL();
}

size_t qHash(const Artist& a, size_t seed) {
    seed = qHash(a.name, seed);
    for (const Album& al : a.albums)
        seed = qHash(al, seed);
    return seed;
}

QVariantList Album::songList() const {
    QVariantList out;
    out.reserve(songs.size());
    for (const Song& song : songs)
        out.append(QVariant::fromValue(song));
    return out;
}

QUrl Album::artworkUrl() const {
    const std::optional<FileUrl> url = artworkURL();
    return url ? url->toUrl() : QUrl();
}

QVariantList Artist::albumList() const {
    QVariantList out;
    out.reserve(albums.size());
    for (const Album& album : albums)
        out.append(QVariant::fromValue(album));
    return out;
}

int Artist::songCount() const {
    qsizetype count = 0;
    for (const Album& album : albums)
        count += album.songs.size();
    return int(count);
}

QUrl Artist::artworkUrl() const {
    const std::optional<FileUrl> url = artworkURL();
    return url ? url->toUrl() : QUrl();
}
