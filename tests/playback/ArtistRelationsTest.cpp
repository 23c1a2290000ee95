#include "playback/ArtistRelations.h"
#include "support/Printers.h"
#include "RelationsFixtures.h"

#include <QSet>
#include <cmath>
#include <gtest/gtest.h>

using namespace fixtures;
using Related = ArtistRelations::Related;
using Genres = ArtistRelations::Genres;

namespace {

QStringList sorted(const QSet<QString>& set) {
    QStringList list(set.cbegin(), set.cend());
    list.sort();
    return list;
}

QStringList namesOf(const QList<Related>& list) {
    QStringList out;
    for (const Related& r : list)
        out.append(r.artist.name);
    return out;
}

ArtistRelations build(const QList<Artist>& artists, const QList<Listen>& listens = {},
                      const QHash<QString, int>& plays = {}, const LastFMArtists& lastFM = {}) {
    return ArtistRelations(artists, listens, plays, lastFM);
}

LastFMArtist lastFMEntry(QHash<QString, double> similar, QStringList tags = {}) {
    return LastFMArtist{std::move(similar), std::move(tags), Date{0}};
}

} // namespace

TEST(ArtistRelations, GuestsOfASong) {
    struct Case {
        QString credit, title;
        QStringList guests;
    };
    const QString nbsp(QChar(0x00A0));
    const QList<Case> cases = {
        {"A & B", "Song", {"a", "a & b", "b"}},
        {"A", "Song (feat. C and D)", {"a", "c", "c and d", "d"}},
        {"A", "Song [with E]", {"a", "e"}},
        {"A", "Song (Live) (ft. F)", {"a", "f"}},
        // Guests count only inside brackets; a bare "feat." in a title names nobody.
        {"A", "Song feat. F", {"a"}},
        {"A ft. B / C", "Song", {"a", "a ft. b / c", "b", "c"}},
        {"A vs. B x C", "Song", {"a", "a vs. b x c", "b", "c"}},
        {"FEAT", "FEATURING", {"feat"}},
        // Joining words only separate between spaces: "Xavier", "Band" and "Andrew" stay whole.
        {"Xavier Band with Andrew", "Song", {"andrew", "xavier band", "xavier band with andrew"}},
        // White space is Unicode-aware: a no-break space before "feat." still separates.
        {"Ana" + nbsp + "feat." + nbsp + "Émile",
         "Song",
         {"ana", "ana" + nbsp + "feat." + nbsp + "émile", "émile"}},
        {"  Solo\t", "Song", {"solo"}},
    };
    for (const Case& c : cases) {
        Song s = song("A", 1, "Album", c.credit, c.title);
        EXPECT_EQ(sorted(ArtistRelations::guests(s)), c.guests)
            << c.credit.toStdString() << " / " << c.title.toStdString();
    }
}

TEST(ArtistRelations, GuestCreditsBetweenCollectionArtists) {
    const Artist a = artist("A", {song("A", 1, "Album", "A & B"), song("A", 2, "Album", "A", "Two (feat. B)"),
                                  song("A", 3, "Album", "A feat. Nobody")});
    const Artist b = artist("B", {song("B", 1, "Album", "B", "Hers [with a]")});
    const Artist duo = artist("a & b", {song("a & b", 1, "Album", "The Duo")});
    // Compilations credit whoever sings, which ties nobody to the compilation.
    const Artist various = artist("Various Artists", {song("Various Artists", 1, "Album", "A & B")});
    const auto relations = build({a, b, duo, various});

    const auto& featured = relations.featured();
    EXPECT_EQ(featured["a"]["b"], 3); // the credit "A & B", "(feat. B)" on A's song, "[with a]" on B's
    EXPECT_EQ(featured["b"]["a"], 3);
    EXPECT_EQ(featured["a"]["a & b"], 1); // an artist named like a joint credit is credited too
    EXPECT_EQ(featured["a & b"]["a"], 1);
    EXPECT_FALSE(featured["a"].contains("nobody")); // not in the collection
    EXPECT_FALSE(featured["a"].contains("a"));
    EXPECT_FALSE(featured.contains("various artists"));

    EXPECT_EQ(relations.tie(a, b).score, 3.0);
    EXPECT_EQ(relations.tie(a, b).reason, "on songs together");
    EXPECT_EQ(relations.tie(a, duo).score, 1.5);
}

TEST(ArtistRelations, GenresKeysAndWords) {
    const Genres g(
        {"Hip-Hop", "hip hop", "Rock; Indie  Rock", "drum & bass", "Electronic Music|/ ;", "hip_hop"});
    QStringList keys = g.names.keys();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{"drum&bass", "electronicmusic", "hiphop", "indierock", "rock"}));
    EXPECT_EQ(g.names["hiphop"], "hip-hop"); // the first form seen wins
    EXPECT_EQ(g.names["indierock"], "indie rock");
    EXPECT_EQ(sorted(g.words), (QStringList{"bass", "drum", "electronic", "hip", "hop", "indie", "rock"}));
}

