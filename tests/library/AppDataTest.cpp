#include "library/AppData.h"
#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "library/SettingKey.h"
#include "support/TestHome.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
void writeFormerDefaults(const QByteArray& json) {
    TestHome::writeFile(Defaults::formerPath(), json);
}
} // namespace

TEST(Migration, MovesFormerFolderAndCopiesMissingKeys) {
    TestHome home;
    TestHome::writeFile(DataFolder::formerPath() + "/playlists.json", "[]");
    writeFormerDefaults(R"({"volume":0.4,"accent":"cobalt","likes":["/a.mp3"]})");
    Defaults defaults;
    defaults.set("accent", "magenta");

    AppData::moveFromTamsk(defaults);

    EXPECT_TRUE(QFileInfo::exists(DataFolder::file("playlists.json")));
    EXPECT_FALSE(QFileInfo::exists(DataFolder::formerPath()));
    EXPECT_EQ(defaults.doubleValue("volume", 1), 0.4);
    EXPECT_EQ(defaults.stringValue("accent"), "magenta"); // the current value wins
    EXPECT_EQ(defaults.stringList("likes"), QStringList{"/a.mp3"});
    EXPECT_TRUE(defaults.boolValue("movedFromTamsk", false));
    EXPECT_TRUE(QFileInfo::exists(Defaults::formerPath())); // the former settings are only read
    EXPECT_TRUE(Defaults().boolValue("movedFromTamsk", false));
}

TEST(Migration, BothFoldersPresentMovesNothing) {
    TestHome home;
    TestHome::writeFile(DataFolder::formerPath() + "/old.json", "1");
    TestHome::writeFile(DataFolder::file("new.json"), "2");
    Defaults defaults;
    AppData::moveFromTamsk(defaults);
    EXPECT_TRUE(QFileInfo::exists(DataFolder::formerPath() + "/old.json"));
    EXPECT_FALSE(QFileInfo::exists(DataFolder::file("old.json")));
    EXPECT_TRUE(defaults.boolValue("movedFromTamsk", false));
}

TEST(Migration, NeitherFolderOnlyCopiesDefaultsAndRunsOnce) {
    TestHome home;
    writeFormerDefaults(R"({"repeatAll":true})");
    Defaults defaults;
    AppData::moveFromTamsk(defaults);
    EXPECT_FALSE(QFileInfo::exists(DataFolder::path()));
    EXPECT_TRUE(defaults.boolValue("repeatAll", false));
    EXPECT_TRUE(defaults.boolValue("movedFromTamsk", false));

    // Once done, it never looks again.
    TestHome::writeFile(DataFolder::formerPath() + "/x.json", "1");
    writeFormerDefaults(R"({"volume":0.1})");
    AppData::moveFromTamsk(defaults);
    EXPECT_FALSE(defaults.contains("volume"));
    EXPECT_FALSE(QFileInfo::exists(DataFolder::path()));
}

TEST(Migration, AnUndecodableFormerSettingsFileIsLeftWhereItIs) {
    // The former settings belong to the former program: a file we cannot decode is skipped, never renamed.
    for (const QByteArray& bytes : {QByteArray("{\"volume\": "), QByteArray("[1, 2]")}) {
        TestHome home;
        writeFormerDefaults(bytes);
        Defaults defaults;
        AppData::moveFromTamsk(defaults);
        EXPECT_TRUE(defaults.boolValue("movedFromTamsk", false));
        EXPECT_FALSE(defaults.contains("volume"));
        EXPECT_EQ(TestHome::readFile(Defaults::formerPath()), bytes);
        EXPECT_TRUE(QDir(QFileInfo(Defaults::formerPath()).absolutePath())
                        .entryList({"defaults.json.unreadable-*"})
                        .isEmpty());
    }
}

TEST(Migration, FailedMoveLeavesFlagUnsetAndRetries) {
    TestHome home;
    TestHome::writeFile(DataFolder::formerPath() + "/x.json", "1");
    Defaults defaults;
    AppData::moveFromTamsk(defaults, [](const QString&, const QString&) { return false; });
    EXPECT_FALSE(defaults.contains("movedFromTamsk"));
    EXPECT_TRUE(QFileInfo::exists(DataFolder::formerPath() + "/x.json"));

    AppData::moveFromTamsk(defaults); // the next start tries again
    EXPECT_TRUE(QFileInfo::exists(DataFolder::file("x.json")));
    EXPECT_TRUE(defaults.boolValue("movedFromTamsk", false));
}

TEST(SettingKey, ReadsOnUnlessFalse) {
    TestHome home;
    Defaults defaults;
    EXPECT_TRUE(SettingKey::isOn(defaults, "watchFolder"));
    defaults.set("watchFolder", false);
    EXPECT_FALSE(SettingKey::isOn(defaults, "watchFolder"));
    defaults.set("watchFolder", "no");
    EXPECT_TRUE(SettingKey::isOn(defaults, "watchFolder"));
    defaults.set("watchFolder", 0);
    EXPECT_TRUE(SettingKey::isOn(defaults, "watchFolder"));
}
