#include "playback/ListeningLog.h"
#include "core/DataFolder.h"
#include "support/TestHome.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {
Listen listenNumber(int n) {
    return Listen{QStringLiteral("/music/%1.flac").arg(n),
                  QStringLiteral("Artist"),
                  Date{700000000.123456 + n},
                  n * 0.25,
                  200.5,
                  n % 2 == 0};
}
QString logPath() {
    return DataFolder::file("listening.json");
}
} // namespace

TEST(ListeningLog, RoundTripsEveryFieldExactly) {
    TestHome home;
    {
        ListeningLog log;
        log.record(listenNumber(1));
        log.record(listenNumber(2));
    }
    ListeningLog again;
    EXPECT_EQ(again.listens(), (QList<Listen>{listenNumber(1), listenNumber(2)}));
}

TEST(ListeningLog, KeepsTheNewestFiveThousand) {
    TestHome home;
    QList<Listen> full;
    for (int i = 0; i < 5000; ++i)
        full.append(listenNumber(i));
    {
        ListeningLog log;
        log.setListens(full);
        log.record(listenNumber(5000));
        EXPECT_EQ(log.listens().size(), 5000);
        EXPECT_EQ(log.listens().first(), listenNumber(1));
        EXPECT_EQ(log.listens().last(), listenNumber(5000));
    }
    EXPECT_EQ(ListeningLog().listens().size(), 5000);
}

TEST(ListeningLog, MalformedEntriesCostOnlyThemselves) {
    TestHome home;
    QJsonArray array{listenNumber(1).toJson(), listenNumber(2).toJson()};
    QJsonObject noMix = listenNumber(3).toJson();
    noMix.remove("mix");
    QJsonObject wrongType = listenNumber(4).toJson();
    wrongType["seconds"] = "12";
    QJsonObject extra = listenNumber(5).toJson();
    extra["rating"] = 5;
    array.insert(1, noMix);
    array.append(wrongType);
    array.append(42);
    array.append(extra);

    const QByteArray original = QJsonDocument(array).toJson();
    TestHome::writeFile(logPath(), original);

    ListeningLog log;
    EXPECT_EQ(log.listens(), (QList<Listen>{listenNumber(1), listenNumber(2), listenNumber(5)}));

    // The save that drops the malformed entries keeps a copy of the file as it was, once.
    log.record(listenNumber(6));
    log.record(listenNumber(7));
    const QStringList aside = QDir(DataFolder::path()).entryList({"listening.json.unreadable-*"});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(TestHome::readFile(DataFolder::file(aside.first())), original);
    EXPECT_EQ(ListeningLog().listens(), (QList<Listen>{listenNumber(1), listenNumber(2), listenNumber(5),
                                                       listenNumber(6), listenNumber(7)}));
}

TEST(ListeningLog, AWellFormedFileIsRewrittenWithoutACopy) {
    TestHome home;
    TestHome::writeFile(logPath(), QJsonDocument(QJsonArray{listenNumber(1).toJson()}).toJson());
    ListeningLog log;
    log.record(listenNumber(2));
    EXPECT_TRUE(QDir(DataFolder::path()).entryList({"listening.json.unreadable-*"}).isEmpty());
    EXPECT_EQ(ListeningLog().listens(), (QList<Listen>{listenNumber(1), listenNumber(2)}));
}

TEST(ListeningLog, UnreadableFileIsSetAsideBeforeTheFirstSave) {
    for (const QByteArray& bytes : {QByteArray("{\"path\": \"/a.mp3\"}"), QByteArray("[{\"path\": ")}) {
        TestHome home;
        TestHome::writeFile(logPath(), bytes);
        ListeningLog log;
        EXPECT_TRUE(log.listens().isEmpty());
        log.record(listenNumber(1));
        const QStringList aside = QDir(DataFolder::path()).entryList({"listening.json.unreadable-*"});
        ASSERT_EQ(aside.size(), 1) << bytes.constData();
        EXPECT_EQ(TestHome::readFile(DataFolder::file(aside.first())), bytes);
        EXPECT_EQ(ListeningLog().listens(), QList<Listen>{listenNumber(1)});
    }
}

TEST(ListeningLog, FailedWriteKeepsTheLogInMemory) {
    TestHome home;
    // A folder where the file should be: the write fails, the entry stays.
    QDir().mkpath(logPath());
    ListeningLog log;
    log.record(listenNumber(1));
    EXPECT_EQ(log.listens().size(), 1);
}
