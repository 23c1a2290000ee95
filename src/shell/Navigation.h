#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <optional>

// The small value types the navigation model names.
namespace Nav {
Q_NAMESPACE
QML_ELEMENT

// The pages of the main window, in declaration order.
enum class Page { quickplay, collection, nowPlaying, playerSummary, playerSettings, settings };
Q_ENUM_NS(Page)

// The sections of the collection page, in the order they are offered.
enum class CollectionTamsk { artists, albums, songs, playlists };
Q_ENUM_NS(CollectionTamsk)

} // namespace Nav

using Page = Nav::Page;
using CollectionTamsk = Nav::CollectionTamsk;

// How deep a page lies; only decides which way the page slide goes. Now Playing is the deepest.
int pageDepth(Page page);

QString collectionTamskText(CollectionTamsk section);
std::optional<CollectionTamsk> collectionTamskFromText(const QString& text);

// A Quickplay pin: an artist name, an album identity or a playlist id, stored as "kind:value".
struct Pin {
    enum class Kind { artist, album, playlist };
    Kind kind = Kind::artist;
    // The artist name, the album identity, or the playlist id as upper-case hyphenated UUID text.
    QString value;

    static Pin artist(const QString& name) { return {Kind::artist, name}; }
    static Pin album(const QString& albumID) { return {Kind::album, albumID}; }
    static std::optional<Pin> playlist(const QString& uuidText);

    QString stored() const;
    // nullopt for an unknown kind (compared exactly) or a playlist value that is not a UUID.
    static std::optional<Pin> fromStored(const QString& text);

    // Pins are the same when their text forms match without regard to case.
    friend bool operator==(const Pin& a, const Pin& b);
};
size_t qHash(const Pin& pin, size_t seed = 0);

// What an open Mixview is centred on; compared exactly.
struct MixSeed {
    enum class Kind { artist, album };
    Kind kind = Kind::artist;
    QString value;

    static MixSeed artist(const QString& name) { return {Kind::artist, name}; }
    static MixSeed album(const QString& albumID) { return {Kind::album, albumID}; }
    friend bool operator==(const MixSeed&, const MixSeed&) = default;
};
size_t qHash(const MixSeed& seed, size_t hashSeed = 0);

// A playlist id parsed from its 36-character hyphenated text (either case); nullopt otherwise.
std::optional<QString> canonicalUuid(const QString& text);
