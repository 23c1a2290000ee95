#include "playback/LastFMStore.h"
#include "LastFMFakeServer.h"
#include "LastFMTestPrinters.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Response = LastFMFakeServer::Response;

const Date start{700000000};

QByteArray similarBody(const QString& artist) {
    return QStringLiteral(R"({"similarartists":{"artist":[{"name":"Like %1","match":"0.5"}]}})")
        .arg(artist)
        .toUtf8();
}
QByteArray tagsBody() {
    return R"({"toptags":{"tag":[{"name":"Rock","count":50},{"name":"seen live","count":90}]}})";
}

LastFMArtist expectedEntry(const QString& artist, Date fetched) {
    return LastFMArtist{
        {{QStringLiteral("like ") + artist.toLower(), 0.5}}, {QStringLiteral("rock")}, fetched};
}

LastFMArtists readCacheFile() {
    const QJsonObject object = QJsonDocument::fromJson(TestHome::readFile(LastFMStore::file())).object();
    LastFMArtists artists;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        artists.insert(it.key(), LastFMArtist::fromJson(it.value()).value());
    return artists;
}

void writeCacheFile(const LastFMArtists& artists) {
    QJsonObject object;
    for (auto it = artists.cbegin(); it != artists.cend(); ++it)
        object.insert(it.key(), it->toJson());
    ASSERT_TRUE(JsonFile::write(LastFMStore::file(), QJsonDocument(object)));
}

QStringList setAsideFiles() {
    return QDir(QFileInfo(LastFMStore::file()).absolutePath())
        .entryList({QStringLiteral("lastfm.json.unreadable-*")}, QDir::Files);
}

class LastFMStoreTest : public ::testing::Test {
protected:
    LastFMStoreTest() {
        // Unless a test says otherwise every artist is known and every request answered at once.
        server.setHandler([this](const LastFMFakeServer::Request& r) {
            events << r.method() + u' ' + r.artist();
            if (answers) return answers(r);
            return ordinaryAnswer(r);
        });
    }

    static Response ordinaryAnswer(const LastFMFakeServer::Request& r) {
        return Response::json(r.method() == u"artist.getSimilar" ? similarBody(r.artist()) : tagsBody());
    }

    std::unique_ptr<LastFMStore> makeStore(const QString& key = QStringLiteral("KEY")) {
        LastFMConnection connection;
        connection.endpoint = server.endpoint();
        connection.transferTimeoutMs = transferTimeoutMs;
        connection.now = [this] { return clock; };
        connection.pause = [this](double seconds, std::function<void()> resume) {
            events << QStringLiteral("pause %1").arg(seconds);
            if (holdPauses)
                heldPauses.append(resume);
            else
                QTimer::singleShot(0, resume);
        };
        defaults.set(LastFMStore::keySetting, key);
        return std::make_unique<LastFMStore>(defaults, connection);
    }

    // The run has ended when its status is no longer a progress text.
    static bool finish(LastFMStore& store) {
        return QTest::qWaitFor([&] { return !store.status().startsWith(u"looking up"); }, 10000);
    }

    QStringList requestedArtists(const QString& method = QStringLiteral("artist.getSimilar")) const {
        QStringList out;
        for (const auto& r : server.requests())
            if (r.method() == method) out << r.artist();
        return out;
    }

    TestHome home;
    Defaults defaults;
    LastFMFakeServer server;
    std::function<Response(const LastFMFakeServer::Request&)> answers;
    QStringList events;
    Date clock = start;
    int transferTimeoutMs = 60000;
    bool holdPauses = false;
    QList<std::function<void()>> heldPauses;
};

