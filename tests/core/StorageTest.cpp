#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

TEST(DataFolder, FollowsXdgVariables) {
    TestHome home;
    EXPECT_EQ(DataFolder::path(), home.dataHome() + "/VELTO");
    EXPECT_EQ(DataFolder::formerPath(), home.dataHome() + "/Tamsk");
    EXPECT_EQ(Defaults::standardPath(), home.configHome() + "/VELTO/defaults.json");
}

TEST(JsonFile, WriteMakesFoldersAndReplacesWhole) {
    TestHome home;
    const QString path = DataFolder::file("deep/er/x.json");
    ASSERT_TRUE(JsonFile::write(path, QJsonDocument(QJsonArray{1, 2})));
    ASSERT_TRUE(JsonFile::write(path, QJsonDocument(QJsonArray{3})));
    EXPECT_EQ(TestHome::readFile(path), "[3]");
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files).size(), 1); // no temp file left
}

TEST(JsonFile, UndecodableFileIsSetAsideNotLost) {
    TestHome home;
    const QString path = DataFolder::file("playlists.json");
    TestHome::writeFile(path, "[{\"broken\": ");
    auto none = JsonFile::load<int>(path, [](const QJsonDocument&) { return std::optional<int>(1); });
    EXPECT_FALSE(none.has_value());
    EXPECT_FALSE(QFileInfo::exists(path));
    const QStringList aside = QDir(DataFolder::path()).entryList({"playlists.json.unreadable-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(TestHome::readFile(DataFolder::file(aside.first())), "[{\"broken\": ");

    // Valid JSON that the store's decoder rejects is set aside too; a missing file is quietly empty.
    TestHome::writeFile(path, "{}");
    EXPECT_FALSE((JsonFile::load<int>(path, [](const QJsonDocument&) { return std::optional<int>(); })));
    EXPECT_EQ(QDir(DataFolder::path()).entryList({"playlists.json.unreadable-*"}).size(), 2);
    EXPECT_FALSE((JsonFile::load<int>(path, [](const QJsonDocument&) { return std::optional<int>(1); })));
}

TEST(Defaults, KeepsTypesAcrossRestart) {
    TestHome home;
    {
        Defaults d;
        QSignalSpy spy(&d, &Defaults::changed);
        d.set("fadeOnPause", false);
        d.set("pins", QJsonArray{});
        d.set("smartDJArtists", QJsonArray{"Björk"});
        d.set("volume", 0.35);
        d.set("volume", 0.35); // unchanged: no signal, no write
        EXPECT_EQ(spy.count(), 4);
    }
    Defaults d;
    EXPECT_TRUE(d.value("fadeOnPause").isBool());
    EXPECT_FALSE(d.boolValue("fadeOnPause", true));
    EXPECT_TRUE(d.contains("pins"));
    EXPECT_TRUE(d.value("pins").isArray());
    EXPECT_EQ(d.stringList("smartDJArtists"), QStringList{"Björk"});
    EXPECT_EQ(d.doubleValue("volume", 1), 0.35);
    d.remove("pins");
    EXPECT_FALSE(Defaults().contains("pins"));
}

TEST(Defaults, BrokenFileIsSetAsideAndNotOverwritten) {
    TestHome home;
    TestHome::writeFile(Defaults::standardPath(), "{ not json");
    Defaults d;
    EXPECT_TRUE(d.all().isEmpty());
    d.set("accent", "cobalt");
    const QStringList aside = QDir(DataFolder::configPath()).entryList({"defaults.json.unreadable-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(TestHome::readFile(DataFolder::configPath() + "/" + aside.first()), "{ not json");
    EXPECT_EQ(Defaults().stringValue("accent"), "cobalt");
}

// A burst of changes is announced at once and lands in one file write, off the thread that made it.
TEST(Defaults, ChangesAreCoalescedIntoOneWrite) {
    TestHome home;
    Defaults d;
    QSignalSpy spy(&d, &Defaults::changed);
    for (int i = 1; i <= 10; ++i)
        d.set("volume", i / 10.0);
    EXPECT_EQ(spy.count(), 10);
    EXPECT_EQ(d.doubleValue("volume", 0), 1.0);
    EXPECT_EQ(d.writes(), 0);
    EXPECT_FALSE(QFileInfo::exists(Defaults::standardPath()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return d.writes() == 1; }, 3000));
    QTest::qWait(Defaults::writeDelayMs + 100);
    EXPECT_EQ(d.writes(), 1);
    const QJsonObject stored = QJsonDocument::fromJson(TestHome::readFile(Defaults::standardPath())).object();
    EXPECT_EQ(stored.value("volume").toDouble(), 1.0);
}

// Quitting writes what is pending without waiting for the timer.
TEST(Defaults, PendingChangesAreWrittenWhenTheApplicationQuits) {
    TestHome home;
    Defaults d;
    d.set("accent", "lime");
    EXPECT_EQ(d.writes(), 0);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
    EXPECT_EQ(d.writes(), 1);
    EXPECT_EQ(Defaults::readFile(Defaults::standardPath()).value("accent").toString(), "lime");
}

// The process killed outright in the middle of a burst of large writes leaves a whole file: the old one or
// a newer one, never a torn one. The child is this test binary, running the burst below until it dies.
TEST(Defaults, KilledDuringABurstLeavesAFileThatParses) {
    if (qEnvironmentVariableIsSet("VELTO_DEFAULTS_BURST")) GTEST_SKIP() << "the child's own run";
    TestHome home;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VELTO_DEFAULTS_BURST", Defaults::standardPath());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=DefaultsBurst.*"});
    ASSERT_TRUE(child.waitForStarted());
    // Let several timed writes land, then kill it while it keeps changing.
    ASSERT_TRUE(QTest::qWaitFor([] { return QFileInfo(Defaults::standardPath()).size() > 100000; }, 10000));
    QTest::qWait(700);
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(TestHome::readFile(Defaults::standardPath()), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_TRUE(doc.object().value("playCounts").isObject());
    EXPECT_GT(doc.object().value("volume").toDouble(), 0);
}

TEST(DefaultsBurst, ChangesUntilKilled) {
    const QString path = qEnvironmentVariable("VELTO_DEFAULTS_BURST");
    if (path.isEmpty()) GTEST_SKIP() << "run only as the child of the test above";
    Defaults d(path);
    QJsonObject counts;
    for (int i = 0; i < 20000; ++i)
        counts.insert(QStringLiteral("/music/song %1.mp3").arg(i), i);
    d.set("playCounts", counts);
    for (int i = 0;; ++i) {
        d.set("volume", 0.01 + (i % 99) / 100.0);
        QTest::qWait(2);
    }
}

TEST(Defaults, DeclaredSettingsReadTheirDefaultUntilWrittenWithTheirType) {
    TestHome home;
    Defaults d;
    EXPECT_EQ(d.declared("fadeOnPause"), QJsonValue(true));
    EXPECT_EQ(d.declared("accent"), QJsonValue("magenta"));
    EXPECT_EQ(d.declared("player.capacity"), QJsonValue(0));
    d.set("fadeOnPause", "no"); // not a Boolean: reads as the default
    EXPECT_EQ(d.declared("fadeOnPause"), QJsonValue(true));
    d.set("fadeOnPause", false);
    EXPECT_EQ(d.declared("fadeOnPause"), QJsonValue(false));
    d.set("sync.quality", 128);
    EXPECT_EQ(d.read("sync.quality").toInt(), 128);
    EXPECT_TRUE(d.declared("notDeclared").isUndefined());
}
