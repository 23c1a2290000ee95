#include "ArtistRelations.h"

#include "core/Text.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr auto unicode = QRegularExpression::UseUnicodePropertiesOption;
constexpr auto anyCase = QRegularExpression::CaseInsensitiveOption;

// Brackets, commas, semicolons, "&", "+" and "/" separate the names of a credit, and so do the usual
// joining words when they stand between spaces ("A feat. B", "A x B", but not "Xavier" or "Band").
const QRegularExpression& creditSeparators() {
    static const QRegularExpression re(
        QStringLiteral(R"(\s*(?:[\(\)\[\],;&+/]|\s(?:feat\.?|ft\.?|featuring|with|and|x|vs\.?)\s)\s*)"),
        unicode | anyCase);
    return re;
}

// A bracketed "(feat. …)" or "[with …]" in a title names guests up to the closing bracket.
const QRegularExpression& titleGuests() {
    static const QRegularExpression re(
        QStringLiteral(R"([\(\[][^\)\]]*?\b(?:feat\.?|ft\.?|featuring|with)\s+([^\)\]]+)[\)\]])"),
        unicode | anyCase);
    return re;
}

// What a genre's compact key leaves out, so that "Hip-Hop", "hip hop" and "hip_hop" are one genre.
const QRegularExpression& genreJoiners() {
    static const QRegularExpression re(QStringLiteral(R"([\s\-_]+)"), unicode);
    return re;
}

// Spaces, tabs and the other space separators, but not line breaks: a credit keeps its lines.
bool isSpace(QChar c) {
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

QString trimSpaces(QStringView s) {
    qsizetype from = 0, to = s.size();
    while (from < to && isSpace(s[from]))
        ++from;
    while (to > from && isSpace(s[to - 1]))
        --to;
    return s.sliced(from, to - from).toString();
}

bool mayNameGuests(const QString& title) {
    // The title expression needs an opening bracket; most titles have none, so skip the matcher for them.
    return title.contains(QLatin1Char('(')) || title.contains(QLatin1Char('['));
}

QStringList titleGuestNames(const QString& title, QStringList (*names)(const QString&)) {
    QStringList out;
    const QRegularExpression& re = titleGuests();
    if (!re.isValid() || !mayNameGuests(title)) return out;
    auto it = re.globalMatch(title);
    while (it.hasNext())
        out.append(names(it.next().captured(1)));
    return out;
}

bool isQualifyingListen(const Listen& listen) {
    if (listen.mix) return false;
    const double half = listen.duration / 2;
    return listen.seconds >= 30 || (half < 30 && listen.seconds >= half);
}

} // namespace

const QStringList ArtistRelations::Genres::filler = {QStringLiteral("music"), QStringLiteral("and"),
                                                     QStringLiteral("the"), QStringLiteral("&")};

const QStringList ArtistRelations::compilationNames = {QStringLiteral("various artists"),
                                                       QStringLiteral("various"), QStringLiteral("va")};

// Credits

QStringList ArtistRelations::names(const QString& credit) {
    QString marked = credit;
    marked.replace(creditSeparators(), QString(QChar(0x0001)));
    QStringList out{trimSpaces(credit)};
    for (const QString& piece : marked.split(QChar(0x0001), Qt::SkipEmptyParts)) {
        QString name = trimSpaces(piece);
        if (!name.isEmpty()) out.append(std::move(name));
    }
    return out;
}

QSet<QString> ArtistRelations::guests(const Song& song) {
    QSet<QString> out;
    for (const QString& name : names(song.artist))
        out.insert(Text::lower(name));
    for (const QString& name : titleGuestNames(song.title, &ArtistRelations::names))
        out.insert(Text::lower(name));
    return out;
}

// Genres

ArtistRelations::Genres::Genres(const QStringList& texts) {
    static const QRegularExpression wordBreaks(QStringLiteral("[ \\-_]"), unicode);
    for (const QString& text : texts) {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= text.size(); ++i) {
            if (i < text.size()) {
                const QChar c = text[i];
                if (c != QLatin1Char(';') && c != QLatin1Char('/') && c != QLatin1Char(',') &&
                    c != QLatin1Char('|'))
                    continue;
            }
            const QStringView piece = QStringView(text).sliced(start, i - start);
            start = i + 1;
            if (piece.isEmpty()) continue;
            const QString form = Text::lower(piece.toString())
                                     .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                                     .join(QLatin1Char(' '));
            if (form.isEmpty()) continue;
            QString key = form;
            key.remove(genreJoiners());
            if (!names.contains(key)) names.insert(key, form);
            for (const QString& word : form.split(wordBreaks, Qt::SkipEmptyParts))
                if (!filler.contains(word)) words.insert(word);
        }
    }
}