TEST_F(LastFMStoreTest, ARunLooksUpEachArtistPacedAndSavesTheCache) {
    ASSERT_TRUE(server.listening());
    auto store = makeStore(QStringLiteral("  KEY \n"));
    QStringList statuses;
    QObject::connect(store.get(), &LastFMStore::statusChanged, [&] {
        statuses << (store->status().isNull() ? QStringLiteral("<none>") : store->status());
    });

    store->refresh({QStringLiteral("Björk"), QStringLiteral("Low")}, false);
    ASSERT_TRUE(finish(*store));

    EXPECT_EQ(statuses, (QStringList{"looking up 1 of 2", "looking up 2 of 2", "<none>"}));
    EXPECT_FALSE(store->trouble());
    // Two requests per artist, each followed by the pause.
    EXPECT_EQ(events,
              (QStringList{"artist.getSimilar Björk", "pause 0.25", "artist.getTopTags Björk", "pause 0.25",
                           "artist.getSimilar Low", "pause 0.25", "artist.getTopTags Low", "pause 0.25"}));
    // The query items in their order, every value percent-encoded, the key trimmed.
    ASSERT_EQ(server.requests().size(), 4);
    EXPECT_EQ(server.requests()[0].line, "GET /2.0/?method=artist.getSimilar&artist=Bj%C3%B6rk&autocorrect=1"
                                         "&api_key=KEY&format=json&limit=100 HTTP/1.1");
    EXPECT_EQ(server.requests()[1].line,
              "GET /2.0/?method=artist.getTopTags&artist=Bj%C3%B6rk&autocorrect=1&api_key=KEY&format=json "
              "HTTP/1.1");

    const LastFMArtists expected{{QStringLiteral("björk"), expectedEntry(QStringLiteral("Björk"), start)},
                                 {QStringLiteral("low"), expectedEntry(QStringLiteral("Low"), start)}};
    EXPECT_EQ(store->artists(), expected);
    EXPECT_EQ(readCacheFile(), expected);
    // A new store reads back what the last one saved.
    EXPECT_EQ(makeStore()->artists(), expected);
}

// Without a pause of its own the store waits on its timer: no two requests come closer than the pause.
TEST_F(LastFMStoreTest, RequestsAreAtLeastAQuarterSecondApart) {
    LastFMConnection connection;
    connection.endpoint = server.endpoint();
    defaults.set(LastFMStore::keySetting, QStringLiteral("KEY"));
    LastFMStore store(defaults, connection);
    store.refresh({QStringLiteral("A"), QStringLiteral("B")}, true);
    ASSERT_TRUE(finish(store));
    ASSERT_EQ(server.requests().size(), 4);
    for (qsizetype i = 1; i < server.requests().size(); ++i)
        EXPECT_GE(server.requests()[i].arrivedMs - server.requests()[i - 1].arrivedMs, 245) << i;
    EXPECT_TRUE(store.status().isNull());
}

TEST_F(LastFMStoreTest, NamesWithUrlDelimitersReachTheServiceAsWritten) {
    const QStringList names{"Dan + Shay", "Simon & Garfunkel", "#1 Dads",    "+/-",
                            "AC/DC",      "Sigur Rós",         "a=b;c?d%20e"};
    auto store = makeStore();
    store->refresh(names, true);
    ASSERT_TRUE(finish(*store));
    EXPECT_EQ(requestedArtists(), names);
    EXPECT_EQ(requestedArtists(QStringLiteral("artist.getTopTags")), names);
    EXPECT_TRUE(server.requests()[0].line.contains("&artist=Dan%20%2B%20Shay&"))
        << server.requests()[0].line.data();
    for (const QString& name : names)
        EXPECT_TRUE(store->artists().contains(name.toLower())) << name.toStdString();
}

TEST_F(LastFMStoreTest, AKeyOfBlanksIsNoKey) {
    auto store = makeStore();
    store->setKey(QStringLiteral(" \t\n "));
    EXPECT_FALSE(store->hasKey());
    EXPECT_EQ(store->key(), QStringLiteral(" \t\n "));
    EXPECT_EQ(defaults.stringValue(LastFMStore::keySetting, QStringLiteral("unset")), QString());

    store->refresh({QStringLiteral("Low")}, true);
    QTest::qWait(100);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(store->status().isNull());

    store->setKey(QStringLiteral(" abc "));
    EXPECT_TRUE(store->hasKey());
    EXPECT_EQ(defaults.stringValue(LastFMStore::keySetting), QStringLiteral("abc"));
}

TEST_F(LastFMStoreTest, EntriesGoStaleAfterThirtyDays) {
    writeCacheFile({{QStringLiteral("fresh"), LastFMArtist{{}, {}, start.adding(-2592000)}},
                    {QStringLiteral("stale"), LastFMArtist{{}, {}, start.adding(-2592001)}}});
    auto store = makeStore();
    const QStringList names{"FRESH", "Stale", "New"};

    store->refresh(names, false);
    ASSERT_TRUE(finish(*store));
    EXPECT_EQ(requestedArtists(), (QStringList{"Stale", "New"}));

    // Asked again, every name is looked up, fresh or not.
    store->refresh(names, true);
    ASSERT_TRUE(finish(*store));
    EXPECT_EQ(requestedArtists(), (QStringList{"Stale", "New", "FRESH", "Stale", "New"}));
}

