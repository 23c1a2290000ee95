#include "SmartDJ.h"

#include "core/Text.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace {

// Inclusive of both ends: a jitter may reach exactly ±0.2.
double uniformClosed(QRandomGenerator& random, double low, double high) {
    constexpr quint64 steps = quint64(1) << 53;
    std::uniform_int_distribution<quint64> draw(0, steps);
    return low + (high - low) * (double(draw(random)) / double(steps));
}

QList<Song> usableSongs(const Artist& artist, const QSet<QString>& avoiding) {
    QList<Song> out;
    for (const Album& album : artist.albums)
        for (const Song& song : album.songs)
            if (!avoiding.contains(song.url.path)) out.append(song);
    return out;
}

struct Pool {
    QList<Song> songs;
    double share = 0;
    qsizetype quota = 0;
};

} // namespace

double SmartDJ::weight(const Song& song, const Taste& taste) {
    const QString& path = song.url.path;
    const double base = taste.liked.contains(path) ? 3 : 1;
    const double plays = double(taste.plays.value(path, 0));
    const double skips = double(taste.skips.value(path, 0));
    double w = (base + 0.5 * std::log(1 + plays)) / (skips + 1);
    if (taste.recent.contains(path)) w *= 0.2;
    return w;
}

QHash<QString, int> SmartDJ::skips(const QList<Listen>& listens) {
    QHash<QString, int> out;
    for (const Listen& listen : listens) {
        if (listen.mix) continue;
        const double half = listen.duration * 0.5;
        // Short songs are skipped when left before their middle; an unknown length counts as long.
        const bool skipped = (half >= 30 || std::isnan(half)) ? listen.seconds < 30 : listen.seconds < half;
        if (skipped) ++out[listen.path];
    }
    return out;
}

QList<Song> SmartDJ::pick(qsizetype n, const QList<Song>& songs, const Taste& taste,
                          QRandomGenerator& random) {
    QList<Song> out;
    if (n <= 0) return out;
    QList<qsizetype> candidates(songs.size());
    std::iota(candidates.begin(), candidates.end(), 0);
    QList<double> weights;
    weights.reserve(songs.size());
    for (const Song& song : songs)
        weights.append(weight(song, taste));

    out.reserve(std::min(n, songs.size()));
    while (out.size() < n && !candidates.isEmpty()) {
        double total = 0;
        for (qsizetype c : std::as_const(candidates))
            total += weights[c];
        double r = random.generateDouble() * total;
        // Rounding may leave r at or above the last weight; the last candidate takes that sliver.
        qsizetype chosen = candidates.size() - 1;
        for (qsizetype i = 0; i < candidates.size(); ++i) {
            r -= weights[candidates[i]];
            if (r < 0) {
                chosen = i;
                break;
            }
        }
        out.append(songs[candidates[chosen]]);
        candidates.remove(chosen);
    }
    return out;
}

QList<Song> SmartDJ::alternateAlbums(const QList<Song>& songs) {
    QStringList order;
    QHash<QString, QList<Song>> groups;
    for (const Song& song : songs) {
        const QString key = song.albumID();
        auto it = groups.find(key);
        if (it == groups.end()) {
            order.append(key);
            it = groups.insert(key, {});
        }
        it->append(song);
    }
    QList<Song> out;
    out.reserve(songs.size());
    for (qsizetype round = 0; out.size() < songs.size(); ++round)
        for (const QString& key : std::as_const(order))
            if (const QList<Song>& group = groups[key]; round < group.size()) out.append(group[round]);
    return out;
}