std::optional<std::pair<double, QString>>
ArtistRelations::Genres::overlap(const Genres& other, const QHash<QString, double>& rarity) const {
    const bool mineSmaller = names.size() <= other.names.size();
    const auto& fewer = mineSmaller ? names : other.names;
    const auto& more = mineSmaller ? other.names : names;
    QStringList shared;
    for (auto it = fewer.cbegin(); it != fewer.cend(); ++it)
        if (more.contains(it.key())) shared.append(it.key());

    if (!shared.isEmpty()) {
        std::sort(shared.begin(), shared.end(), Text::plainLess);
        double sum = 0;
        double best = -std::numeric_limits<double>::infinity();
        const QString* labelKey = nullptr;
        for (const QString& key : shared) {
            const double weight = rarity.value(key, 1.0);
            sum += weight;
            if (weight > best) {
                best = weight;
                labelKey = &key;
            }
        }
        return std::pair{std::min(0.25 * sum, 1.0), names.value(*labelKey, *labelKey)};
    }

    const auto& fewerWords = words.size() <= other.words.size() ? words : other.words;
    const auto& moreWords = words.size() <= other.words.size() ? other.words : words;
    qsizetype common = 0;
    const QString* label = nullptr;
    for (const QString& word : fewerWords) {
        if (!moreWords.contains(word)) continue;
        ++common;
        if (!label || Text::plainLess(word, *label)) label = &word;
    }
    if (!common) return std::nullopt;
    const qsizetype all = words.size() + other.words.size() - common;
    return std::pair{0.3 * double(common) / double(all), *label};
}

// Building

ArtistRelations::ArtistRelations(const QList<Artist>& artists, const QList<Listen>& listens,
                                 const QHash<QString, int>& playCounts, const LastFMArtists& lastFM) {
    QStringList keys;
    keys.reserve(artists.size());
    m_artists.reserve(artists.size());
    for (const Artist& artist : artists) {
        keys.append(Text::lower(artist.name));
        m_artists.insert(keys.last(), artist);
    }

    m_lastFM.reserve(lastFM.size());
    for (auto it = lastFM.cbegin(); it != lastFM.cend(); ++it)
        m_lastFM.insert(it.key(), it.value().similar);

    // Most songs of an artist share a handful of credits and genre texts: work each out once per build.
    QHash<QString, QStringList> creditArtists;
    auto artistsInCredit = [&](const QString& credit) -> const QStringList& {
        auto found = creditArtists.constFind(credit);
        if (found != creditArtists.cend()) return *found;
        QStringList inCollection;
        for (const QString& name : names(credit)) {
            QString key = Text::lower(name);
            if (m_artists.contains(key) && !inCollection.contains(key)) inCollection.append(std::move(key));
        }
        return *creditArtists.insert(credit, inCollection);
    };

    for (qsizetype i = 0; i < artists.size(); ++i) {
        const Artist& artist = artists[i];
        const QString& key = keys[i];

        if (!compilationNames.contains(key)) {
            auto credit = [&](const QString& guest) {
                if (guest == key) return;
                ++m_featured[key][guest];
                ++m_featured[guest][key];
            };
            for (const Album& album : artist.albums) {
                for (const Song& song : album.songs) {
                    const QStringList& fromCredit = artistsInCredit(song.artist);
                    if (!mayNameGuests(song.title)) {
                        for (const QString& guest : fromCredit)
                            credit(guest);
                        continue;
                    }
                    QSet<QString> all(fromCredit.cbegin(), fromCredit.cend());
                    for (const QString& name : titleGuestNames(song.title, &ArtistRelations::names)) {
                        QString guest = Text::lower(name);
                        if (m_artists.contains(guest)) all.insert(std::move(guest));
                    }
                    for (const QString& guest : all)
                        credit(guest);
                }
            }
        }

        QStringList genreTexts;
        QSet<QString> seenGenres;
        QList<qint64> years;
        qint64 plays = 0;
        for (const Album& album : artist.albums) {
            for (const Song& song : album.songs) {
                // A text seen before adds nothing: its keys and words are already there.
                if (song.genre && !seenGenres.contains(*song.genre)) {
                    seenGenres.insert(*song.genre);
                    genreTexts.append(*song.genre);
                }
                if (song.year) years.append(*song.year);
                plays += playCounts.value(song.url.path, 0);
            }
        }
        if (auto found = lastFM.constFind(key); found != lastFM.cend()) genreTexts.append(found->tags);
        m_genres.insert(key, Genres(genreTexts));

        if (!years.isEmpty()) {
            // The upper median: with an even count, the later of the two middle years.
            const auto middle = years.begin() + years.size() / 2;
            std::nth_element(years.begin(), middle, years.end());
            m_years.insert(key, *middle);
        }
        m_plays.insert(key, plays);
    }

    for (qint64 plays : std::as_const(m_plays))
        m_mostPlays = std::max(m_mostPlays, plays);

    QHash<QString, qint64> artistsWithGenre;
    for (const Genres& genres : std::as_const(m_genres))
        for (auto it = genres.names.cbegin(); it != genres.names.cend(); ++it)
            ++artistsWithGenre[it.key()];
    const double artistCount = double(artists.size());
    for (auto it = artistsWithGenre.cbegin(); it != artistsWithGenre.cend(); ++it)
        m_rarity.insert(it.key(), std::log(artistCount / double(it.value())));

    addRuns(listens);
}

