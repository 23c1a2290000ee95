#include "settings/ThemeSettings.h"

#include "pocketplayer/IvraModel.h"
#include "shell/look/AccentStore.h"

#include <gtest/gtest.h>

namespace {

// The chosen player as the program tells the settings page: its line, its finish's name and colour.
PlayerLook look(const QString& model, const QString& finish) {
    const ChosenPlayer chosen(model, finish, 0);
    return {chosen.model() == IvraModel::hd ? QStringLiteral("ivra hd")
                                            : QStringLiteral("ivra 4 \u00B7 8 \u00B7 16"),
            chosen.finish().name, chosen.finish().topColor()};
}

const QString presetHelp =
    QStringLiteral("Used for highlights, buttons, the mark at the top left and the light along the bottom.");

TEST(ThemeSettings, AccentHelpExplainsTheChoiceAndThePlayersColour) {
    struct Case {
        QString choice;
        PlayerLook player;
        QString help;
    };
    for (const Case& c : {
             Case{"lime", look("flash", "red"), presetHelp},
             Case{"teal", look("flash", "red"), presetHelp},
             Case{"cover", look("flash", "red"),
                  "Changes with the cover of each song you play. Magenta while nothing plays."},
             Case{"player", look("flash", "red"),
                  "Follows your ivra 4 \u00B7 8 \u00B7 16 in red. Change its colour under My Player \u203A "
                  "Settings."},
             Case{"player", look("flash", ""),
                  "Your ivra 4 \u00B7 8 \u00B7 16 is black, which has too little colour to pick things out "
                  "by, so "
                  "VELTO stays magenta. Pick another colour for it under My Player \u203A Settings."},
             Case{"player", look("hd", "platinum"),
                  "Your ivra hd is platinum, which has too little colour to pick things out by, so VELTO "
                  "stays "
                  "magenta. Pick another colour for it under My Player \u203A Settings."},
         })
        EXPECT_EQ(ThemeSettings::accentHelp(c.choice, c.player), c.help) << c.choice.toStdString();
}

TEST(ThemeSettings, ThePlayerChipTakesThePlayersAccentElseMagenta) {
    EXPECT_EQ(ThemeSettings::playerSwatch(look("flash", "").top), Accent::magenta());
    EXPECT_EQ(ThemeSettings::playerSwatch(look("hd", "platinum").top), Accent::magenta());
    const QColor red = look("flash", "red").top;
    ASSERT_TRUE(AccentStore::accentFor(red));
    EXPECT_EQ(ThemeSettings::playerSwatch(red), *AccentStore::accentFor(red));
    EXPECT_NE(ThemeSettings::playerSwatch(red), Accent::magenta());
}

TEST(ThemeSettings, TheCoverSweepRunsClockwiseOnScreen) {
    // A conical gradient's angle grows counter-clockwise on screen, so the stop just past 0 must be the last
    // colour of the clockwise sweep (violet), and the one just before 1 the second (orange).
    const QVariantList stops = ThemeSettings::coverStops();
    ASSERT_EQ(stops.size(), 7);
    const auto at = [&](int i) { return stops[i].toMap(); };
    EXPECT_EQ(at(0).value("position").toDouble(), 0.0);
    EXPECT_EQ(at(6).value("position").toDouble(), 1.0);
    EXPECT_EQ(at(0).value("color").value<QColor>(), QColor(0xEC008C));
    EXPECT_EQ(at(1).value("color").value<QColor>(), QColor(0x8E44AD));
    EXPECT_EQ(at(5).value("color").value<QColor>(), QColor(0xF7941D));
    for (int i = 1; i < 7; ++i)
        EXPECT_GT(at(i).value("position").toDouble(), at(i - 1).value("position").toDouble());
}

TEST(ThemeSettings, TheLightHelpFollowsTheSwitch) {
    EXPECT_EQ(ThemeSettings::lightHelp(true), "The band of light moves with the music.");
    EXPECT_EQ(ThemeSettings::lightHelp(false), "The band of light stays still.");
    EXPECT_EQ(ThemeSettings::appearanceOptions().front().toMap().value("label").toString(), "as my system");
}

} // namespace
