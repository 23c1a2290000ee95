#include "SyncPlan.h"

#include "core/Text.h"
#include "library/AutoPlaylist.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"

#include <QHash>

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
    // One walk back from the end: paths are long and the extension short.
    for (qsizetype i = path.size() - 1; i > 0; --i) {
        const QChar c = path[i];
        if (c == QLatin1Char('/')) return {};
        if (c == QLatin1Char('.'))
            return path[i - 1] == QLatin1Char('/') ? QStringView() : QStringView(path).mid(i + 1);
    }
    return {};
}

// A text spelt out in code points after lower-casing and composing (NFC): comparing two of these is the
// plain order (`Text::plainCompare`) of the lower-cased texts.
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

// For each song, the rank of one of its texts in the plain order of the lower-cased texts; texts equal
// after lower-casing share a rank. Each distinct text is lower-cased and ranked once, so the sort of a large
// library compares integers only.
template <typename Field> std::vector<int> plainRanks(const QList<Song>& songs, Field field) {
    QHash<QString, int> idOf;
    std::vector<std::u32string> keys;
    std::vector<int> songIds(songs.size());
    const QString* last = nullptr;
    for (qsizetype i = 0; i < songs.size(); ++i) {
        const QString& text = field(songs[i]);
        // Songs of one album mostly come together and share their texts.
        if (last && text == *last) {
            songIds[i] = songIds[i - 1];
            continue;
        }
        auto it = idOf.constFind(text);
        if (it == idOf.constEnd()) {
            it = idOf.insert(text, int(keys.size()));
            keys.push_back(plainKey(text));
        }
        songIds[i] = *it;
        last = &text;
    }
    std::vector<int> byKey(keys.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int> rankOf(keys.size());
    int rank = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        if (k > 0 && keys[byKey[k]] != keys[byKey[k - 1]]) ++rank;
        rankOf[byKey[k]] = rank;
    }
    for (int& id : songIds)
        id = rankOf[id];
    return songIds;
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
    // Compared in place, without making a lower-cased copy for every song of the library.
    for (const QString& known : playable()) {
        if (ext.size() != known.size()) continue;
        qsizetype i = 0;
        while (i < ext.size() && ext[i].toLower() == known[i])
            ++i;
        if (i == ext.size()) return true;
    }
    return false;
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
    const std::vector<int> artistRank =
        plainRanks(songs, [](const Song& s) -> const QString& { return s.albumArtist; });
    const std::vector<int> albumRank =
        plainRanks(songs, [](const Song& s) -> const QString& { return s.album; });
    std::vector<qsizetype> order(songs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        if (artistRank[a] != artistRank[b]) return artistRank[a] < artistRank[b];
        if (albumRank[a] != albumRank[b]) return albumRank[a] < albumRank[b];
        if (songs[a].disc != songs[b].disc) return songs[a].disc < songs[b].disc;
        return songs[a].track < songs[b].track;
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
    const qsizetype goingCount = std::count(taken.begin(), taken.end(), true);
    plan.going.reserve(goingCount);
    plan.left.reserve(qsizetype(candidates.size()) - goingCount);
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