void ArtistRelations::addRuns(const QList<Listen>& listens) {
    // Songs heard in one sitting (no pause of more than half an hour) tie their artists together; each
    // run gives every artist in it a total of 1, shared among the others.
    QStringList runArtists;
    const Listen* last = nullptr;
    auto closeRun = [&] {
        if (runArtists.size() >= 2) {
            const double share = 1.0 / double(runArtists.size() - 1);
            for (const QString& a : std::as_const(runArtists)) {
                QHash<QString, double>& row = m_together[a];
                for (const QString& b : std::as_const(runArtists))
                    if (a != b) row[b] += share;
            }
        }
        runArtists.clear();
        last = nullptr;
    };
    for (const Listen& listen : listens) {
        if (!isQualifyingListen(listen)) continue;
        if (last && listen.at.seconds - last->at.seconds - last->seconds > 1800) closeRun();
        last = &listen;
        QString key = Text::lower(listen.artist);
        if (m_artists.contains(key) && !runArtists.contains(key)) runArtists.append(std::move(key));
    }
    closeRun();
}

// Queries

struct ArtistRelations::Side {
    QString key;
    const QHash<QString, qint64>* featured = nullptr;
    const QHash<QString, double>* together = nullptr;
    const QHash<QString, double>* lastFM = nullptr;
    const Genres* genres = nullptr;
    std::optional<qint64> year;
};

ArtistRelations::Side ArtistRelations::side(const QString& key) const {
    Side s;
    s.key = key;
    if (auto it = m_featured.constFind(key); it != m_featured.cend()) s.featured = &*it;
    if (auto it = m_together.constFind(key); it != m_together.cend()) s.together = &*it;
    if (auto it = m_lastFM.constFind(key); it != m_lastFM.cend()) s.lastFM = &*it;
    if (auto it = m_genres.constFind(key); it != m_genres.cend()) s.genres = &*it;
    if (auto it = m_years.constFind(key); it != m_years.cend()) s.year = *it;
    return s;
}

