#include "CoverWall.h"

#include "core/Text.h"
#include "shell/look/MosaicLayout.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

WallItem WallItem::album(const Album& album) {
    std::optional<FileUrl> url = album.cover;
    if (!url && !album.songs.isEmpty()) url = album.songs.first().url;
    return {QStringLiteral("album:") + album.id(), url, {}};
}

WallItem WallItem::picture(const QString& artist) {
    return {QStringLiteral("picture:") + artist, std::nullopt, artist};
}

const WallTables& WallTables::shared() {
    static const WallTables tables = [] {
        WallTables t;
        constexpr std::array<int, 18> pattern{1, 1, 2, 1, 1, 3, 1, 1, 1, 2, 1, 1, 2, 1, 1, 1, 1, 2};
        QList<int> spans;
        for (int n = 0; n < tiles; ++n) {
            t.spans[size_t(n)] = pattern[size_t(n % 18)];
            spans.append(t.spans[size_t(n)]);
        }
        const MosaicLayout::Packing packing = MosaicLayout::pack(spans, columns);
        t.rowCount = packing.rows;
        for (int n = 0; n < tiles; ++n) {
            t.rows[size_t(n)] = packing.spots[n].row;
            t.cols[size_t(n)] = packing.spots[n].col;
        }
        for (int i = 0; i < tiles; ++i) {
            const double a = t.spans[size_t(i)];
            for (int j = 0; j < tiles; ++j) {
                const double b = t.spans[size_t(j)];
                const double dx = std::max(
                    std::abs((t.cols[size_t(i)] + a / 2) - (t.cols[size_t(j)] + b / 2)) - (a + b) / 2, 0.0);
                const double dy = std::max(
                    std::abs((t.rows[size_t(i)] + a / 2) - (t.rows[size_t(j)] + b / 2)) - (a + b) / 2, 0.0);
                t.gaps[size_t(i)][size_t(j)] = std::sqrt(dx * dx + dy * dy);
            }
            // The bottom-left tiles come first and the top-right ones last.
            t.introDelays[size_t(i)] =
                ((t.rowCount - (t.rows[size_t(i)] + a / 2)) + (t.cols[size_t(i)] + a / 2)) * 0.035;
        }
        return t;
    }();
    return tables;
}

// MARK: dealing

WallDealer::WallDealer(Sources sources, std::mt19937& random)
    : m_sources(std::move(sources)), m_random(random) {}

void WallDealer::setAlbumArtist(const std::optional<QString>& name) {
    if (name == m_albumArtist) return;
    m_albumArtist = name;
    m_pools.reset();
}

const WallDealer::Pools& WallDealer::pools() {
    if (m_pools) return *m_pools;
    Pools pools;
    const QList<Album>& albums = m_sources.albums();
    pools.others.reserve(albums.size());
    if (!m_albumArtist) {
        for (const Album& album : albums)
            pools.others.append(WallItem::album(album));
    } else {
        const QString& name = *m_albumArtist;
        if (const std::optional<Artist> artist = m_sources.artist(name))
            for (const Album& album : artist->albums)
                pools.artist.append(WallItem::album(album));
        // The artist's own picture goes in twice, so it shows about as often as two albums.
        if (!m_sources.picture(name).isNull())
            pools.artist << WallItem::picture(name) << WallItem::picture(name);
        const QString lowered = Text::lower(name);
        for (const Album& album : albums)
            if (Text::lower(album.artist) != lowered) pools.others.append(WallItem::album(album));
    }
    m_pools = std::move(pools);
    return *m_pools;
}

