#include "core/Defaults.h"
#include "pocketplayer/IvraModel.h"
#include "support/TestHome.h"

#include <gtest/gtest.h>

struct StoredCase {
    const char* model;
    const char* finish;
    int capacity;
    IvraModel wantModel;
    const char* wantFinish;
    quint32 wantTop;
    int wantCapacity;
};

class ChosenPlayerFromSettings : public ::testing::TestWithParam<StoredCase> {};

TEST_P(ChosenPlayerFromSettings, SettlesOnTheModelsOwnFinishAndSize) {
    const auto& c = GetParam();
    const ChosenPlayer p(QString::fromUtf8(c.model), QString::fromUtf8(c.finish), c.capacity);
    EXPECT_EQ(p.model(), c.wantModel);
    EXPECT_EQ(p.finish().name, QString::fromUtf8(c.wantFinish));
    EXPECT_EQ(p.finish().top, c.wantTop);
    EXPECT_EQ(p.capacity(), c.wantCapacity);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChosenPlayerFromSettings,
    ::testing::Values(StoredCase{"flash", "", 0, IvraModel::flash, "black", 0x303033, 4}, // the stored defaults
                      StoredCase{"HD", "red", 8, IvraModel::flash, "red", 0xD62A33, 8},
                      StoredCase{" hd", "pink", 16, IvraModel::flash, "pink", 0xE86AA3, 16},
                      StoredCase{"flashy", "blue", 4, IvraModel::flash, "blue", 0x4F7DC4, 4},
                      StoredCase{"flash", "platinum", 32, IvraModel::flash, "black", 0x303033, 4},
                      StoredCase{"hd", "red", 16, IvraModel::hd, "red", 0xC9333B, 16}, // not the flash red
                      StoredCase{"hd", "Red", -5, IvraModel::hd, "black", 0x45454A, 16},
                      StoredCase{"hd", "platinum", 64, IvraModel::hd, "platinum", 0xD8D7D2, 64}));

TEST(IvraModel, RawValuesNamesAndSignatures) {
    EXPECT_EQ(Ivra::modelFromRaw(QStringLiteral("hd")), IvraModel::hd);
    EXPECT_EQ(Ivra::modelFromRaw(QStringLiteral("flash")), IvraModel::flash);
    EXPECT_FALSE(Ivra::modelFromRaw(QStringLiteral("Flash")).has_value());
    EXPECT_EQ(Ivra::name(IvraModel::hd, 64), QStringLiteral("ivra hd 64"));
    EXPECT_EQ(Ivra::name(IvraModel::flash, 16), QStringLiteral("ivra 16"));

    const IvraFinish flashSignature = Ivra::signature(IvraModel::flash);
    EXPECT_EQ(flashSignature, Ivra::finishes(IvraModel::flash).at(3));
    EXPECT_EQ(flashSignature.top, 0xD62A33u);
    const IvraFinish hdSignature = Ivra::signature(IvraModel::hd);
    EXPECT_EQ(hdSignature, Ivra::finishes(IvraModel::hd).at(1));
    EXPECT_TRUE(hdSignature.light);

    // Only platinum is pale, and the two reds differ.
    int light = 0;
    for (IvraModel m : Ivra::allModels())
        for (const auto& f : Ivra::finishes(m)) light += f.light;
    EXPECT_EQ(light, 1);
    EXPECT_NE(Ivra::finishes(IvraModel::flash).at(3), Ivra::finishes(IvraModel::hd).at(2));
    EXPECT_EQ(Ivra::finishes(IvraModel::flash).size(), 5);
    EXPECT_EQ(Ivra::finishes(IvraModel::hd).size(), 7);
}

TEST(ChosenPlayer, ReadsTheStoredSettings) {
    TestHome home;
    Defaults defaults;
    EXPECT_EQ(ChosenPlayer::stored(defaults), ChosenPlayer(QStringLiteral("flash"), QString(), 0));
    defaults.set(QStringLiteral("player.model"), QStringLiteral("hd"));
    defaults.set(QStringLiteral("player.finish"), QStringLiteral("magenta"));
    defaults.set(QStringLiteral("player.capacity"), 32);
    const ChosenPlayer p = ChosenPlayer::stored(defaults);
    EXPECT_EQ(p.model(), IvraModel::hd);
    EXPECT_EQ(p.finish().top, 0xCC4A92u);
    EXPECT_EQ(p.capacity(), 32);
    // A capacity that is not a number, or absurdly large, means the smallest size.
    defaults.set(QStringLiteral("player.capacity"), 1e300);
    EXPECT_EQ(ChosenPlayer::stored(defaults).capacity(), 16);
    defaults.set(QStringLiteral("player.capacity"), QStringLiteral("32"));
    EXPECT_EQ(ChosenPlayer::stored(defaults).capacity(), 16);
}
