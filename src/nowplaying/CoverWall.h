#pragma once

#include "library/Album.h"
#include "library/Artist.h"

#include <QImage>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <random>

// One card of the cover wall: an album's cover, or an artist's own picture. Cards with one id are the same
// picture, which the wall keeps apart.
struct WallItem {
    QString id;
    std::optional<FileUrl> url; // the cover file, or a song file whose artwork the cover cache finds
    QString pictureOf;          // the artist whose picture it shows; empty for an album
    friend bool operator==(const WallItem& a, const WallItem& b) { return a.id == b.id; }

    static WallItem album(const Album& album);
    static WallItem picture(const QString& artist);
};

// The wall's fixed shape, made once for the process: 72 tiles of one to three cells packed in 12 columns,
// the distance in cells between every two tiles, and each tile's place in the entrance sweep.
struct WallTables {
    static constexpr int tiles = 72;
    static constexpr int columns = 12;
    std::array<int, tiles> spans{};
    std::array<int, tiles> rows{}, cols{};
    int rowCount = 0;
    std::array<std::array<double, tiles>, tiles> gaps{};
    std::array<double, tiles> introDelays{};

    static const WallTables& shared();
};

// What the wall deals: the two pools (the playing album artist's albums and picture, every other album),
// the two decks they are dealt from, and which tile changed when. Plain logic with the library and the
// pictures given as functions, and the randomness as a generator, so every deal can be replayed.
class WallDealer {
public:
    struct Sources {
        std::function<const QList<Album>&()> albums;
        std::function<std::optional<Artist>(const QString&)> artist;
        // The artist's own picture; a null image when it has none.
        std::function<QImage(const QString&)> picture;
    };
    struct Pools {
        QList<WallItem> artist, others;
    };

    WallDealer(Sources sources, std::mt19937& random);

    // The album artist of the playing song; none while nothing plays. Compared exactly: another spelling
    // is another artist.
    void setAlbumArtist(const std::optional<QString>& name);
    const std::optional<QString>& albumArtist() const { return m_albumArtist; }
    // The library's albums or the artist pictures changed: the pools are made again at the next deal.
    void forgetPools() { m_pools.reset(); }
    void clearArtistDeck() { m_artistDeck.clear(); }

    const Pools& pools();
    std::optional<WallItem> deal(int index, const QList<WallItem>& items);
    // Deals all 72 tiles, or changes nothing when there is nothing to deal.
    bool fill();
    // Replaces one of the 18 tiles that changed longest ago; fills the wall first when it is not full.
    // The tile that changed, or none.
    std::optional<int> flipOne();

    const QList<WallItem>& onWall() const { return m_onWall; }
    // The cards still to deal from the artist's pool, kept back to front (the next card is the last).
    const QList<WallItem>& artistDeck() const { return m_artistDeck; }
    int flipCount() const { return m_flipCount; }
    const std::array<int, WallTables::tiles>& lastFlip() const { return m_lastFlip; }

private:
    std::optional<WallItem> draw(QList<WallItem>& deck, const QList<WallItem>& pool,
                                 const QHash<QString, double>& nearest);

    Sources m_sources;
    std::mt19937& m_random;
    std::optional<QString> m_albumArtist;
    std::optional<Pools> m_pools;
    QList<WallItem> m_onWall;
    QList<WallItem> m_artistDeck, m_otherDeck;
    double m_artistOwed = 0;
    std::array<int, WallTables::tiles> m_lastFlip{};
    int m_flipCount = 0;
};

// When the wall flips: 1.6 s after the album artist changes, then every 0.7–1.3 s one or two tiles, or, while
// a ripple runs, two tiles every 0.09 s. Times in seconds.
class WallSchedule {
public:
    explicit WallSchedule(std::mt19937& random) : m_random(random) {}

    // A new album artist: the ripple of 36 tiles, after the opening pause.
    void restart();
    // The artist pictures changed: at least 8 more fast flips, without restarting.
    void raiseRipple(int atLeast) { m_ripple = std::max(m_ripple, atLeast); }
    int ripple() const { return m_ripple; }

    // How long to wait before the next step.
    double nextWait();
    // How many tiles the step flips; counts the ripple down.
    int step();

private:
    std::mt19937& m_random;
    bool m_opening = true;
    int m_ripple = 0;
    int m_stepRipple = 0;
};