std::optional<WallItem> WallDealer::draw(QList<WallItem>& deck, const QList<WallItem>& pool,
                                         const QHash<QString, double>& nearest) {
    // A deck is kept back to front: its next card is its last element, so taking one of the first few
    // cards moves only the cards after it, never the thousands behind.
    if (deck.size() <= 7) {
        // Filtered against the deck as it was before this refill, so both copies of a picture go in.
        QSet<QString> inDeck;
        for (const WallItem& card : deck)
            inDeck.insert(card.id);
        QList<WallItem> refilled;
        refilled.reserve(pool.size() + deck.size());
        for (const WallItem& item : pool)
            if (!inDeck.contains(item.id)) refilled.append(item);
        std::shuffle(refilled.begin(), refilled.end(), m_random);
        // The new cards go behind those still in the deck: below them, back to front.
        std::reverse(refilled.begin(), refilled.end());
        refilled.append(std::move(deck));
        deck = std::move(refilled);
    }
    if (deck.isEmpty()) return std::nullopt;

    const qsizetype top = deck.size() - 1;
    qsizetype best = 0;
    double bestDistance = -std::numeric_limits<double>::infinity();
    for (qsizetype k = 0; k < deck.size(); ++k) {
        if ((k == 1 && bestDistance >= 2) || (k >= 8 && bestDistance > 0)) break;
        const auto found = nearest.constFind(deck[top - k].id);
        if (found == nearest.constEnd()) {
            best = k; // not on the wall: taken at once
            break;
        }
        if (*found > bestDistance) {
            best = k;
            bestDistance = *found;
        }
    }
    return deck.takeAt(top - best);
}

std::optional<WallItem> WallDealer::deal(int index, const QList<WallItem>& items) {
    const Pools& p = pools();
    double share = 0;
    if (!p.artist.isEmpty())
        share = p.others.isEmpty() ? 1.0 : std::min(4.0 * double(p.artist.size()) / 72.0, 0.45);
    m_artistOwed += share;
    const bool artistFirst = m_artistOwed >= 1;
    if (artistFirst) m_artistOwed -= 1;

    const auto& gaps = WallTables::shared().gaps;
    QHash<QString, double> nearest;
    nearest.reserve(items.size());
    for (qsizetype k = 0; k < items.size(); ++k) {
        const double d = k == index ? -1.0 : gaps[size_t(index)][size_t(k)];
        auto it = nearest.find(items[k].id);
        if (it == nearest.end())
            nearest.insert(items[k].id, d);
        else if (d < *it)
            *it = d;
    }

    // The pools live in m_pools, which the draws do not touch.
    if (artistFirst) {
        if (auto card = draw(m_artistDeck, p.artist, nearest)) return card;
        return draw(m_otherDeck, p.others, nearest);
    }
    if (auto card = draw(m_otherDeck, p.others, nearest)) return card;
    return draw(m_artistDeck, p.artist, nearest);
}

bool WallDealer::fill() {
    QList<WallItem> dealt;
    dealt.reserve(WallTables::tiles);
    for (int i = 0; i < WallTables::tiles; ++i) {
        std::optional<WallItem> card = deal(i, dealt);
        if (!card) return false;
        dealt.append(std::move(*card));
    }
    m_onWall = std::move(dealt);
    return true;
}

std::optional<int> WallDealer::flipOne() {
    if (m_onWall.size() != WallTables::tiles) {
        fill();
        return std::nullopt;
    }
    std::array<int, WallTables::tiles> order{};
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return m_lastFlip[size_t(a)] < m_lastFlip[size_t(b)]; });
    const int pick = order[size_t(std::uniform_int_distribution<int>(0, 17)(m_random))];
    std::optional<WallItem> card = deal(pick, m_onWall);
    if (!card) return std::nullopt;
    ++m_flipCount;
    m_lastFlip[size_t(pick)] = m_flipCount;
    m_onWall[pick] = std::move(*card);
    return pick;
}

// MARK: schedule

void WallSchedule::restart() {
    m_opening = true;
    m_ripple = 36;
}

double WallSchedule::nextWait() {
    if (m_opening) {
        m_opening = false;
        m_stepRipple = -1; // the opening pause flips nothing
        return 1.6;
    }
    m_stepRipple = m_ripple;
    if (m_stepRipple > 0) return 0.09;
    return 0.7 + std::uniform_int_distribution<int>(0, 600)(m_random) / 1000.0;
}

int WallSchedule::step() {
    if (m_stepRipple < 0) return 0;
    int flips = 1;
    if (m_stepRipple > 0 || std::bernoulli_distribution(0.5)(m_random)) flips = 2;
    if (m_stepRipple > 0) m_ripple = std::max(m_ripple - 2, 0);
    return flips;
}
