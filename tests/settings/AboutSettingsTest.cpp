#include "settings/AboutSettings.h"

#include "core/Defaults.h"
#include "library/PlaylistLibrary.h"
#include "platform/gst/FakeMediaBackend.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/CommandTable.h"
#include "support/PrivateBus.h"
#include "support/TestHome.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QKeySequence>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(AboutSettings, VersionLineWithUnknownsAsQuestionMarks) {
    EXPECT_EQ(AboutSettings::versionLine("1.2", "34"), "version 1.2, build 34");
    EXPECT_EQ(AboutSettings::versionLine("1.2", ""), "version 1.2, build ?");
    EXPECT_EQ(AboutSettings::versionLine("", ""), "version ?, build ?");
}

TEST(AboutSettings, HomeIsATildeOnlyAtOrUnderIt) {
    struct Case {
        const char* path;
        const char* home;
        const char* shown;
    };
    for (const Case& c :
         {Case{"/home/anna/.local/share/VELTO", "/home/anna", "~/.local/share/VELTO"},
          Case{"/home/anna", "/home/anna/", "~"}, Case{"/home/anna/x", "/home/ann", "/home/anna/x"},
          Case{"/srv/VELTO", "/home/anna", "/srv/VELTO"}, Case{"/srv/VELTO", "/", "/srv/VELTO"}})
        EXPECT_EQ(AboutSettings::tildePath(c.path, c.home), c.shown) << c.path << " " << c.home;
}

// A file manager on the bus that records what it was asked to show.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public slots:
    void ShowItems(const QStringList& uris, const QString&) { shown += uris; }
};

TEST(AboutSettings, ShowInFilesAsksTheFileManagerElseOpensTheFolder) {
    ASSERT_TRUE(usePrivateBus());
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.isConnected());
    QList<QUrl> opened;
    const auto open = [&](const QUrl& url) {
        opened.append(url);
        return true;
    };
    const QString folder = QStringLiteral("/home/anna/.local/share/VELTO");

    // Nobody owns the name: the folder opens.
    AboutSettings::reveal(folder, bus, open);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, 5000));
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(folder)});

    // A file manager of its own connection, as a desktop's would be.
    QDBusConnection managerBus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-file-manager");
    FakeFileManager manager;
    ASSERT_TRUE(managerBus.registerObject("/org/freedesktop/FileManager1", &manager,
                                          QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(managerBus.registerService("org.freedesktop.FileManager1"));
    opened.clear();
    AboutSettings::reveal(folder, bus, open);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !manager.shown.isEmpty(); }, 5000));
    EXPECT_EQ(manager.shown, QStringList{"file:///home/anna/.local/share/VELTO"});
    QTest::qWait(100);
    EXPECT_TRUE(opened.isEmpty());
    managerBus.unregisterService("org.freedesktop.FileManager1");
    QDBusConnection::disconnectFromBus("fake-file-manager");
}

TEST(AboutSettings, ShortcutPiecesSplitAtSpacesWithWordsBetweenCaps) {
    using P = ShortcutPiece;
    EXPECT_EQ(AboutSettings::pieces("Page_Up Page_Down"),
              (QList<P>{{"Page Up", false}, {"Page Down", false}}));
    EXPECT_EQ(AboutSettings::pieces("Space or Ctrl+P"),
              (QList<P>{{"Space", false}, {"or", true}, {"Ctrl+P", false}}));
    EXPECT_EQ(AboutSettings::pieces("A to Z"), (QList<P>{{"A", false}, {"to", true}, {"Z", false}}));
    EXPECT_EQ(AboutSettings::pieces("a  b"), (QList<P>{{"a", false}, {"b", false}}));
    EXPECT_EQ(AboutSettings::spoken("Page_Up Page_Down"), "Page Up Page Down");
}

TEST(AboutSettings, TheTableShowsTheShortcutsTheCommandsAreBoundTo) {
    const QList<ShortcutGroup>& groups = AboutSettings::shortcuts();
    QStringList names;
    qsizetype entries = 0;
    for (const ShortcutGroup& g : groups) {
        names.append(g.group);
        entries += g.entries.size();
    }
    EXPECT_EQ(names, (QStringList{"anywhere", "collection", "quickplay", "now playing", "music"}));
    EXPECT_EQ(entries, 25);

    TestHome home;
    Defaults defaults;
    FakeMediaBackend backend;
    auto library = libraryWith(defaults, {});
    Player player(defaults, backend);
    AppModel app(defaults);
    CommandTable commands(app, player, *library);
    QSet<QKeySequence> bound;
    for (const CommandTable::Command& c : commands.commands())
        if (!c.shortcut.isEmpty()) bound.insert(c.shortcut);

    // The arrows are drawn as arrows; the command table names them.
    const QHash<QString, QString> arrows{
        {"\u2190", "Left"}, {"\u2192", "Right"}, {"\u2191", "Up"}, {"\u2193", "Down"}};
    int ctrl = 0;
    for (const ShortcutGroup& g : groups)
        for (const ShortcutEntry& e : g.entries)
            for (const ShortcutPiece& p : AboutSettings::pieces(e.keys)) {
                if (!p.text.startsWith(QLatin1String("Ctrl+"))) continue;
                QString text = p.text;
                for (auto it = arrows.cbegin(); it != arrows.cend(); ++it)
                    text.replace(it.key(), it.value());
                // "Ctrl+1 to Ctrl+4" spans the bindings between; its ends are bindings themselves.
                EXPECT_TRUE(bound.contains(QKeySequence::fromString(text, QKeySequence::PortableText)))
                    << p.text.toStdString();
                ++ctrl;
            }
    EXPECT_EQ(ctrl, 20);
}

} // namespace

#include "AboutSettingsTest.moc"