TEST(ArtistRelations, GenreOverlap) {
    const Genres a({"Rock", "Shoegaze", "Dream Pop"});
    const Genres b({"shoegaze", "rock", "Noise Pop"});
    // The rarest shared genre names the overlap; the score sums the shared genres' rarity.
    const QHash<QString, double> rarity{{"rock", 0.1}, {"shoegaze", 2.0}};
    auto shared = a.overlap(b, rarity);
    ASSERT_TRUE(shared);
    EXPECT_DOUBLE_EQ(shared->first, 0.25 * 2.1);
    EXPECT_EQ(shared->second, "shoegaze");

    // A genre missing from the table weighs 1; the score stops at 1.
    shared = a.overlap(b, {});
    EXPECT_DOUBLE_EQ(shared->first, 0.5);
    EXPECT_EQ(shared->second, "rock"); // equal weights: the first key in plain order
    EXPECT_DOUBLE_EQ(Genres({"a", "b", "c", "d", "e"}).overlap(Genres({"a", "b", "c", "d", "e"}), {})->first,
                     1.0);

    // No shared genre, but shared words: "pop" of dream pop and noise pop.
    shared = Genres({"Dream Pop"}).overlap(Genres({"Noise Pop", "Art Rock"}), {});
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->second, "pop");
    EXPECT_DOUBLE_EQ(shared->first, 0.3 * 1 / 5); // union: dream, pop, noise, art, rock

    EXPECT_FALSE(Genres({"Jazz"}).overlap(Genres({"Folk"}), {}));
    EXPECT_FALSE(Genres({"Rock and Roll"}).overlap(Genres({"The Music of Chance"}), {})); // only filler words
}

TEST(ArtistRelations, ListeningRuns) {
    const QList<Artist> artists{artist("A", 1), artist("B", 1), artist("C", 1)};
    // gap = start of the next listen − (start + played seconds of the previous one)
    struct Case {
        const char* what;
        QList<Listen> listens;
        double ab;
    };
    const QList<Case> cases = {
        {"exactly 1800 s apart stays one run", {listen("A", 0, 100), listen("b", 1900)}, 1},
        {"1801 s apart splits", {listen("A", 0, 100), listen("B", 1901)}, 0},
        {"a mix listen is passed over", {listen("A", 0), listen("B", 300, 200, 200, true)}, 0},
        {"too short a listen neither joins nor bridges a pause",
         {listen("A", 0, 100), listen("B", 1500, 29), listen("B", 3000, 40)},
         0},
        {"half of a short song qualifies", {listen("A", 0, 10, 20), listen("B", 100, 10, 20)}, 1},
        {"under half of a short song does not", {listen("A", 0, 9.9, 20), listen("B", 100, 100)}, 0},
        {"two runs add up", {listen("A", 0), listen("B", 300), listen("A", 10000), listen("B", 10300)}, 2},
        {"unknown artists leave a run of one", {listen("A", 0), listen("Zed", 300)}, 0},
    };
    for (const Case& c : cases) {
        const auto relations = build(artists, c.listens);
        EXPECT_EQ(relations.together()["a"].value("b", 0), c.ab) << c.what;
        EXPECT_EQ(relations.together()["b"].value("a", 0), c.ab) << c.what;
    }

    // Three artists in a run share each one's 1 among the other two.
    const auto three = build(artists, {listen("A", 0), listen("B", 300), listen("A", 600), listen("C", 900)});
    for (const char* a : {"a", "b", "c"})
        for (const char* b : {"a", "b", "c"})
            if (QString(a) != b) {
                EXPECT_EQ(three.together()[a][b], 0.5) << a << b;
            }
    EXPECT_FALSE(three.together()["a"].contains("a"));

    // Together weighs 2.5 from 3 runs on.
    const Listen ab[] = {listen("A", 0), listen("B", 300)};
    QList<Listen> runs;
    for (int i = 0; i < 4; ++i)
        for (Listen l : ab)
            runs.append(
                Listen{l.path, l.artist, Date{l.at.seconds + i * 10000}, l.seconds, l.duration, l.mix});
    EXPECT_DOUBLE_EQ(build(artists, runs.mid(0, 2)).tie(artists[0], artists[1]).score, 2.5 / 3);
    EXPECT_DOUBLE_EQ(build(artists, runs).tie(artists[0], artists[1]).score, 2.5);
    EXPECT_EQ(build(artists, runs).tie(artists[0], artists[1]).reason, "often played together");
}