ArtistRelations::Score ArtistRelations::score(const Side& first, const QString& secondKey) const {
    Score out;
    double best = -std::numeric_limits<double>::infinity();
    // The reason is the first of the strongest candidates, so they are weighed in a fixed order.
    auto candidate = [&](Reason reason, double weight) {
        out.score += weight;
        if (weight > best) {
            best = weight;
            out.reason = reason;
        }
    };

    if (first.featured)
        if (auto it = first.featured->constFind(secondKey); it != first.featured->cend())
            candidate(Reason::Featured, 3 * std::min(0.5 * double(*it), 1.0));
    if (first.together)
        if (auto it = first.together->constFind(secondKey); it != first.together->cend())
            candidate(Reason::Together, 2.5 * std::min(*it / 3, 1.0));

    double match = first.lastFM ? first.lastFM->value(secondKey, 0.0) : 0.0;
    if (auto it = m_lastFM.constFind(secondKey); it != m_lastFM.cend())
        match = std::max(match, it->value(first.key, 0.0));
    if (match > 0) candidate(Reason::LastFM, 2 * match);

    if (first.genres) {
        if (auto it = m_genres.constFind(secondKey); it != m_genres.cend()) {
            if (auto shared = first.genres->overlap(*it, m_rarity)) {
                candidate(Reason::Genre, 1.5 * shared->first);
                out.genreLabel = std::move(shared->second);
            }
        }
    }

    if (first.year) {
        if (auto it = m_years.constFind(secondKey); it != m_years.cend()) {
            const qint64 distance = std::abs(*first.year - *it);
            if (distance <= 5) candidate(Reason::Years, distance <= 2 ? 0.5 : 0.25);
        }
    }

    if (m_mostPlays >= 1) {
        const double plays = double(m_plays.value(secondKey, 0));
        out.score += 0.3 * std::log(1 + plays) / std::log(1 + double(m_mostPlays));
    }
    return out;
}

QString ArtistRelations::reasonText(const Score& s) {
    switch (s.reason) {
    case Reason::Featured:
        return QStringLiteral("on songs together");
    case Reason::Together:
        return QStringLiteral("often played together");
    case Reason::LastFM:
        return QStringLiteral("similar on Last.fm");
    case Reason::Genre:
        return QStringLiteral("also ") + s.genreLabel;
    case Reason::Years:
        return QStringLiteral("from the same years");
    case Reason::None:
        break;
    }
    return QStringLiteral("in your collection");
}

QList<ArtistRelations::Related> ArtistRelations::ranked(QList<Candidate> candidates, qsizetype limit) {
    limit = std::clamp<qsizetype>(limit, 0, candidates.size());
    // Names are distinct (they are distinct lower-cased), so score then name is a total order and any
    // sort gives the order a stable one would.
    auto before = [](const Candidate& a, const Candidate& b) {
        if (a.score.score != b.score.score) return a.score.score > b.score.score;
        return Text::plainLess(a.artist->name, b.artist->name);
    };
    std::partial_sort(candidates.begin(), candidates.begin() + limit, candidates.end(), before);
    QList<Related> out;
    out.reserve(limit);
    for (qsizetype i = 0; i < limit; ++i)
        out.append(
            Related{*candidates[i].artist, candidates[i].score.score, reasonText(candidates[i].score)});
    return out;
}

QList<ArtistRelations::Related> ArtistRelations::related(const Artist& artist, qsizetype limit) const {
    return related(artist.name, limit);
}

QList<ArtistRelations::Related> ArtistRelations::related(const QString& name, qsizetype limit) const {
    const Side first = side(Text::lower(name));
    QList<Candidate> candidates;
    candidates.reserve(m_artists.size());
    for (auto it = m_artists.cbegin(); it != m_artists.cend(); ++it)
        if (it.key() != first.key) candidates.append(Candidate{&it.value(), score(first, it.key())});
    return ranked(std::move(candidates), limit);
}

QList<ArtistRelations::Related> ArtistRelations::relatedToAll(const QList<Artist>& seeds,
                                                              qsizetype limit) const {
    QList<Side> sides;
    QSet<QString> seedKeys;
    for (const Artist& seed : seeds) {
        sides.append(side(Text::lower(seed.name)));
        seedKeys.insert(sides.last().key);
    }
    const double divisor = sides.isEmpty() ? 1.0 : double(sides.size());
    QList<Candidate> candidates;
    candidates.reserve(m_artists.size());
    for (auto it = m_artists.cbegin(); it != m_artists.cend(); ++it) {
        if (seedKeys.contains(it.key())) continue;
        Score total;
        double best = -std::numeric_limits<double>::infinity();
        for (const Side& seed : std::as_const(sides)) {
            Score pair = score(seed, it.key());
            total.score += pair.score;
            if (pair.score > best) {
                best = pair.score;
                total.reason = pair.reason;
                total.genreLabel = std::move(pair.genreLabel);
            }
        }
        total.score /= divisor;
        candidates.append(Candidate{&it.value(), std::move(total)});
    }
    return ranked(std::move(candidates), limit);
}

ArtistRelations::Related ArtistRelations::tie(const Artist& first, const Artist& second) const {
    const Score s = score(side(Text::lower(first.name)), Text::lower(second.name));
    return Related{second, s.score, reasonText(s)};
}
