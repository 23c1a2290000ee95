#include "settings/ConfirmMenu.h"
#include "settings/SettingsController.h"

#include "core/Defaults.h"
#include "support/TestHome.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(SettingsFrame, SectionsInListOrderWithTheirHints) {
    const QStringList labels{"music", "playback", "theme", "quickplay", "artist pictures", "about"};
    const QStringList hints{
        "folder, new music, last.fm",     "pausing, the light", "light or dark, accent",
        "opening screen, smart dj, pins", "your own photos",    "version, files, shortcuts"};
    ASSERT_EQ(SettingsController::sections().size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(SettingsController::label(i), labels[i]);
        EXPECT_EQ(SettingsController::hint(i), hints[i]);
    }
    SettingsController page;
    page.setSection(9);
    EXPECT_EQ(page.section(), 5);
    page.setSection(-1);
    EXPECT_EQ(page.section(), 0);
}

TEST(SettingsFrame, TheAccentChoiceFollowsItsSettingAndFallsBackToMagenta) {
    TestHome home;
    Defaults defaults;
    SettingsController page;
    page.setDefaults(&defaults);
    QSignalSpy spy(&page, &SettingsController::accentChoiceChanged);
    EXPECT_EQ(page.accentChoice(), "magenta");
    defaults.set(QStringLiteral("accent"), QStringLiteral("cover"));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(page.accentChoice(), "cover");
    for (const QJsonValue& odd :
         {QJsonValue(QStringLiteral("teal")), QJsonValue(3), QJsonValue(QStringLiteral("Lime"))}) {
        defaults.set(QStringLiteral("accent"), odd);
        EXPECT_EQ(page.accentChoice(), "magenta");
    }
    defaults.set(QStringLiteral("volume"), 0.5);
    EXPECT_EQ(spy.count(), 4);
}

TEST(SettingsFrame, TheConfirmingMenuAsksAndOffersOneDestructiveRow) {
    int runs = 0;
    const DropMenuPage page = ConfirmMenu::page(
        QStringLiteral("forget"), QStringLiteral("forget the key and what was looked up?"), [&] { ++runs; });
    ASSERT_EQ(page.sections().size(), 1u);
    EXPECT_EQ(page.sections().front().title, QStringLiteral("forget the key and what was looked up?"));
    ASSERT_EQ(page.items().size(), 1u);
    const DropMenuItem& row = page.items().front();
    EXPECT_EQ(row.title, "forget");
    EXPECT_TRUE(row.destructive);
    EXPECT_FALSE(row.checked);
    EXPECT_FALSE(row.hasPage());
    row.run();
    EXPECT_EQ(runs, 1);
}

} // namespace
