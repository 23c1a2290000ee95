#include "SyncPlan.h"

#include "core/Text.h"
#include "library/AutoPlaylist.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr qint64 maxBytes = std::numeric_limits<qint64>::max();

// Sums of sizes stop at the largest count instead of wrapping round to a negative one.
qint64 saturatingAdd(qint64 a, qint64 b) {
    qint64 out;
    return __builtin_add_overflow(a, b, &out) ? (b > 0 ? maxBytes : std::numeric_limits<qint64>::min()) : out;
}

// The text after the last dot of the file name; none when the name has no dot or starts with its only one.
QStringView extension(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1) return {};
    return QStringView(path).mid(dot + 1);
}

// One song's sort keys, made once: the texts lower-cased, composed (NFC) and spelt out in code points, so
// the sort compares in the plain order (`Text::plainCompare`) without normalising at every comparison.
struct OrderKey {
    std::u32string albumArtist;
    std::u32string album;
    qint64 disc;
    qint64 track;
};

std::u32string plainKey(const QString& text) {
    const QString composed = Text::lower(text).normalized(QString::NormalizationForm_C);
    std::u32string out;
    out.reserve(composed.size());
    for (auto it = composed.cbegin(); it != composed.cend(); ++it) {
        if (it->isHighSurrogate() && it + 1 != composed.cend() && (it + 1)->isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(*it, *(it + 1)));
            ++it;
        } else {
            out.push_back(it->unicode());
        }
    }
    return out;
}

} // namespace

const QSet<QString>& SyncPlan::playable() {
    static const QSet<QString> extensions{QStringLiteral("mp3"), QStringLiteral("m4a"), QStringLiteral("aac"),
                                          QStringLiteral("mp4"), QStringLiteral("wma")};
    return extensions;
}

bool SyncPlan::isPlayable(const Song& song) {
    const QStringView ext = extension(song.url.path);
    if (ext.isEmpty()) return false;
    return playable().contains(ext.toString().toLower());
}

qint64 SyncPlan::estimate(double duration, qint64 quality) {
    const double bytes = duration * double(quality) * 125.0;
    if (!(bytes > 0)) return 0; // also a duration that is not a number
    // 2⁶³ is exact in a double; anything at or above it would not convert.
    if (bytes >= 9223372036854775808.0) return maxBytes;
    return qint64(bytes);
}

qint64 SyncPlan::size(const Song& song, qint64 quality) {
    // A negative byte count from a damaged cache would make room on the player, as a negative estimate would.
    if (isPlayable(song)) return std::max<qint64>(song.bytes, 0);
    return estimate(song.duration, quality);
}

QList<Song> SyncPlan::songs(const QString& music, const LibraryStore& library, const PlaylistStore& playlists,
                            const PlayerMusic& picks, const LikesAndPlays& likesAndPlays) {
    if (music == QLatin1String("all")) return library.songs();
    if (music == QLatin1String("choose")) return picks.songs(library, playlists, likesAndPlays);
    return {};
}

SyncPlan SyncPlan::make(const QList<Song>& songs, qint64 capacity, const QString& whenFull, bool convert,
                        qint64 quality, const Plays& plays) {
    // 1. Album order: a stable sort on keys made once per song.
    std::vector<OrderKey> keys;
    keys.reserve(songs.size());
    for (const Song& s : songs)
        keys.push_back({plainKey(s.albumArtist), plainKey(s.album), s.disc, s.track});
    std::vector<qsizetype> order(songs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
        const OrderKey& ka = keys[a];
        const OrderKey& kb = keys[b];
        if (int c = ka.albumArtist.compare(kb.albumArtist)) return c < 0;
        if (int c = ka.album.compare(kb.album)) return c < 0;
        if (ka.disc != kb.disc) return ka.disc < kb.disc;
        return ka.track < kb.track;
    });

    // 2. Split off what the player can't play when nothing is converted.
    SyncPlan plan;
    struct Candidate {
        qsizetype song;
        qint64 size;
        bool playable;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(songs.size());
    for (qsizetype i : order) {
        const Song& s = songs[i];
        const bool playable = isPlayable(s);
        if (!convert && !playable) {
            plan.unplayable.append(s);
            continue;
        }
        const qint64 size = playable ? std::max<qint64>(s.bytes, 0) : estimate(s.duration, quality);
        candidates.push_back({i, size, playable});
    }

    plan.going.reserve(qsizetype(candidates.size()));
    // 3. Fill the budget. A song as large as what is left still fits.
    std::vector<bool> taken(candidates.size(), false);
    qint64 remaining = capacity;
    if (whenFull == QLatin1String("skip")) {
        std::vector<qint64> counts;
        counts.reserve(candidates.size());
        for (const Candidate& c : candidates)
            counts.push_back(plays ? plays(songs[c.song]) : 0);
        std::vector<qsizetype> visit(candidates.size());
        std::iota(visit.begin(), visit.end(), 0);
        // Most played first; the stable sort keeps album order among equal counts.
        std::stable_sort(visit.begin(), visit.end(),
                         [&counts](qsizetype a, qsizetype b) { return counts[a] > counts[b]; });
        for (qsizetype c : visit) {
            if (remaining < candidates[c].size) continue;
            taken[c] = true;
            remaining -= candidates[c].size;
        }
    } else {
        for (size_t c = 0; c < candidates.size(); ++c) {
            if (remaining < candidates[c].size) break;
            taken[c] = true;
            remaining -= candidates[c].size;
        }
    }

    // 4. Collect in album order.
    for (size_t c = 0; c < candidates.size(); ++c) {
        const Song& s = songs[candidates[c].song];
        if (taken[c]) {
            plan.going.append(s);
            plan.bytes = saturatingAdd(plan.bytes, candidates[c].size);
            if (!candidates[c].playable) plan.converted.insert(s.url);
        } else {
            plan.left.append(s);
            plan.leftBytes = saturatingAdd(plan.leftBytes, candidates[c].size);
        }
    }
    return plan;
}
