#include "AutoPlaylist.h"

#include "LibraryStore.h"
#include "core/Text.h"

#include <algorithm>

std::optional<AutoPlaylist> AutoPlaylist::fromId(const QUuid& id) {
    for (AutoPlaylist a : allCases())
        if (a.id() == id) return a;
    return std::nullopt;
}

QString AutoPlaylist::rawValue() const {
    switch (m_case) {
    case liked:
        return QStringLiteral("liked");
    case mostPlayed:
        return QStringLiteral("mostPlayed");
    case recentlyAdded:
        return QStringLiteral("recentlyAdded");
    }
    return {};
}

QUuid AutoPlaylist::id() const {
    // The three ids differ only in their last digit.
    return QUuid::fromString(QStringLiteral("5A0E0000-0000-4000-8000-00000000000") +
                             QString::number(int(m_case) + 1));
}

QString AutoPlaylist::name() const {
    switch (m_case) {
    case liked:
        return QStringLiteral("liked songs");
    case mostPlayed:
        return QStringLiteral("most played");
    case recentlyAdded:
        return QStringLiteral("recently added");
    }
    return {};
}

QString AutoPlaylist::about() const {
    switch (m_case) {
    case liked:
        return QStringLiteral("every song you've liked");
    case mostPlayed:
        return QStringLiteral("the ") + QString::number(limit) + QStringLiteral(" songs you play most");
    case recentlyAdded:
        return QStringLiteral("the newest albums, ") + QString::number(limit) +
               QStringLiteral(" songs' worth");
    }
    return {};
}

Playlist AutoPlaylist::playlist() const {
    return Playlist{id(), name(), {}, Date::distantPast()};
}

QList<Song> AutoPlaylist::songs(const LibraryStore& library, const LikesAndPlays& player) const {
    QList<Song> out;
    switch (m_case) {
    case liked: {
        // Lower-cased keys are made once per song, not at every comparison.
        struct Keyed {
            QString artist;
            QString album;
            const Song* song;
        };
        QList<Keyed> keyed;
        for (const Song& s : library.songs())
            if (player.likes.contains(s.url.path))
                keyed.append({Text::lower(s.albumArtist), Text::lower(s.album), &s});
        std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
            if (int c = Text::plainCompare(a.artist, b.artist)) return c < 0;
            if (int c = Text::plainCompare(a.album, b.album)) return c < 0;
            if (a.song->disc != b.song->disc) return a.song->disc < b.song->disc;
            return a.song->track < b.song->track;
        });
        out.reserve(keyed.size());
        for (const Keyed& k : keyed)
            out.append(*k.song);
        break;
    }
    case mostPlayed: {
        struct Counted {
            qint64 plays;
            const Song* song;
        };
        QList<Counted> counted;
        for (const Song& s : library.songs())
            if (qint64 n = player.plays(s.url.path); n >= 1) counted.append({n, &s});
        std::stable_sort(counted.begin(), counted.end(), [](const Counted& a, const Counted& b) {
            if (a.plays != b.plays) return a.plays > b.plays;
            return Text::plainLess(a.song->title, b.song->title);
        });
        const qsizetype n = std::min<qsizetype>(counted.size(), limit);
        out.reserve(n);
        for (qsizetype i = 0; i < n; ++i)
            out.append(*counted.at(i).song);
        break;
    }
    case recentlyAdded:
        // Whole albums only: the last one taken may carry the list past the limit.
        for (const Album& album : library.recentlyAdded()) {
            if (out.size() >= limit) break;
            out.append(album.songs);
        }
        break;
    }
    return out;
}