TEST(ArtistRelations, YearsAreTheUpperMedian) {
    auto withYears = [](const QString& name, QList<qint64> years) {
        QList<Song> songs;
        for (int i = 0; i < years.size(); ++i)
            songs.append(song(name, i, "Album", {}, "Song", std::nullopt, years[i]));
        songs.append(song(name, 99)); // no year: ignored
        return artist(name, songs);
    };
    const auto relations =
        build({withYears("Even", {2000, 1990}), withYears("Odd", {2001, 1990, 1995}), withYears("None", {})});
    EXPECT_EQ(relations.years()["even"], 2000);
    EXPECT_EQ(relations.years()["odd"], 1995);
    EXPECT_FALSE(relations.years().contains("none"));

    struct Case {
        qint64 apart;
        double score;
    };
    for (Case c : {Case{0, 0.5}, Case{2, 0.5}, Case{5, 0.25}, Case{6, 0}}) {
        const Artist a = withYears("A", {2000}), b = withYears("B", {2000 + c.apart});
        const auto r = build({a, b}).tie(a, b);
        EXPECT_EQ(r.score, c.score) << c.apart;
        EXPECT_EQ(r.reason, c.score > 0 ? "from the same years" : "in your collection") << c.apart;
    }
}

TEST(ArtistRelations, TieWeighsEveryReason) {
    auto genred = [](const QString& name, const QString& genre) {
        return artist(name, {song(name, 1, "Album", {}, "Song", genre)});
    };
    const Artist a = genred("A", "Rock"), b = genred("B", "Rock"), c = genred("C", "Jazz");
    const Artist d = artist("D", 1);

    // Last.fm: the stronger of the two directions counts, also for artists only one side lists.
    const LastFMArtists lastFM{{"a", lastFMEntry({{"c", 0.2}})},
                               {"c", lastFMEntry({{"a", 0.35}}, {"Rock"})},
                               {"gone", lastFMEntry({{"a", 1}})}};
    // Plays: B has the most, so its bonus is the full 0.3.
    const QHash<QString, int> plays{{b.albums[0].songs[0].url.path, 9}, {c.albums[0].songs[0].url.path, 2}};
    const auto relations = build({a, b, c, d}, {}, plays, lastFM);
    EXPECT_EQ(relations.mostPlays(), 9);
    EXPECT_EQ(relations.plays()["d"], 0);
    EXPECT_EQ(relations.lastFM()["gone"]["a"], 1); // kept although no longer in the collection

    // "rock" is held by A, B and C (C through its Last.fm tags), so it is common: ln(4/3).
    const double rock = std::log(4.0 / 3.0);
    EXPECT_DOUBLE_EQ(relations.rarity()["rock"], rock);

    const Related ab = relations.tie(a, b);
    EXPECT_DOUBLE_EQ(ab.score, 1.5 * 0.25 * rock + 0.3);
    EXPECT_EQ(ab.reason, "also rock");
    EXPECT_EQ(ab.artist, b);

    const Related ac = relations.tie(a, c);
    EXPECT_DOUBLE_EQ(ac.score, 2 * 0.35 + 1.5 * 0.25 * rock + 0.3 * std::log(3.0) / std::log(10.0));
    EXPECT_EQ(ac.reason, "similar on Last.fm");
    EXPECT_DOUBLE_EQ(relations.tie(c, a).score, 2 * 0.35 + 1.5 * 0.25 * rock);

    const Related ad = relations.tie(a, d);
    EXPECT_EQ(ad.score, 0);
    EXPECT_EQ(ad.reason, "in your collection");

    // A genre every artist has is worth nothing, yet still names the relation when nothing else does.
    const auto everyone = build({a, b});
    EXPECT_EQ(everyone.rarity()["rock"], 0);
    EXPECT_EQ(everyone.tie(a, b).score, 0);
    EXPECT_EQ(everyone.tie(a, b).reason, "also rock");

    // Without any play counts nobody gets a bonus.
    EXPECT_EQ(build({a, b, c, d}, {}, {}, {}).tie(a, d).score, 0);
}

TEST(ArtistRelations, RelatedIsRankedByScoreThenPlainName) {
    const QList<Artist> artists{artist("b", 1),      artist("Abba", 1), artist("C", 1),
                                artist("Centre", 1), artist("Zed", 1),  artist("zz", 1)};
    const LastFMArtists lastFM{{"centre", lastFMEntry({{"zed", 0.5}, {"zz", 0.1}})}};
    const auto relations = build(artists, {}, {}, lastFM);

    // Equal scores follow the plain order of names: capitals before small letters.
    const auto all = relations.related(artists[3], 10);
    EXPECT_EQ(namesOf(all), (QStringList{"Zed", "zz", "Abba", "C", "b"}));
    EXPECT_EQ(all[0].reason, "similar on Last.fm");
    EXPECT_EQ(all[4].reason, "in your collection");
    EXPECT_EQ(namesOf(relations.related(artists[3], 2)), (QStringList{"Zed", "zz"}));
    EXPECT_TRUE(relations.related(artists[3], 0).isEmpty());

    // By name, in any case, and for a name not in the collection.
    EXPECT_EQ(namesOf(relations.related(QString("CENTRE"), 10)), namesOf(all));
    EXPECT_EQ(relations.related(QString("Stranger"), 10).size(), 6);
}

