#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"
#include "support/TestHome.h"

#include <QDir>
#include <QJsonArray>
#include <QSignalSpy>
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