TEST_F(LastFMStoreTest, NamesDifferingInCaseShareOneEntryAndTheLaterWins) {
    auto store = makeStore();
    store->refresh({QStringLiteral("ABBA"), QStringLiteral("abba")}, false);
    ASSERT_TRUE(finish(*store));
    EXPECT_EQ(requestedArtists(), (QStringList{"ABBA", "abba"}));
    EXPECT_EQ(store->artists(), (LastFMArtists{{"abba", expectedEntry(QStringLiteral("abba"), start)}}));
}

TEST_F(LastFMStoreTest, ARefusedKeyStopsTheRunAndSavesNothing) {
    const LastFMArtists old{{QStringLiteral("old"), LastFMArtist{{{"x", 0.1}}, {"jazz"}, start}}};
    writeCacheFile(old);
    answers = [](const LastFMFakeServer::Request& r) {
        if (r.artist() == u"D") return Response::json(R"({"error":10,"message":"Invalid API key"})", 403);
        return ordinaryAnswer(r);
    };
    auto store = makeStore();
    store->refresh({"A", "B", "C", "D", "E"}, true);
    ASSERT_TRUE(finish(*store));

    EXPECT_EQ(store->status(), QStringLiteral("Last.fm didn't accept that key."));
    EXPECT_TRUE(store->trouble());
    EXPECT_EQ(requestedArtists(), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(store->artists().keys().size(), 4);
    for (const char* name : {"a", "b", "c", "old"})
        EXPECT_TRUE(store->artists().contains(name)) << name;
    EXPECT_EQ(readCacheFile(), old);

    // With nothing stale, a refresh leaves the error on show.
    store->refresh({"A", "old"}, false);
    QTest::qWait(50);
    EXPECT_EQ(store->status(), QStringLiteral("Last.fm didn't accept that key."));
    EXPECT_TRUE(store->trouble());
    EXPECT_EQ(requestedArtists().size(), 4);
}

TEST_F(LastFMStoreTest, AnArtistTheServiceDoesNotKnowIsNotAskedForAgainForAMonth) {
    answers = [](const LastFMFakeServer::Request& r) {
        if (r.artist() == u"Nobody") return Response::json(R"({"error":6,"message":"not found"})", 404);
        return ordinaryAnswer(r);
    };
    auto store = makeStore();
    store->refresh({"Nobody", "Low"}, false);
    ASSERT_TRUE(finish(*store));
    EXPECT_TRUE(store->status().isNull());
    EXPECT_FALSE(store->trouble());
    EXPECT_EQ(store->artists().value("nobody"), (LastFMArtist{{}, {}, start}));
    EXPECT_EQ(readCacheFile().value("nobody"), (LastFMArtist{{}, {}, start}));

    clock = start.adding(2592000);
    store->refresh({"Nobody", "Low"}, false);
    QTest::qWait(50);
    EXPECT_EQ(requestedArtists(), (QStringList{"Nobody", "Low"}));
}

struct FailureCase {
    const char* name;
    Response response;
};
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class LastFMStoreFailure : public LastFMStoreTest, public ::testing::WithParamInterface<FailureCase> {};

// Whatever goes wrong on the way, the run stops with a clear status and keeps what it had and what it got.
TEST_P(LastFMStoreFailure, StopsWithAClearStatusAndKeepsTheCache) {
    const LastFMArtists old{{QStringLiteral("old"), LastFMArtist{{{"x", 0.1}}, {"jazz"}, start}}};
    writeCacheFile(old);
    transferTimeoutMs = 300;
    answers = [](const LastFMFakeServer::Request& r) {
        if (r.artist() == u"B" && r.method() == u"artist.getTopTags") return GetParam().response;
        return ordinaryAnswer(r);
    };
    auto store = makeStore();
    store->refresh({"A", "B", "C"}, true);
    ASSERT_TRUE(finish(*store));

    EXPECT_EQ(store->status(),
              QStringLiteral("Couldn't reach Last.fm. VELTO will try again next time it opens."));
    EXPECT_TRUE(store->trouble());
    EXPECT_EQ(requestedArtists(), (QStringList{"A", "B"}));
    LastFMArtists expected = old;
    expected.insert("a", expectedEntry("A", start));
    EXPECT_EQ(store->artists(), expected);
    EXPECT_EQ(readCacheFile(), expected);
    EXPECT_TRUE(setAsideFiles().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LastFMStoreFailure,
    ::testing::Values(FailureCase{"JsonList", Response::json(R"([{"toptags":{}}])")},
                      FailureCase{"Html", Response::json("<html><body>Bad Gateway</body></html>", 502)},
                      FailureCase{"ServerError", Response::json("Internal Server Error", 500)},
                      FailureCase{"OtherErrorCode",
                                  Response::json(R"({"error":29,"message":"Rate limit"})", 429)},
                      FailureCase{"Timeout", Response::stall()}, FailureCase{"Closed", Response::close()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LastFMStoreTest, ForgetThrowsEverythingAwayAndNoLateAnswerBringsItBack) {
    auto store = makeStore();
    store->refresh({"A"}, true);
    ASSERT_TRUE(finish(*store));
    ASSERT_TRUE(QFile::exists(LastFMStore::file()));

    // The late answer is a failure: a run that still listened would report it and save the cache.
    answers = [](const LastFMFakeServer::Request&) { return Response::held("<html>busy</html>"); };
    store->refresh({"B"}, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests().size() == 3; }, 5000));
    store->forget();

    EXPECT_TRUE(store->key().isEmpty());
    EXPECT_FALSE(store->hasKey());
    EXPECT_EQ(defaults.value(LastFMStore::keySetting), QJsonValue(QString()));
    EXPECT_TRUE(store->artists().isEmpty());
    EXPECT_TRUE(store->status().isNull());
    EXPECT_FALSE(store->trouble());
    EXPECT_FALSE(QFile::exists(LastFMStore::file()));

    server.releaseHeld();
    QTest::qWait(200);
    EXPECT_FALSE(QFile::exists(LastFMStore::file()));
    EXPECT_TRUE(store->artists().isEmpty());
    EXPECT_TRUE(store->status().isNull());
    EXPECT_EQ(server.requests().size(), 3);
}

TEST_F(LastFMStoreTest, ANewRunStartedInTheOldRunsPauseKeepsItsOwnStatus) {
    holdPauses = true;
    auto store = makeStore();
    store->refresh({"Old"}, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heldPauses.size() == 1; }, 5000));

    answers = [](const LastFMFakeServer::Request&) { return Response::json(R"({"error":26})", 403); };
    store->refresh({"New"}, true);
    ASSERT_TRUE(finish(*store));
    ASSERT_EQ(store->status(), QStringLiteral("Last.fm didn't accept that key."));

    // The old run's pause ends late: it must neither go on, nor speak, nor write.
    heldPauses.takeFirst()();
    QTest::qWait(100);
    EXPECT_EQ(requestedArtists(QStringLiteral("artist.getTopTags")), QStringList());
    EXPECT_EQ(store->status(), QStringLiteral("Last.fm didn't accept that key."));
    EXPECT_TRUE(store->trouble());
    EXPECT_TRUE(store->artists().isEmpty());
    EXPECT_FALSE(QFile::exists(LastFMStore::file()));
}

