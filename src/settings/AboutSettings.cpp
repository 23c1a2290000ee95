#include "AboutSettings.h"

#include "core/DataFolder.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#ifndef VELTO_VERSION
#define VELTO_VERSION ""
#endif
#ifndef VELTO_BUILD
#define VELTO_BUILD ""
#endif

QString AboutSettings::versionLine(const QString& version, const QString& build) {
    const auto orUnknown = [](const QString& s) { return s.isEmpty() ? QStringLiteral("?") : s; };
    return QStringLiteral("version ") + orUnknown(version) + QStringLiteral(", build ") + orUnknown(build);
}

QString AboutSettings::versionLine() const {
    return versionLine(QStringLiteral(VELTO_VERSION), QStringLiteral(VELTO_BUILD));
}

QString AboutSettings::tildePath(const QString& path, const QString& home) {
    const QString h = QDir::cleanPath(home);
    if (h.isEmpty() || h == QLatin1String("/")) return path;
    if (path == h) return QStringLiteral("~");
    if (path.startsWith(h + QLatin1Char('/'))) return QLatin1Char('~') + path.mid(h.size());
    return path;
}

QString AboutSettings::filesHelp() const {
    return QStringLiteral("Your library's details, playlists and artist pictures, kept in ") +
           tildePath(DataFolder::path(), QDir::homePath()) +
           QStringLiteral(". Your music files are never changed.");
}

const QList<ShortcutGroup>& AboutSettings::shortcuts() {
    // Spelled as the command table binds them on Linux; the page's own keys (arrows, Return, letters) as the
    // pages take them.
    static const QList<ShortcutGroup> table{
        {QStringLiteral("anywhere"),
         {{QStringLiteral("Space or Ctrl+P"), QStringLiteral("Play or pause")},
          {QStringLiteral("Ctrl+\u2190 Ctrl+\u2192"), QStringLiteral("Previous or next song")},
          {QStringLiteral("Ctrl+\u2191 Ctrl+\u2193"), QStringLiteral("Volume up or down")},
          {QStringLiteral("Ctrl+L"), QStringLiteral("Like the song")},
          {QStringLiteral("Ctrl+Alt+S"), QStringLiteral("Shuffle")},
          {QStringLiteral("Ctrl+Alt+R"), QStringLiteral("Repeat")},
          {QStringLiteral("Ctrl+1 Ctrl+2 Ctrl+3"), QStringLiteral("Quickplay, Collection, My Player")},
          {QStringLiteral("Ctrl+0"), QStringLiteral("Now Playing")},
          {QStringLiteral("Ctrl+[ or Esc"), QStringLiteral("Back")},
          {QStringLiteral("Ctrl+,"), QStringLiteral("Settings")}}},
        {QStringLiteral("collection"),
         {{QStringLiteral("Ctrl+Alt+1 to Ctrl+Alt+4"), QStringLiteral("Artists, Albums, Songs, Playlists")},
          {QStringLiteral("\u2190 \u2192 \u2191 \u2193"),
           QStringLiteral("Move through a column, and across to the next")},
          {QStringLiteral("A to Z"), QStringLiteral("Jump to the next name starting with it")},
          {QStringLiteral("Return"), QStringLiteral("Play")},
          {QStringLiteral("Page_Up Page_Down"), QStringLiteral("A page at a time")},
          {QStringLiteral("Ctrl+Shift+N"), QStringLiteral("New playlist")}}},
        {QStringLiteral("quickplay"),
         {{QStringLiteral("\u2190 \u2192"), QStringLiteral("Move between tiles")},
          {QStringLiteral("\u2191 \u2193"), QStringLiteral("Bring the other half forward")},
          {QStringLiteral("Return"), QStringLiteral("Play or open")}}},
        {QStringLiteral("now playing"),
         {{QStringLiteral("\u2190 \u2192"), QStringLiteral("Previous or next song")},
          {QStringLiteral("\u2191 \u2193"), QStringLiteral("Volume")},
          {QStringLiteral("Esc"), QStringLiteral("Back")}}},
        {QStringLiteral("music"),
         {{QStringLiteral("Ctrl+Shift+O"), QStringLiteral("Add music")},
          {QStringLiteral("Ctrl+O"), QStringLiteral("Choose the music folder")},
          {QStringLiteral("Ctrl+R"), QStringLiteral("Look for new music")}}},
    };
    return table;
}

QList<ShortcutPiece> AboutSettings::pieces(const QString& keys) {
    QList<ShortcutPiece> out;
    for (const QString& piece : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool word = piece == QLatin1String("or") || piece == QLatin1String("to");
        out.append({word ? piece : QString(piece).replace(QLatin1Char('_'), QLatin1Char(' ')), word});
    }
    return out;
}

QString AboutSettings::spoken(const QString& keys) {
    return QString(keys).replace(QLatin1Char('_'), QLatin1Char(' '));
}

QVariantList AboutSettings::shortcutGroups() {
    QVariantList groups;
    for (const ShortcutGroup& g : shortcuts()) {
        QVariantList entries;
        for (const ShortcutEntry& e : g.entries) {
            QVariantList drawn;
            for (const ShortcutPiece& p : pieces(e.keys))
                drawn.append(QVariantMap{{QStringLiteral("text"), p.text}, {QStringLiteral("word"), p.word}});
            entries.append(
                QVariantMap{{QStringLiteral("keys"), e.keys},
                            {QStringLiteral("what"), e.what},
                            {QStringLiteral("label"), spoken(e.keys) + QStringLiteral(": ") + e.what},
                            {QStringLiteral("pieces"), drawn}});
        }
        groups.append(QVariantMap{{QStringLiteral("group"), g.group}, {QStringLiteral("entries"), entries}});
    }
    return groups;
}

void AboutSettings::reveal(const QString& folder, const QDBusConnection& bus, std::function<bool(const QUrl&)> open) {
    const QUrl url = QUrl::fromLocalFile(folder);
    if (!bus.isConnected()) {
        if (open) open(url);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{url.toString(QUrl::FullyEncoded)} << QString();
    // With no file manager the bus answers at once that nobody owns the name.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [url, open = std::move(open)](QDBusPendingCallWatcher* w) {
                         if (w->isError() && open) open(url);
                         w->deleteLater();
                     });
}

void AboutSettings::showInFiles() const {
    const QString folder = DataFolder::path();
    QDir().mkpath(folder);
    reveal(folder, QDBusConnection::sessionBus(),
           [](const QUrl& url) { return QDesktopServices::openUrl(url); });
}
