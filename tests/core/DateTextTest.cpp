#include "core/Date.h"
#include "core/Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

TEST(Date, RoundTripsExactlyThroughJsonText) {
    // Values with long fractions and large magnitudes must read back bit-for-bit: the rescan compares
    // modification dates for equality.
    const double samples[] = {0.0,   1.0 / 3.0,        786297600.123456789,
                              -1e-9, 8.5e8 + 0.000001, Date::distantPastSeconds};
    for (double s : samples) {
        QJsonArray a{Date{s}.toJson()};
        const QByteArray text = QJsonDocument(a).toJson(QJsonDocument::Compact);
        const auto back = Date::fromJson(QJsonDocument::fromJson(text).array().at(0));
        ASSERT_TRUE(back.has_value()) << text.constData();
        EXPECT_EQ(back->seconds, s) << text.constData();
    }
    EXPECT_FALSE(Date::fromJson(QJsonValue(QStringLiteral("2001"))).has_value());
}

TEST(Date, ReferenceAndUnixAgree) {
    EXPECT_EQ(Date::fromUnix(978307200.0).seconds, 0.0);
    EXPECT_EQ(Date::fromUnix(qint64(978307201), qint64(500000000)).seconds, 1.5);
    EXPECT_LT(Date::distantPast(), Date{0});
    EXPECT_GT(Date::now().seconds, 8e8); // after 2026
}

TEST(Text, LowerIsLocaleFree) {
    EXPECT_EQ(Text::lower(QStringLiteral("ÉLAN Ǆ")), QStringLiteral("élan ǆ"));
    EXPECT_EQ(Text::lower(QStringLiteral("IRMAK")), QStringLiteral("irmak")); // not the Turkish dotless i
}

struct PlainCase {
    const char16_t* a;
    const char16_t* b;
    int sign;
};

class PlainOrder : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainOrder, ComparesNfcScalars) {
    const auto& c = GetParam();
    const int r = Text::plainCompare(QString::fromUtf16(c.a), QString::fromUtf16(c.b));
    EXPECT_EQ((r > 0) - (r < 0), c.sign);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlainOrder,
                         ::testing::Values(PlainCase{u"a", u"b", -1},
                                           PlainCase{u"B", u"a", -1}, // case-sensitive
                                           PlainCase{u"abc", u"ab", 1},
                                           PlainCase{u"e\u0301", u"\u00e9", 0}, // decomposed equals composed
                                           // U+1F600 (surrogates D83D..) sorts after U+FF21 by scalar value,
                                           // though its UTF-16 units are smaller.
                                           PlainCase{u"\U0001F600", u"\uFF21", 1}));

TEST(Text, TrimsUnicodeWhiteSpace) {
    EXPECT_EQ(Text::trimmed(QStringLiteral("\u00a0 \t key\n\u2003")), QStringLiteral("key"));
}

TEST(Text, LocalizedOrderIgnoresCaseAndReadsNumbersInAnyLocale) {
    // The test runs under whatever LANG the machine has, C included.
    EXPECT_LT(Text::localizedCompare(QStringLiteral("a9"), QStringLiteral("a10")), 0);
    EXPECT_LT(Text::localizedCompare(QStringLiteral("apple"), QStringLiteral("Banana")), 0);
    EXPECT_EQ(Text::localizedCompare(QStringLiteral("ABBA"), QStringLiteral("abba")), 0);
}