TEST(ArtistRelations, RelatedToAllSeeds) {
    const QList<Artist> artists{artist("A", 1), artist("B", 1), artist("C", 1), artist("D", 1)};
    const LastFMArtists lastFM{{"a", lastFMEntry({{"c", 0.5}, {"d", 0.2}})},
                               {"b", lastFMEntry({{"d", 0.4}})}};
    const auto relations = build(artists, {}, {}, lastFM);

    const auto both = relations.relatedToAll({artists[0], artists[1]}, 10);
    ASSERT_EQ(namesOf(both), (QStringList{"D", "C"}));
    EXPECT_DOUBLE_EQ(both[0].score, (0.4 + 0.8) / 2);
    EXPECT_DOUBLE_EQ(both[1].score, 1.0 / 2);
    EXPECT_EQ(both[0].reason, "similar on Last.fm");

    // No seeds: everybody, worth nothing, in name order.
    const auto none = relations.relatedToAll({}, 10);
    EXPECT_EQ(namesOf(none), (QStringList{"A", "B", "C", "D"}));
    for (const Related& r : none) {
        EXPECT_EQ(r.score, 0);
        EXPECT_EQ(r.reason, "in your collection");
    }
}

TEST(ArtistRelations, LaterArtistOfTheSameNameReplacesTheEarlier) {
    const auto relations = build({artist("Joni", 1), artist("JONI", 3)});
    ASSERT_EQ(relations.artists().size(), 1);
    EXPECT_EQ(relations.artists()["joni"].name, "JONI");
    EXPECT_EQ(relations.related(artist("x", 1), 5).size(), 1);
}

TEST(ArtistRelations, GenreLabelsKeepEachArtistsSpelling) {
    // Song tags come before Last.fm tags: the song's spelling names the genre.
    const Artist a = artist("A", {song("A", 1, "Album", {}, {}, "Hip-Hop")});
    const Artist b = artist("B", {song("B", 1, "Album", {}, {}, "hip hop")});
    const Artist c = artist("C", 1);
    const auto relations = build({a, b, c}, {}, {}, {{"a", lastFMEntry({}, {"hip hop", "Rap"})}});

    const auto genres = relations.genres();
    EXPECT_EQ(genres["a"].names, (QHash<QString, QString>{{"hiphop", "hip-hop"}, {"rap", "rap"}}));
    EXPECT_EQ(sorted(genres["a"].words), (QStringList{"hip", "hop", "rap"}));
    EXPECT_TRUE(genres["c"].names.isEmpty());

    EXPECT_EQ(relations.tie(a, b).reason, "also hip-hop");
    EXPECT_EQ(relations.tie(b, a).reason, "also hip hop");
    EXPECT_DOUBLE_EQ(relations.tie(a, b).score, 1.5 * 0.25 * std::log(3.0 / 2.0));
}

TEST(ArtistRelations, PairScoresAgreeWithGenreOverlap) {
    // Scoring works on numbered genres; it must answer what Genres::overlap answers on the texts.
    const QList<QStringList> genreLists = {{"Rock", "Indie Rock"},
                                           {"indie rock; Dream Pop"},
                                           {"Noise Pop", "Art-Rock"},
                                           {"Jazz"},
                                           {"Acid Jazz", "Soul"},
                                           {"Rock", "Soul"},
                                           {"The Music"},
                                           {}};
    QList<Artist> artists;
    for (int i = 0; i < genreLists.size(); ++i) {
        QList<Song> songs;
        for (int j = 0; j < genreLists[i].size(); ++j)
            songs.append(song(QString("G%1").arg(i), j, "Album", {}, {}, genreLists[i][j]));
        artists.append(artist(QString("G%1").arg(i), songs.isEmpty() ? QList<Song>{song("G7", 0)} : songs));
    }
    const auto relations = build(artists);
    for (int i = 0; i < artists.size(); ++i) {
        for (int j = 0; j < artists.size(); ++j) {
            if (i == j) continue;
            const Genres a(genreLists[i]), b(genreLists[j]);
            const auto shared = a.overlap(b, relations.rarity());
            const Related r = relations.tie(artists[i], artists[j]);
            EXPECT_DOUBLE_EQ(r.score, shared ? 1.5 * shared->first : 0) << i << " " << j;
            EXPECT_EQ(r.reason, shared ? "also " + shared->second : "in your collection") << i << " " << j;
        }
    }
}
