#include "LastFMTestPrinters.h"
#include "playback/LastFMStore.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {

QJsonObject object(const char* json) {
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

QJsonObject tagAnswer(const QString& itemsJson) {
    return QJsonDocument::fromJson(QStringLiteral(R"({"toptags":{"tag":[%1]}})").arg(itemsJson).toUtf8())
        .object();
}

} // namespace

TEST(LastFMAnswers, SimilarReadsMatchesAndKeepsTheLargerOfDuplicates) {
    const QHash<QString, double> similar = LastFMStore::similar(object(R"({"similarartists":{"artist":[
        {"name":"Text Match","match":"0.85"},
        {"name":"Number","match":1},
        {"name":"No Match"},
        {"name":"Word Match","match":"high"},
        {"name":"Padded Match","match":" 0.5"},
        {"name":"Dup","match":0.2}, {"name":"DUP","match":"0.7"}, {"name":"dup","match":0.1},
        {"match":0.9}, {"name":7,"match":0.9}, "not an object",
        {"name":" Spaced ","match":0.3}
    ]}})"));
    const QHash<QString, double> expected{
        {QStringLiteral("text match"), 0.85},  {QStringLiteral("number"), 1.0},
        {QStringLiteral("no match"), 0.0},     {QStringLiteral("word match"), 0.0},
        {QStringLiteral("padded match"), 0.0}, {QStringLiteral("dup"), 0.7},
        {QStringLiteral(" spaced "), 0.3},
    };
    EXPECT_EQ(similar, expected);
}

TEST(LastFMAnswers, AnswersOfAnotherShapeGiveNothing) {
    for (const char* json :
         {R"({})", R"({"similarartists":[]})", R"({"similarartists":{"artist":{"name":"A"}}})",
          R"({"similarartists":{"artists":[{"name":"A"}]}})"})
        EXPECT_TRUE(LastFMStore::similar(object(json)).isEmpty()) << json;
    for (const char* json :
         {R"({})", R"({"toptags":"rock"})", R"({"toptags":{"tag":{"name":"rock","count":50}}})"})
        EXPECT_TRUE(LastFMStore::tags(object(json), QStringLiteral("X")).isEmpty()) << json;
}

struct TagCase {
    const char* item;
    const char* kept; // nullptr when the tag is dropped
};
void PrintTo(const TagCase& c, std::ostream* os) {
    *os << c.item;
}

class LastFMTagFilter : public ::testing::TestWithParam<TagCase> {};

TEST_P(LastFMTagFilter, KeepsOnlyTagsThatDescribeTheSound) {
    const TagCase c = GetParam();
    const QStringList tags =
        LastFMStore::tags(tagAnswer(QString::fromUtf8(c.item)), QStringLiteral("The Band"));
    if (c.kept)
        EXPECT_EQ(tags, QStringList{QString::fromUtf8(c.kept)}) << c.item;
    else
        EXPECT_TRUE(tags.isEmpty()) << c.item << " gave " << tags.join(u',').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, LastFMTagFilter,
                         ::testing::Values(TagCase{R"({"name":"Rock","count":100})", "rock"},
                                           TagCase{R"({"name":"Seen Live","count":100})", nullptr},
                                           TagCase{R"({"name":"FEMALE VOCALISTS","count":100})", nullptr},
                                           TagCase{R"({"name":"under 2000 listeners","count":100})", nullptr},
                                           TagCase{R"({"name":"80s","count":100})", nullptr},
                                           TagCase{R"({"name":"1990s","count":100})", nullptr},
                                           TagCase{R"({"name":"90's","count":100})", "90's"},
                                           TagCase{R"({"name":"199s","count":100})", "199s"},
                                           TagCase{R"({"name":"The BAND","count":100})", nullptr},
                                           TagCase{R"({"name":"rock","count":9})", nullptr},
                                           TagCase{R"({"name":"rock","count":10})", "rock"},
                                           TagCase{R"({"name":"rock","count":"12"})", "rock"},
                                           TagCase{R"({"name":"rock","count":"+12"})", "rock"},
                                           TagCase{R"({"name":"rock","count":"12.0"})", nullptr},
                                           TagCase{R"({"name":"rock","count":" 12"})", nullptr},
                                           TagCase{R"({"name":"rock","count":12.5})", nullptr},
                                           TagCase{R"({"name":"rock","count":true})", nullptr},
                                           TagCase{R"({"name":"rock"})", nullptr},
                                           TagCase{R"({"name":"  Post Rock\t","count":50})", "post rock"},
                                           TagCase{R"({"name":" seen live ","count":50})", nullptr},
                                           TagCase{R"({"name":"   ","count":50})", nullptr},
                                           TagCase{R"({"name":12,"count":50})", nullptr}));

TEST(LastFMAnswers, TagsKeepTheFirstEightInTheAnswersOrder) {
    QStringList items;
    for (int i = 1; i <= 12; ++i) {
        items << QStringLiteral(R"({"name":"tag %1","count":50})").arg(i);
        if (i == 2) items << QStringLiteral(R"({"name":"seen live","count":99})");
    }
    const QStringList tags = LastFMStore::tags(tagAnswer(items.join(u',')), QStringLiteral("X"));
    QStringList expected;
    for (int i = 1; i <= 8; ++i)
        expected << QStringLiteral("tag %1").arg(i);
    EXPECT_EQ(tags, expected);
}

struct AnswerCase {
    const char* body;
    std::optional<LastFMStore::LastFMError> error; // nullopt: the object is the answer
};
void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << c.body;
}

class LastFMAnswerBody : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(LastFMAnswerBody, ErrorsAreReadFromTheBody) {
    const AnswerCase c = GetParam();
    const LastFMStore::Answer answer = LastFMStore::readAnswer(QByteArray(c.body));
    if (c.error) {
        ASSERT_TRUE(std::holds_alternative<LastFMStore::LastFMError>(answer)) << c.body;
        EXPECT_EQ(std::get<LastFMStore::LastFMError>(answer), *c.error) << c.body;
    } else {
        ASSERT_TRUE(std::holds_alternative<QJsonObject>(answer)) << c.body;
        EXPECT_EQ(std::get<QJsonObject>(answer), object(c.body));
    }
}

using E = LastFMStore::LastFMError;
INSTANTIATE_TEST_SUITE_P(
    Cases, LastFMAnswerBody,
    ::testing::Values(
        AnswerCase{R"({"error":6,"message":"The artist you supplied could not be found"})", E::unknownArtist},
        AnswerCase{R"({"error":10,"message":"Invalid API key"})", E::badKey},
        AnswerCase{R"({"error":26})", E::badKey}, AnswerCase{R"({"error":29})", E::failed},
        AnswerCase{R"({"error":8,"similarartists":{}})", E::failed},
        AnswerCase{R"([{"error":10}])", E::failed}, AnswerCase{"<html>Bad Gateway</html>", E::failed},
        AnswerCase{"", E::failed}, AnswerCase{R"({"similarartists":{"artist":[)", E::failed},
        AnswerCase{R"({"error":"10","toptags":{}})", std::nullopt},
        AnswerCase{R"({"error":10.5})", std::nullopt}, AnswerCase{R"({"error":null})", std::nullopt},
        AnswerCase{R"({"toptags":{"tag":[]}})", std::nullopt}));
