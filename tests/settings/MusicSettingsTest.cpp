#include "settings/MusicSettings.h"
#include "settings/SettingsController.h"

#include "core/Defaults.h"
#include "core/JsonFile.h"
#include "core/SettingKeys.h"
#include "library/PlaylistLibrary.h"
#include "playback/LastFMFakeServer.h"
#include "playback/LastFMStore.h"
#include "support/TestHome.h"

#include <QJsonDocument>
#include <QLocale>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>

namespace {

Song songBy(const QString& artist, int n = 1) {
    return makeSong(QStringLiteral("/m/%1/a/%2.mp3").arg(artist).arg(n), artist, QStringLiteral("a"));
}

// The figures read the process's default locale; each test puts back the one it found.
class LocaleGuard {
public:
    ~LocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

TEST(MusicSettings, FiguresAreGroupedByTheLocaleAndTheDuplicatesCountIsPlain) {
    LocaleGuard guard;
    struct Case {
        QLocale locale;
        qint64 n;
        QString shown;
    };
    for (const Case& c : {Case{QLocale(QLocale::English, QLocale::UnitedStates), 12345, "12,345"},
                          Case{QLocale(QLocale::German, QLocale::Germany), 12345, "12.345"},
                          Case{QLocale(QLocale::English, QLocale::UnitedStates), 0, "0"}}) {
        QLocale::setDefault(c.locale);
        EXPECT_EQ(MusicSettings::figure(c.n), c.shown) << c.locale.name().toStdString();
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(MusicSettings::duplicatesText(1234),
              "1234 more files are second copies of songs already here, and are left out.");
    EXPECT_EQ(MusicSettings::duplicatesText(1),
              "1 more files are second copies of songs already here, and are left out.");
    EXPECT_EQ(MusicSettings::duplicatesText(0), "");
}

TEST(MusicSettings, AnEmptyLibraryShowsZeroesAndNoDuplicatesLine) {
    TestHome home;
    Defaults defaults;
    auto library = libraryWith(defaults, {});
    MusicSettings music;
    music.setLibrary(library.get());
    EXPECT_EQ(music.songs(), "0");
    EXPECT_EQ(music.albums(), "0");
    EXPECT_EQ(music.artists(), "0");
    EXPECT_EQ(music.onDisk(), "0 MB");
    EXPECT_EQ(music.duplicatesNote(), "");
}

TEST(MusicSettings, TheLibrarysSecondCopiesAreCountedInTheNote) {
    TestHome home;
    Defaults defaults;
    Song first = songBy(QStringLiteral("ABBA"));
    Song copy = first;
    copy.url = FileUrl::fromPath(QStringLiteral("/m/copy/ABBA.mp3"));
    auto library = libraryWith(defaults, {first, copy, songBy(QStringLiteral("Blur"))});
    MusicSettings music;
    music.setLibrary(library.get());
    ASSERT_EQ(library->duplicates().size(), 1);
    EXPECT_EQ(music.songs(), "2");
    EXPECT_EQ(music.artists(), "2");
    EXPECT_EQ(music.duplicatesNote(), MusicSettings::duplicatesText(1));
}

TEST(MusicSettings, TheWatchSwitchStoresWatchesAndScansOnlyWhenTurnedOn) {
    TestHome home;
    Defaults defaults;
    defaults.set(QStringLiteral("libraryFolder"), home.folder(QStringLiteral("Music")));
    std::atomic<int> scans{0};
    LibraryStore library(defaults,
                         [&](const FileUrl&, const QHash<QString, Song>&, const LibraryScanner::Progress&) {
                             ++scans;
                             return QList<Song>{};
                         });
    ASSERT_TRUE(waitLoaded(library));
    MusicSettings music;
    music.setLibrary(&library);
    const QString key = QString::fromLatin1(SettingKeys::watchFolder);

    music.setWatching(false);
    EXPECT_EQ(defaults.value(key), QJsonValue(false));
    EXPECT_FALSE(library.isWatching());
    QTest::qWait(50);
    EXPECT_EQ(scans.load(), 0);

    music.setWatching(true);
    EXPECT_EQ(defaults.value(key), QJsonValue(true));
    EXPECT_TRUE(library.isWatching());
    EXPECT_TRUE(QTest::qWaitFor([&] { return scans.load() == 1 && !library.scanning(); }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(scans.load(), 1);
}

// A library of three artists, every one of them looked up a moment ago, and a Last.fm that holds every
// request unanswered: a run that starts anyway was asked to look everyone up again.
class LastFMRow : public ::testing::Test {
protected:
    LastFMRow() {
        QJsonObject cache;
        for (const QString& name : {QStringLiteral("abba"), QStringLiteral("blur"), QStringLiteral("cher")})
            cache.insert(name, LastFMArtist{{}, {}, Date::now()}.toJson());
        EXPECT_TRUE(JsonFile::write(LastFMStore::file(), QJsonDocument(cache)));
        library = libraryWith(defaults, {songBy(QStringLiteral("ABBA")), songBy(QStringLiteral("Blur")),
                                         songBy(QStringLiteral("Cher"))});
        server.setHandler(
            [](const LastFMFakeServer::Request&) { return LastFMFakeServer::Response::stall(); });
        LastFMConnection connection;
        connection.endpoint = server.endpoint();
        connection.pause = [](double, std::function<void()> resume) { QTimer::singleShot(0, resume); };
        lastFM = std::make_unique<LastFMStore>(defaults, connection);
        music.setLibrary(library.get());
        music.setLastFM(lastFM.get());
        music.setPage(&page);
    }

    TestHome home;
    Defaults defaults;
    LastFMFakeServer server;
    std::unique_ptr<LibraryStore> library;
    std::unique_ptr<LastFMStore> lastFM;
    SettingsController page;
    MusicSettings music;
};

TEST_F(LastFMRow, SavingTrimsStoresAndLooksEveryArtistUpAgain) {
    EXPECT_FALSE(music.connected());
    page.setKeyDraft(QStringLiteral(" abc\n"));
    EXPECT_TRUE(music.canSave());
    music.saveKey();
    EXPECT_EQ(lastFM->key(), "abc");
    EXPECT_EQ(defaults.value(LastFMStore::keySetting), QJsonValue(QStringLiteral("abc")));
    EXPECT_EQ(page.keyDraft(), "");
    EXPECT_FALSE(page.editingKey());
    EXPECT_TRUE(music.connected());
    EXPECT_EQ(lastFM->status(), "looking up 1 of 3");
    EXPECT_EQ(music.status().value("text").toString(), "Connected, looking up 1 of 3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests().isEmpty(); }, 5000));
    EXPECT_EQ(server.requests().front().artist(), "ABBA");
}

TEST_F(LastFMRow, ADraftOfWhiteSpaceSavesNothing) {
    page.setKeyDraft(QStringLiteral(" \n"));
    EXPECT_FALSE(music.canSave());
    music.saveKey();
    EXPECT_EQ(lastFM->key(), "");
    EXPECT_FALSE(defaults.contains(LastFMStore::keySetting));
    EXPECT_EQ(page.keyDraft(), " \n");
    EXPECT_FALSE(music.connected());
    EXPECT_TRUE(lastFM->status().isNull());
}

TEST_F(LastFMRow, ChangeCancelAndForget) {
    page.setKeyDraft(QStringLiteral("abc"));
    music.saveKey();

    music.changeKey();
    EXPECT_EQ(page.keyDraft(), "abc");
    EXPECT_TRUE(page.editingKey());
    EXPECT_FALSE(music.connected());

    page.setKeyDraft(QStringLiteral("other"));
    music.cancelKey();
    EXPECT_TRUE(music.connected());
    EXPECT_EQ(lastFM->key(), "abc");
    EXPECT_EQ(page.keyDraft(), "other");

    page.setKeyDraft(QString());
    music.forget();
    EXPECT_EQ(lastFM->key(), "");
    EXPECT_FALSE(music.connected());
    EXPECT_EQ(page.keyDraft(), "");
    EXPECT_TRUE(lastFM->artists().isEmpty());
}

TEST(MusicSettings, LastFMStatusFirstMatchWins) {
    const QString bad = LastFMStore::badKeyText;
    struct Case {
        bool hasKey;
        bool trouble;
        QString status;
        MusicSettings::Status shown;
    };
    for (const Case& c : {
             Case{false, true, bad, {"Not connected. Paste a free API key from Last.fm to start.", false}},
             Case{true, true, bad, {bad, false}},
             Case{true, false, "looking up 3 of 40", {"Connected, looking up 3 of 40", true}},
             Case{true, true, QString(), {"Connected. 25 of 40 artists looked up.", true}},
             Case{true, false, QString(), {"Connected. 25 of 40 artists looked up.", true}},
         })
        EXPECT_EQ(MusicSettings::lastFMStatus(c.hasKey, c.trouble, c.status, 25, 40), c.shown)
            << c.status.toStdString();
}

TEST(MusicSettings, LookedUpCountsLibraryArtistsByLowerCasedName) {
    TestHome home;
    Defaults defaults;
    defaults.set(LastFMStore::keySetting, QStringLiteral("KEY"));
    QJsonObject cache;
    for (const QString& name : {QStringLiteral("abba"), QStringLiteral("nobody")})
        cache.insert(name, LastFMArtist{{}, {}, Date::now()}.toJson());
    ASSERT_TRUE(JsonFile::write(LastFMStore::file(), QJsonDocument(cache)));
    auto library = libraryWith(defaults, {songBy(QStringLiteral("ABBA")), songBy(QStringLiteral("Blur"))});
    LastFMStore lastFM(defaults);
    MusicSettings music;
    music.setLibrary(library.get());
    music.setLastFM(&lastFM);
    EXPECT_EQ(music.lookedUp(), 1);
    EXPECT_EQ(music.status().value("text").toString(), "Connected. 1 of 2 artists looked up.");
    EXPECT_TRUE(music.status().value("on").toBool());

    lastFM.forget();
    EXPECT_EQ(music.lookedUp(), 0);
}

} // namespace
