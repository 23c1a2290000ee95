#include "ArtistRelations.h"

#include "core/Text.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

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

// Quick rejections, so that the matchers only run on the few texts they can match: a plain name or title
// costs a scan instead of a regular-expression search. Each test is implied by its expression.
bool mayHaveSeparators(const QString& credit) {
    for (qsizetype i = 0; i < credit.size(); ++i) {
        const QChar c = credit[i];
        switch (c.unicode()) {
        case '(':
        case ')':
        case '[':
        case ']':
        case ',':
        case ';':
        case '&':
        case '+':
        case '/':
            return true;
        default:
            break;
        }
        // A joining word stands after white space: feat, ft, featuring, with, and, x, vs.
        if (c.isSpace() && i + 1 < credit.size()) {
            switch (credit[i + 1].toLower().unicode()) {
            case 'f':
            case 'w':
            case 'a':
            case 'x':
            case 'v':
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

bool mayNameGuests(const QString& title) {
    if (!title.contains(QLatin1Char('(')) && !title.contains(QLatin1Char('['))) return false;
    return title.contains(QLatin1String("ft"), Qt::CaseInsensitive) ||
           title.contains(QLatin1String("feat"), Qt::CaseInsensitive) ||
           title.contains(QLatin1String("with"), Qt::CaseInsensitive);
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
    if (!mayHaveSeparators(credit)) return {trimSpaces(credit)};
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

namespace {

// One genre as a text names it: its normalised form, its compact key and its words (filler left out).
struct GenrePiece {
    QString form;
    QString key;
    QStringList words;
};

QList<GenrePiece> genrePieces(const QString& text) {
    static const QRegularExpression wordBreaks(QStringLiteral("[ \\-_]"), unicode);
    QList<GenrePiece> out;
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
        GenrePiece g;
        g.form =
            Text::lower(piece.toString()).split(QLatin1Char(' '), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        if (g.form.isEmpty()) continue;
        g.key = g.form;
        g.key.remove(genreJoiners());
        for (const QString& word : g.form.split(wordBreaks, Qt::SkipEmptyParts))
            if (!ArtistRelations::Genres::filler.contains(word)) g.words.append(word);
        out.append(std::move(g));
    }
    return out;
}

void addGenrePieces(ArtistRelations::Genres& genres, const QList<GenrePiece>& pieces) {
    for (const GenrePiece& g : pieces) {
        // The first form seen names the genre: song tags come before Last.fm's, so the user's spelling wins.
        if (!genres.names.contains(g.key)) genres.names.insert(g.key, g.form);
        for (const QString& word : g.words)
            genres.words.insert(word);
    }
}

} // namespace

ArtistRelations::Genres::Genres(const QStringList& texts) {
    for (const QString& text : texts)
        addGenrePieces(*this, genrePieces(text));
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

namespace {

// Genre keys and words numbered in the order first met, so that the tables of ranks need no text look-ups.
struct Numbering {
    QHash<QString, int> ids;
    QStringList texts;

    int id(const QString& text) {
        auto it = ids.constFind(text);
        if (it != ids.cend()) return *it;
        texts.append(text);
        return *ids.insert(text, int(texts.size() - 1));
    }
    // Each id's rank in the plain order of the texts, and the texts in that order.
    QList<int> ranks(QStringList& byRank) const {
        QList<int> order(texts.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(),
                  [&](int a, int b) { return Text::plainLess(texts[a], texts[b]); });
        QList<int> rank(texts.size());
        byRank.clear();
        byRank.reserve(texts.size());
        for (qsizetype r = 0; r < order.size(); ++r) {
            rank[order[r]] = int(r);
            byRank.append(texts[order[r]]);
        }
        return rank;
    }
};

// A genre text as numbers: each piece's key and normalised form, and the words.
struct ParsedGenre {
    QList<std::pair<int, int>> keyForms;
    QList<int> words;
};

// One artist's genres as numbers: each key with the first form it was seen under, and the words.
struct ArtistGenres {
    QList<std::pair<int, int>> keyForms;
    QList<int> words;
};

void sortUnique(QList<int>& list) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
}

} // namespace

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

    // Most songs of an artist share a handful of credits, and a collection uses a few hundred genre texts:
    // work each out once per build.
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
    Numbering keyNumbers, wordNumbers, formNumbers;
    QHash<QString, ParsedGenre> parsedGenres;
    auto parsedGenre = [&](const QString& text) -> const ParsedGenre& {
        auto found = parsedGenres.constFind(text);
        if (found != parsedGenres.cend()) return *found;
        ParsedGenre parsed;
        for (const GenrePiece& piece : genrePieces(text)) {
            parsed.keyForms.append({keyNumbers.id(piece.key), formNumbers.id(piece.form)});
            for (const QString& word : piece.words)
                parsed.words.append(wordNumbers.id(word));
        }
        return *parsedGenres.insert(text, std::move(parsed));
    };
    QHash<QString, ArtistGenres> genreIds;

    for (qsizetype i = 0; i < artists.size(); ++i) {
        const Artist& artist = artists[i];
        const QString& key = keys[i];
        const bool credits = !compilationNames.contains(key);
        auto credit = [&](const QString& guest) {
            if (guest == key) return;
            ++m_featured[key][guest];
            ++m_featured[guest][key];
        };

        QStringList genreTexts;
        QList<qint64> years;
        qint64 plays = 0;
        // Songs in a row mostly share their credit and genre: compare with the last before looking up.
        const QString* lastCredit = nullptr;
        const QStringList* lastGuests = nullptr;
        for (const Album& album : artist.albums) {
            for (const Song& song : album.songs) {
                if (credits) {
                    if (!lastCredit || *lastCredit != song.artist) {
                        lastCredit = &song.artist;
                        lastGuests = &artistsInCredit(song.artist);
                    }
                    if (!mayNameGuests(song.title)) {
                        for (const QString& guest : *lastGuests)
                            credit(guest);
                    } else {
                        QSet<QString> all(lastGuests->cbegin(), lastGuests->cend());
                        for (const QString& name : titleGuestNames(song.title, &ArtistRelations::names)) {
                            QString guest = Text::lower(name);
                            if (m_artists.contains(guest)) all.insert(std::move(guest));
                        }
                        for (const QString& guest : all)
                            credit(guest);
                    }
                }
                // A text seen before adds nothing: its keys and words are already there.
                if (song.genre && !genreTexts.contains(*song.genre)) genreTexts.append(*song.genre);
                if (song.year) years.append(*song.year);
                plays += playCounts.value(song.url.path, 0);
            }
        }

        if (auto found = lastFM.constFind(key); found != lastFM.cend()) genreTexts.append(found->tags);
        ArtistGenres ids;
        for (const QString& text : std::as_const(genreTexts)) {
            const ParsedGenre& parsed = parsedGenre(text);
            // The first form seen names the genre: song tags come before Last.fm's, so the user's
            // spelling wins.
            for (const auto& keyForm : parsed.keyForms) {
                const bool seen = std::any_of(ids.keyForms.cbegin(), ids.keyForms.cend(),
                                              [&](const auto& kf) { return kf.first == keyForm.first; });
                if (!seen) ids.keyForms.append(keyForm);
            }
            ids.words.append(parsed.words);
        }
        sortUnique(ids.words);
        genreIds.insert(key, std::move(ids));

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

    // Rarity: the fewer artists share a genre, the more sharing it says.
    QList<int> artistsWithGenre(keyNumbers.texts.size(), 0);
    for (const ArtistGenres& ids : std::as_const(genreIds))
        for (const auto& keyForm : ids.keyForms)
            ++artistsWithGenre[keyForm.first];
    const double artistCount = double(artists.size());
    for (qsizetype id = 0; id < artistsWithGenre.size(); ++id)
        if (artistsWithGenre[id] > 0)
            m_rarity.insert(keyNumbers.texts[id], std::log(artistCount / double(artistsWithGenre[id])));

    addRuns(listens);

    // The scoring tables: genre keys and words by plain-order rank.
    const QList<int> keyRank = keyNumbers.ranks(m_genreKeyByRank);
    const QList<int> wordRank = wordNumbers.ranks(m_genreWordByRank);
    m_genreWeightByRank.reserve(m_genreKeyByRank.size());
    for (const QString& genreKey : std::as_const(m_genreKeyByRank))
        m_genreWeightByRank.append(m_rarity.value(genreKey, 1.0));
    m_genreFormById = formNumbers.texts;
    m_entries.reserve(m_artists.size());
    for (auto it = m_artists.cbegin(); it != m_artists.cend(); ++it) {
        Entry e = entry(it.key());
        e.artist = it.value();
        e.hasGenres = true;
        const ArtistGenres& ids = genreIds[it.key()];
        QList<std::pair<int, int>> keyForms;
        keyForms.reserve(ids.keyForms.size());
        for (const auto& [keyId, formId] : ids.keyForms)
            keyForms.append({keyRank[keyId], formId});
        std::sort(keyForms.begin(), keyForms.end());
        for (const auto& [rank, formId] : std::as_const(keyForms)) {
            e.genreKeys.append(rank);
            e.genreForms.append(formId);
        }
        for (int wordId : ids.words)
            e.genreWords.append(wordRank[wordId]);
        std::sort(e.genreWords.begin(), e.genreWords.end());
        m_entryIndex.insert(it.key(), m_entries.size());
        m_entries.append(std::move(e));
    }
}

void ArtistRelations::addRuns(const QList<Listen>& listens) {
    // Songs heard in one sitting (no pause of more than half an hour) tie their artists together; each
    // run gives every artist in it a total of 1, shared among the others.
    // The log names a few hundred artists thousands of times: each spelling is looked up once and
    // numbered, and a run holds numbers.
    QHash<QString, int> numberOf;
    QStringList keyOfNumber;
    QList<int> run;
    const Listen* last = nullptr;
    auto closeRun = [&] {
        if (run.size() >= 2) {
            const double share = 1.0 / double(run.size() - 1);
            for (int a : std::as_const(run)) {
                QHash<QString, double>& row = m_together[keyOfNumber[a]];
                for (int b : std::as_const(run))
                    if (a != b) row[keyOfNumber[b]] += share;
            }
        }
        run.clear();
        last = nullptr;
    };
    for (const Listen& listen : listens) {
        if (!isQualifyingListen(listen)) continue;
        if (last && listen.at.seconds - last->at.seconds - last->seconds > 1800) closeRun();
        last = &listen;
        auto known = numberOf.constFind(listen.artist);
        if (known == numberOf.cend()) {
            const QString key = Text::lower(listen.artist);
            int number = -1;
            if (m_artists.contains(key)) {
                number = int(keyOfNumber.size());
                keyOfNumber.append(key);
            }
            known = numberOf.insert(listen.artist, number);
        }
        if (*known >= 0 && !run.contains(*known)) run.append(*known);
    }
    closeRun();
}

// Queries

QHash<QString, ArtistRelations::Genres> ArtistRelations::genres() const {
    QHash<QString, Genres> out;
    for (const Entry& e : m_entries) {
        Genres g;
        for (qsizetype i = 0; i < e.genreKeys.size(); ++i)
            g.names.insert(m_genreKeyByRank[e.genreKeys[i]], m_genreFormById[e.genreForms[i]]);
        for (int word : e.genreWords)
            g.words.insert(m_genreWordByRank[word]);
        out.insert(e.key, std::move(g));
    }
    return out;
}

ArtistRelations::Entry ArtistRelations::entry(const QString& key) const {
    if (auto it = m_entryIndex.constFind(key); it != m_entryIndex.cend()) return m_entries[*it];
    Entry e;
    e.key = key;
    e.featured = m_featured.value(key);
    e.together = m_together.value(key);
    e.lastFM = m_lastFM.value(key);
    if (auto it = m_years.constFind(key); it != m_years.cend()) e.year = *it;
    if (m_mostPlays >= 1) {
        const double plays = double(m_plays.value(key, 0));
        e.bonus = 0.3 * std::log(1 + plays) / std::log(1 + double(m_mostPlays));
    }
    return e;
}

ArtistRelations::Score ArtistRelations::score(const Entry& first, const Entry& second) const {
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

    if (!first.featured.isEmpty())
        if (auto it = first.featured.constFind(second.key); it != first.featured.cend())
            candidate(Reason::Featured, 3 * std::min(0.5 * double(*it), 1.0));
    if (!first.together.isEmpty())
        if (auto it = first.together.constFind(second.key); it != first.together.cend())
            candidate(Reason::Together, 2.5 * std::min(*it / 3, 1.0));

    const double match = std::max(first.lastFM.isEmpty() ? 0.0 : first.lastFM.value(second.key, 0.0),
                                  second.lastFM.isEmpty() ? 0.0 : second.lastFM.value(first.key, 0.0));
    if (match > 0) candidate(Reason::LastFM, 2 * match);

    if (first.hasGenres && second.hasGenres) {
        // The same answer as Genres::overlap, merging the ranks: plain order is rank order.
        const QList<int>& a = first.genreKeys;
        const QList<int>& b = second.genreKeys;
        double sum = 0;
        double heaviest = -std::numeric_limits<double>::infinity();
        int label = -1;
        for (qsizetype i = 0, j = 0; i < a.size() && j < b.size();) {
            if (a[i] < b[j]) {
                ++i;
            } else if (b[j] < a[i]) {
                ++j;
            } else {
                const double weight = m_genreWeightByRank[a[i]];
                sum += weight;
                if (weight > heaviest) {
                    heaviest = weight;
                    label = a[i];
                }
                ++i, ++j;
            }
        }
        std::optional<double> shared;
        bool byWord = false;
        if (label >= 0) {
            shared = std::min(0.25 * sum, 1.0);
        } else {
            const QList<int>& wa = first.genreWords;
            const QList<int>& wb = second.genreWords;
            qsizetype common = 0;
            for (qsizetype i = 0, j = 0; i < wa.size() && j < wb.size();) {
                if (wa[i] < wb[j]) {
                    ++i;
                } else if (wb[j] < wa[i]) {
                    ++j;
                } else {
                    if (!common) label = wa[i];
                    ++common, ++i, ++j;
                }
            }
            if (common) {
                shared = 0.3 * double(common) / double(wa.size() + wb.size() - common);
                byWord = true;
            }
        }
        if (shared) {
            candidate(Reason::Genre, 1.5 * *shared);
            out.label = label;
            out.labelIsWord = byWord;
            out.labelOwner = &first;
        }
    }

    if (first.year && second.year) {
        const qint64 distance = std::abs(*first.year - *second.year);
        if (distance <= 5) candidate(Reason::Years, distance <= 2 ? 0.5 : 0.25);
    }

    out.score += second.bonus;
    return out;
}

QString ArtistRelations::reasonText(const Score& s) const {
    switch (s.reason) {
    case Reason::Featured:
        return QStringLiteral("on songs together");
    case Reason::Together:
        return QStringLiteral("often played together");
    case Reason::LastFM:
        return QStringLiteral("similar on Last.fm");
    case Reason::Genre: {
        if (s.labelIsWord) return QStringLiteral("also ") + m_genreWordByRank[s.label];
        const QList<int>& keys = s.labelOwner->genreKeys;
        const auto at = std::lower_bound(keys.cbegin(), keys.cend(), s.label) - keys.cbegin();
        return QStringLiteral("also ") + m_genreFormById[s.labelOwner->genreForms[at]];
    }
    case Reason::Years:
        return QStringLiteral("from the same years");
    case Reason::None:
        break;
    }
    return QStringLiteral("in your collection");
}

QList<ArtistRelations::Related> ArtistRelations::ranked(QList<Candidate> candidates, qsizetype limit) const {
    limit = std::clamp<qsizetype>(limit, 0, candidates.size());
    // Names are distinct (they are distinct lower-cased), so score then name is a total order and any
    // sort gives the order a stable one would.
    auto before = [](const Candidate& a, const Candidate& b) {
        if (a.score.score != b.score.score) return a.score.score > b.score.score;
        return Text::plainLess(a.entry->artist.name, b.entry->artist.name);
    };
    std::partial_sort(candidates.begin(), candidates.begin() + limit, candidates.end(), before);
    QList<Related> out;
    out.reserve(limit);
    for (qsizetype i = 0; i < limit; ++i)
        out.append(
            Related{candidates[i].entry->artist, candidates[i].score.score, reasonText(candidates[i].score)});
    return out;
}

QList<ArtistRelations::Related> ArtistRelations::related(const Artist& artist, qsizetype limit) const {
    return relatedToKey(Text::lower(artist.name), limit);
}

QList<ArtistRelations::Related> ArtistRelations::related(const QString& name, qsizetype limit) const {
    return relatedToKey(Text::lower(name), limit);
}

QList<ArtistRelations::Related> ArtistRelations::relatedToKey(const QString& key, qsizetype limit) const {
    const Entry first = entry(key);
    QList<Candidate> candidates;
    candidates.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        if (e.key != key) candidates.append(Candidate{&e, score(first, e)});
    return ranked(std::move(candidates), limit);
}

QList<ArtistRelations::Related> ArtistRelations::relatedToAll(const QList<Artist>& seeds,
                                                              qsizetype limit) const {
    QList<Entry> sides;
    QSet<QString> seedKeys;
    for (const Artist& seed : seeds) {
        sides.append(entry(Text::lower(seed.name)));
        seedKeys.insert(sides.last().key);
    }
    const double divisor = sides.isEmpty() ? 1.0 : double(sides.size());
    QList<Candidate> candidates;
    candidates.reserve(m_entries.size());
    for (const Entry& e : m_entries) {
        if (seedKeys.contains(e.key)) continue;
        Score total;
        double best = -std::numeric_limits<double>::infinity();
        for (const Entry& seed : std::as_const(sides)) {
            const Score pair = score(seed, e);
            total.score += pair.score;
            if (pair.score > best) {
                best = pair.score;
                total.reason = pair.reason;
                total.label = pair.label;
                total.labelIsWord = pair.labelIsWord;
                total.labelOwner = pair.labelOwner;
            }
        }
        total.score /= divisor;
        candidates.append(Candidate{&e, total});
    }
    return ranked(std::move(candidates), limit);
}

ArtistRelations::Related ArtistRelations::tie(const Artist& first, const Artist& second) const {
    const Entry a = entry(Text::lower(first.name));
    const Entry b = entry(Text::lower(second.name));
    const Score s = score(a, b);
    return Related{second, s.score, reasonText(s)};
}
