#include "Sorts.h"

#include "core/Defaults.h"
#include "core/Text.h"

#include <QCollatorSortKey>
#include <QDateTime>
#include <QLocale>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

// Sorts `items` by a key made once per item; `less` compares two keys. Stable.
template <typename T, typename Key, typename MakeKey, typename Less>
QList<T> sortedByKey(QList<T> items, MakeKey makeKey, Less less) {
    std::vector<Key> keys;
    keys.reserve(size_t(items.size()));
    for (const T& item : items)
        keys.push_back(makeKey(item));
    std::vector<qsizetype> order(size_t(items.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return less(keys[size_t(a)], keys[size_t(b)]); });
    QList<T> out;
    out.reserve(items.size());
    for (qsizetype i : order)
        out.append(std::move(items[i]));
    return out;
}

// What an album sort compares, made once per album and only as far as the sort needs it: lower-casing is
// the costly part, so a title is lower-cased only when the sort's first rule ties (or for the title sort).
struct AlbumKey {
    const Album* album = nullptr;
    QString artist; // lower-cased, only for the artist sort
    qint64 year = 0;
    double added = 0;
    const QString& title() const {
        if (!titled) {
            lowTitle = Text::lower(album->title);
            titled = true;
        }
        return lowTitle;
    }

private:
    mutable QString lowTitle;
    mutable bool titled = false;
};

AlbumKey keyOf(AlbumSort sort, const Album& album) {
    AlbumKey key;
    key.album = &album;
    switch (sort) {
    case AlbumSort::dateAdded:
        key.added = album.added().seconds;
        break;
    case AlbumSort::title:
        (void)key.title();
        break;
    case AlbumSort::artist:
        key.artist = Text::lower(album.artist);
        key.year = album.year().value_or(0);
        break;
    case AlbumSort::year:
        key.year = album.year().value_or(0);
        break;
    }
    return key;
}

QDateTime localTime(Date date) {
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(date.unixSeconds() * 1000.0)));
}

// The whole second of a date: birth times on Linux carry nanoseconds, so songs copied in together would
// never tie and fall back to their disc and track order.
double wholeSecond(Date date) {
    return std::floor(date.seconds);
}

qint64 msecs(Date date) {
    return qint64(std::llround(date.unixSeconds() * 1000.0));
}

// The date-added headings of one grid, made against one `now`. Albums come newest first, so neighbours
// mostly share a month: the month last met is kept with its bounds, and a date is turned into a local
// calendar date only when it leaves them (the conversion is what costs).
class AddedHeadings {
public:
    explicit AddedHeadings(Date now) : m_now(localTime(now)) {
        // A week back on the calendar's day component, so a change of daylight saving time moves nothing.
        const QDateTime weekAgo = m_now.addDays(-7);
        m_weekAgo = weekAgo.isValid() ? std::optional(weekAgo.toMSecsSinceEpoch()) : std::nullopt;
    }

    QString operator()(Date added) {
        const qint64 ms = msecs(added);
        if (m_weekAgo && ms >= *m_weekAgo) return QStringLiteral("this week");
        if (ms < m_monthStart || ms >= m_monthEnd) enterMonth(ms);
        return m_heading;
    }

private:
    void enterMonth(qint64 ms) {
        const QDate a = QDateTime::fromMSecsSinceEpoch(ms).date();
        const QDate first(a.year(), a.month(), 1);
        m_monthStart = QDateTime(first, QTime(0, 0)).toMSecsSinceEpoch();
        m_monthEnd = QDateTime(first.addMonths(1), QTime(0, 0)).toMSecsSinceEpoch();
        // Bounds that a time-zone gap makes odd would only cost another conversion next time.
        if (ms < m_monthStart || ms >= m_monthEnd) m_monthStart = m_monthEnd = ms;
        const QDate n = m_now.date();
        if (a.year() == n.year() && a.month() == n.month()) {
            m_heading = QStringLiteral("this month");
            return;
        }
        m_heading = Text::lower(QLocale::system().standaloneMonthName(a.month(), QLocale::LongFormat));
        if (a.year() != n.year()) m_heading += QLatin1Char(' ') + QString::number(a.year());
    }