QList<Song> SmartDJ::spread(const QList<QList<Song>>& lists, QRandomGenerator& random) {
    struct Placed {
        double key;
        const Song* song;
    };
    QList<Placed> placed;
    for (const QList<Song>& list : lists) {
        if (list.isEmpty()) continue;
        const double n = double(list.size());
        // Even steps over 0 … 1 with a random phase per artist and a little jitter per song, so that
        // artists interleave without a fixed pattern.
        const double phase = random.generateDouble() / n;
        for (qsizetype j = 0; j < list.size(); ++j)
            placed.append(Placed{phase + double(j) / n + uniformClosed(random, -0.2, 0.2) / n, &list[j]});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.key < b.key; });

    QList<Song> out;
    out.reserve(placed.size());
    for (const Placed& p : std::as_const(placed))
        out.append(*p.song);

    // The mix opens with the artist it is named after.
    if (!lists.isEmpty() && !lists.first().isEmpty()) {
        const qsizetype at = out.indexOf(lists.first().first());
        if (at > 0) out.move(at, 0);
    }

    // Keep one album artist from playing twice in a row where another can come between.
    for (qsizetype i = 1; i < out.size(); ++i) {
        const QString& previous = out[i - 1].albumArtist;
        if (out[i].albumArtist != previous) continue;
        for (qsizetype j = i + 1; j < out.size(); ++j) {
            if (out[j].albumArtist != previous) {
                out.swapItemsAt(i, j);
                break;
            }
        }
    }
    return out;
}

QList<Song> SmartDJ::mix(const Artist& around, const ArtistRelations& relations, const Taste& taste,
                         qsizetype count, const QSet<QString>& avoiding, QRandomGenerator& random) {
    if (count <= 0) return {};
    const QList<ArtistRelations::Related> related = relations.related(around, 12);

    QList<ArtistRelations::Related> chosen;
    for (const auto& r : related)
        if (r.score >= 0.6 && chosen.size() < 8) chosen.append(r);
    if (chosen.size() <= 2) {
        // Too few close relations: take the nearest few anyway, each with a say in the mix.
        chosen = related.mid(0, 3);
        for (auto& r : chosen)
            r.score = std::max(r.score, 0.1);
    }
    double sum = 0;
    for (const auto& r : std::as_const(chosen))
        sum += r.score;
    sum = std::max(sum, 0.001);

    QList<Pool> pools;
    QList<Artist> poolArtists{around};
    pools.append(Pool{usableSongs(around, avoiding), 0, 0});
    for (const auto& r : std::as_const(chosen)) {
        pools.append(Pool{usableSongs(r.artist, avoiding), r.score / sum, 0});
        poolArtists.append(r.artist);
    }

    const double wanted = double(count);
    pools[0].quota = std::min(pools[0].songs.size(), qsizetype(std::round(wanted * 0.35)));
    for (qsizetype i = 1; i < pools.size(); ++i)
        pools[i].quota =
            std::min(pools[i].songs.size(), qsizetype(std::round(pools[i].share * 0.65 * wanted)));

    auto quotaSum = [&] {
        qsizetype total = 0;
        for (const Pool& p : std::as_const(pools))
            total += p.quota;
        return total;
    };

    // Rounding up several shares can overshoot; the biggest related quota gives way, never the centre's.
    while (pools.size() >= 2 && quotaSum() > count) {
        qsizetype largest = 1;
        for (qsizetype i = 2; i < pools.size(); ++i)
            if (pools[i].quota > pools[largest].quota) largest = i;
        if (pools[largest].quota == 0) break;
        --pools[largest].quota;
    }

    // Artists with too few songs leave room: first the others' spare songs, then artists related to the
    // whole mix.
    qsizetype remaining = count - quotaSum();
    while (remaining >= 1) {
        Pool* spare = nullptr;
        for (Pool& p : pools)
            if (p.quota < p.songs.size()) {
                spare = &p;
                break;
            }
        if (spare) {
            const qsizetype more = std::min(spare->songs.size() - spare->quota, remaining);
            spare->quota += more;
            remaining -= more;
            continue;
        }
        const auto extra = relations.relatedToAll(poolArtists, 12);
        for (const auto& r : extra) {
            if (remaining < 1) break;
            QList<Song> songs = usableSongs(r.artist, avoiding);
            if (songs.isEmpty()) continue;
            const qsizetype quota = std::min(songs.size(), remaining);
            pools.append(Pool{std::move(songs), 0, quota});
            remaining -= quota;
        }
        break;
    }

    QList<QList<Song>> lists;
    lists.reserve(pools.size());
    for (const Pool& p : std::as_const(pools))
        lists.append(alternateAlbums(pick(p.quota, p.songs, taste, random)));
    return spread(lists, random);
}
