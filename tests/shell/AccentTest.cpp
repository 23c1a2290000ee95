#include "core/Defaults.h"
#include "shell/look/AccentStore.h"
#include "shell/look/ColorMath.h"
#include "support/TestHome.h"

#include <QPromise>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
double sat(const QColor& c) { return ColorMath::hsb(c).s; }
double bri(const QColor& c) { return ColorMath::hsb(c).b; }
double hue(const QColor& c) { return ColorMath::hsb(c).h; }
constexpr double eps = 2e-3; // colours keep 16 bits a channel
} // namespace

TEST(Accent, DerivedFromAPaleDarkBase) {
    const Accent a = Accent::around(ColorMath::fromHsb(0.5, 0.3, 0.5));
    EXPECT_NEAR(sat(a.from), 0.65, eps);
    EXPECT_NEAR(bri(a.from), 0.8, eps);
    EXPECT_NEAR(sat(a.text), 0.6, eps);
    EXPECT_NEAR(bri(a.text), 1.0, eps);
    EXPECT_NEAR(sat(a.textOnLight), 0.75, eps);
    EXPECT_NEAR(bri(a.textOnLight), 0.62, eps);
    // Without a second colour `to` turns the hue a little.
    EXPECT_NEAR(hue(a.to), 0.57, eps);
    EXPECT_NEAR(sat(a.to), 0.9 * 0.65, eps);
    EXPECT_NEAR(bri(a.to), 0.97, eps);
}

TEST(Accent, HuesWrapAndASecondColourMakesTheOtherEnd) {
    const Accent a = Accent::around(ColorMath::fromHsb(0.97, 0.9, 0.95), ColorMath::fromHsb(0.3, 0.2, 0.4));
    EXPECT_NEAR(hue(a.foot), 0.99, eps);
    EXPECT_NEAR(hue(a.hot), 0.01, eps);
    EXPECT_NEAR(sat(a.from), 0.9, eps); // a saturated base keeps its saturation
    EXPECT_NEAR(hue(a.to), 0.3, eps);
    EXPECT_NEAR(sat(a.to), 0.6, eps);
    EXPECT_NEAR(bri(a.to), 0.9, eps);
    // A grey has no hue: it reads as red's.
    EXPECT_NEAR(hue(Accent::around(ColorMath::rgb(0x777777)).glow), 0, eps);
}

TEST(Accent, ChoicesPresetsAndPlayerColours) {
    EXPECT_EQ(AccentChoices::all().size(), 8);
    EXPECT_EQ(AccentChoices::fromRaw(QStringLiteral("sky")), AccentChoice::sky);
    EXPECT_FALSE(AccentChoices::fromRaw(QStringLiteral("Sky")).has_value());
    EXPECT_EQ(AccentChoices::name(AccentChoice::player), QStringLiteral("my ivra"));
    EXPECT_EQ(AccentChoices::name(AccentChoice::cover), QStringLiteral("what's playing"));
    EXPECT_EQ(AccentChoices::name(AccentChoice::gold), QStringLiteral("gold"));
    EXPECT_FALSE(AccentChoices::preset(AccentChoice::cover).has_value());
    EXPECT_EQ(AccentChoices::preset(AccentChoice::lime)->textOnLight, ColorMath::rgb(0x3F7A12));
    EXPECT_EQ(Accent::magenta().from, ColorMath::rgb(0xEC008C));

    // Black, white and grey finishes give no accent; a coloured one does.
    EXPECT_FALSE(AccentStore::accentFor(ColorMath::rgb(0x303033)).has_value());
    EXPECT_FALSE(AccentStore::accentFor(ColorMath::rgb(0xD8D7D2)).has_value());
    const auto red = AccentStore::accentFor(ColorMath::rgb(0xD62A33));
    ASSERT_TRUE(red.has_value());
    EXPECT_EQ(*red, Accent::around(ColorMath::rgb(0xD62A33)));

    EXPECT_TRUE(AppearanceChoice::isDark(QStringLiteral("dark"), false));
    EXPECT_FALSE(AppearanceChoice::isDark(QStringLiteral("light"), true));
    EXPECT_TRUE(AppearanceChoice::isDark(QStringLiteral("system"), true));
    EXPECT_FALSE(AppearanceChoice::isDark(QStringLiteral("Dark"), false)); // unknown text follows the system
}