    QDateTime m_now;
    std::optional<qint64> m_weekAgo;
    qint64 m_monthStart = 0;
    qint64 m_monthEnd = 0;
    QString m_heading;
};

QString plainHeading(AlbumSort sort, const Album& album) {
    switch (sort) {
    case AlbumSort::artist:
        return Text::lower(album.artist);
    case AlbumSort::year: {
        const std::optional<qint64> year = album.year();
        return year ? QString::number(*year) : QStringLiteral("no year");
    }
    case AlbumSort::title: {
        if (album.title.isEmpty()) return QStringLiteral("#");
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, album.title);
        const qsizetype end = graphemes.toNextBoundary();
        const QString first = album.title.left(end > 0 ? end : 1);
        const char32_t code = first.at(0).isHighSurrogate() && first.size() > 1
                                  ? QChar::surrogateToUcs4(first.at(0), first.at(1))
                                  : first.at(0).unicode();
        return QChar::isLetter(code) ? Text::lower(first) : QStringLiteral("#");
    }
    case AlbumSort::dateAdded:
        break;
    }
    return {};
}

} // namespace

namespace Sorts {

QString rawValue(AlbumSort sort) {
    switch (sort) {
    case AlbumSort::dateAdded:
        return QStringLiteral("dateAdded");
    case AlbumSort::title:
        return QStringLiteral("title");
    case AlbumSort::artist:
        return QStringLiteral("artist");
    case AlbumSort::year:
        return QStringLiteral("year");
    }
    return {};
}

QString rawValue(SongSort sort) {
    switch (sort) {
    case SongSort::title:
        return QStringLiteral("title");
    case SongSort::artist:
        return QStringLiteral("artist");
    case SongSort::dateAdded:
        return QStringLiteral("dateAdded");
    }
    return {};
}

std::optional<AlbumSort> albumSort(const QString& raw) {
    for (AlbumSort s : {AlbumSort::dateAdded, AlbumSort::title, AlbumSort::artist, AlbumSort::year})
        if (rawValue(s) == raw) return s;
    return std::nullopt;
}

std::optional<SongSort> songSort(const QString& raw) {
    for (SongSort s : {SongSort::title, SongSort::artist, SongSort::dateAdded})
        if (rawValue(s) == raw) return s;
    return std::nullopt;
}

QString label(AlbumSort sort) {
    switch (sort) {
    case AlbumSort::dateAdded:
        return QStringLiteral("by date added");
    case AlbumSort::title:
        return QStringLiteral("a\u2013z");
    case AlbumSort::artist:
        return QStringLiteral("by artist");
    case AlbumSort::year:
        return QStringLiteral("by year");
    }
    return {};
}

QString label(SongSort sort) {
    switch (sort) {
    case SongSort::title:
        return QStringLiteral("a\u2013z");
    case SongSort::artist:
        return QStringLiteral("by artist");
    case SongSort::dateAdded:
        return QStringLiteral("by date added");
    }
    return {};
}

AlbumSort next(AlbumSort sort) {
    return sort == AlbumSort::year ? AlbumSort::dateAdded : AlbumSort(int(sort) + 1);
}

SongSort next(SongSort sort) {
    return sort == SongSort::dateAdded ? SongSort::title : SongSort(int(sort) + 1);
}

QList<Album> sorted(AlbumSort sort, QList<Album> albums) {
    const auto by = [&](auto less) {
        return sortedByKey<Album, AlbumKey>(
            std::move(albums), [sort](const Album& a) { return keyOf(sort, a); }, less);
    };
    switch (sort) {
    case AlbumSort::dateAdded:
        return by([](const AlbumKey& a, const AlbumKey& b) {
            if (a.added != b.added) return a.added > b.added;
            return Text::plainLess(a.title(), b.title());
        });
    case AlbumSort::title:
        return by([](const AlbumKey& a, const AlbumKey& b) { return Text::plainLess(a.title(), b.title()); });
    case AlbumSort::artist:
        return by([](const AlbumKey& a, const AlbumKey& b) {
            if (const int c = Text::plainCompare(a.artist, b.artist)) return c < 0;
            return a.year < b.year;
        });
    case AlbumSort::year:
        return by([](const AlbumKey& a, const AlbumKey& b) {
            if (a.year != b.year) return a.year > b.year;
            return Text::plainLess(a.title(), b.title());
        });
    }
    return albums;
}

QList<Song> sorted(SongSort sort, QList<Song> songs) {
    switch (sort) {
    case SongSort::title: {
        // Collation keys are made once per song: comparing through the collator directly costs a full
        // collation per comparison, millions of them for a large library.
        const QCollator collator = Text::localizedCollator();
        return sortedByKey<Song, QCollatorSortKey>(
            std::move(songs), [&](const Song& s) { return collator.sortKey(s.title); },
            [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b) < 0; });
    }
    case SongSort::artist: {
        struct Key {
            QString artist, album;
            qint64 disc, track;
        };
        return sortedByKey<Song, Key>(
            std::move(songs),
            [](const Song& s) {
                return Key{Text::lower(s.albumArtist), Text::lower(s.album), s.disc, s.track};
            },
            [](const Key& a, const Key& b) {
                if (const int c = Text::plainCompare(a.artist, b.artist)) return c < 0;
                if (const int c = Text::plainCompare(a.album, b.album)) return c < 0;
                if (a.disc != b.disc) return a.disc < b.disc;
                return a.track < b.track;
            });
    }
    case SongSort::dateAdded: {
        struct Key {
            double added;
            qint64 disc, track;
        };
        return sortedByKey<Song, Key>(
            std::move(songs),
            [](const Song& s) {
                return Key{wholeSecond(s.added), s.disc, s.track};
            },
            [](const Key& a, const Key& b) {
                if (a.added != b.added) return a.added > b.added;
                if (a.disc != b.disc) return a.disc < b.disc;
                return a.track < b.track;
            });
    }
    }
    return songs;
}