TEST_F(LastFMStoreTest, ADamagedEntryCostsOnlyThatEntry) {
    TestHome::writeFile(LastFMStore::file(), R"({
        "good": {"similar": {"x": 0.5}, "tags": ["rock"], "fetched": 700000000},
        "no date": {"similar": {}, "tags": []},
        "text match": {"similar": {"x": "0.5"}, "tags": [], "fetched": 1},
        "bad tags": {"similar": {}, "tags": "rock", "fetched": 1},
        "not an object": 3
    })");
    auto store = makeStore();
    EXPECT_EQ(store->artists(), (LastFMArtists{{"good", LastFMArtist{{{"x", 0.5}}, {"rock"}, start}}}));
    EXPECT_TRUE(setAsideFiles().isEmpty());
}

TEST_F(LastFMStoreTest, AnUnreadableCacheIsSetAsideNotOverwritten) {
    const QByteArray broken = R"({"good": {"similar": {}, "tags": [], "fetch)";
    TestHome::writeFile(LastFMStore::file(), broken);
    auto store = makeStore();
    EXPECT_TRUE(store->artists().isEmpty());

    store->refresh({"A"}, false);
    ASSERT_TRUE(finish(*store));
    EXPECT_EQ(readCacheFile().keys(), QStringList{"a"});
    const QStringList aside = setAsideFiles();
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(TestHome::readFile(QFileInfo(LastFMStore::file()).absolutePath() + u'/' + aside[0]), broken);
}

} // namespace