class AccentStoreTest : public ::testing::Test {
protected:
    // Cover colours that arrive only when the test says so.
    AccentStore::CoverColors slowCovers() {
        return [this](const QUrl& url) {
            auto promise = std::make_shared<QPromise<QList<QColor>>>();
            promise->start();
            pending.append({url, promise});
            return promise->future();
        };
    }
    void deliver(int i, QList<QColor> colors) {
        pending[i].second->addResult(colors);
        pending[i].second->finish();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    TestHome home;
    Defaults defaults;
    QList<std::pair<QUrl, std::shared_ptr<QPromise<QList<QColor>>>>> pending;
};

TEST_F(AccentStoreTest, StartsWithTheStoredPresetOrMagenta) {
    EXPECT_EQ(AccentStore(defaults).accent(), Accent::magenta());
    defaults.set(QStringLiteral("accent"), QStringLiteral("violet"));
    EXPECT_EQ(AccentStore(defaults).accent(), *AccentChoices::preset(AccentChoice::violet));
    EXPECT_EQ(AccentStore(defaults).drawn(), *AccentChoices::preset(AccentChoice::violet)); // no fade at start
    defaults.set(QStringLiteral("accent"), QStringLiteral("cover"));
    EXPECT_EQ(AccentStore(defaults).accent(), Accent::magenta());
}

TEST_F(AccentStoreTest, PresetsPlayerColoursAndNoNoiseForTheSameAccent) {
    AccentStore store(defaults);
    QSignalSpy changed(&store, &AccentStore::accentChanged);
    store.update(AccentChoice::magenta, {}, {});
    EXPECT_EQ(changed.count(), 0);
    store.update(AccentChoice::ember, {}, {});
    store.update(AccentChoice::ember, {}, {});
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(store.accent(), *AccentChoices::preset(AccentChoice::ember));

    store.update(AccentChoice::player, ColorMath::rgb(0x45454A), {}); // grey finish
    EXPECT_EQ(store.accent(), Accent::magenta());
    store.update(AccentChoice::player, ColorMath::rgb(0x4C7EC2), {});
    EXPECT_EQ(store.accent(), Accent::around(ColorMath::rgb(0x4C7EC2)));
    store.update(QStringLiteral("no such accent"), {}, {});
    EXPECT_EQ(store.accent(), Accent::magenta());
}

TEST_F(AccentStoreTest, DrawnAccentFadesToTheNewOne) {
    AccentStore store(defaults);
    store.update(AccentChoice::sky, {}, {});
    EXPECT_EQ(store.accent(), *AccentChoices::preset(AccentChoice::sky));
    EXPECT_EQ(store.drawn(), Accent::magenta()); // the fade has not drawn a frame yet
    QTest::qWait(150);
    EXPECT_NE(store.drawn(), Accent::magenta());
    EXPECT_NE(store.drawn(), store.accent());
    EXPECT_TRUE(QTest::qWaitFor([&] { return store.drawn() == store.accent(); }, 2000));
}

TEST_F(AccentStoreTest, CoverColoursAndStaleResults) {
    AccentStore store(defaults, slowCovers());
    const QUrl first(QStringLiteral("velto-art:/a")), second(QStringLiteral("velto-art:/b"));
    const QColor c1 = ColorMath::rgb(0x2060C0), c2 = ColorMath::rgb(0xC0A020);

    // The first cover is still being read when the song changes: its late answer is dropped.
    store.update(AccentChoice::cover, {}, first);
    store.update(AccentChoice::cover, {}, second);
    ASSERT_EQ(pending.size(), 2);
    deliver(0, {c2, c1});
    EXPECT_EQ(store.accent(), Accent::magenta());
    deliver(1, {c1, c2});
    EXPECT_EQ(store.accent(), Accent::around(c1, c2));

    // Cancelled: dropped too.
    store.update(AccentChoice::cover, {}, first);
    store.cancel();
    deliver(2, {c2, c1});
    EXPECT_EQ(store.accent(), Accent::around(c1, c2));

    // No colours, or nothing playing: magenta.
    store.update(AccentChoice::cover, {}, second);
    deliver(3, {});
    EXPECT_EQ(store.accent(), Accent::magenta());
    store.update(AccentChoice::gold, {}, {});
    store.update(AccentChoice::cover, {}, QUrl());
    EXPECT_EQ(store.accent(), Accent::magenta());
    EXPECT_EQ(pending.size(), 4);
}