QString heading(AlbumSort sort, const Album& album, Date now) {
    if (sort == AlbumSort::dateAdded) return AddedHeadings(now)(album.added());
    return plainHeading(sort, album);
}

QList<AlbumGroup> grouped(AlbumSort sort, const QList<Album>& albums, Date now) {
    QList<AlbumGroup> groups;
    AddedHeadings added(now);
    for (Album& album : sorted(sort, albums)) {
        QString title = sort == AlbumSort::dateAdded ? added(album.added()) : plainHeading(sort, album);
        if (!groups.isEmpty() && groups.last().title == title)
            groups.last().albums.append(std::move(album));
        else
            groups.append(AlbumGroup{std::move(title), {std::move(album)}});
    }
    return groups;
}

} // namespace Sorts

namespace SortSetting {

namespace {
template <typename Sort>
Sort stored(const Defaults& defaults, const QString& key, Sort fallback,
            std::optional<Sort> (*parse)(const QString&)) {
    const QJsonValue value = defaults.value(key);
    if (!value.isString()) return fallback;
    return parse(value.toString()).value_or(fallback);
}
} // namespace

AlbumSort artistAlbumSort(const Defaults& defaults) {
    return stored(defaults, artistAlbums, artistAlbumsDefault, &Sorts::albumSort);
}
AlbumSort albumWallSort(const Defaults& defaults) {
    return stored(defaults, albumWall, albumWallDefault, &Sorts::albumSort);
}
SongSort songSort(const Defaults& defaults) {
    return stored(defaults, songs, songsDefault, &Sorts::songSort);
}

void setAlbumSort(Defaults& defaults, const QString& key, AlbumSort sort) {
    defaults.set(key, Sorts::rawValue(sort));
}
void setSongSort(Defaults& defaults, SongSort sort) {
    defaults.set(songs, Sorts::rawValue(sort));
}

} // namespace SortSetting
