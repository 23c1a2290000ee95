#include "CommandTable.h"

#include "AppModel.h"
#include "FrameRules.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"

#include <QVariantMap>
#include <algorithm>

namespace {
const QString file = QStringLiteral("File");
const QString playback = QStringLiteral("Playback");
const QString go = QStringLiteral("Go");

CommandTable::Command divider(const QString& menu) {
    CommandTable::Command c;
    c.menu = menu;
    c.divider = true;
    return c;
}

CommandTable::Command item(const QString& menu, const char* id, const QString& title,
                           const QKeySequence& keys, bool enabled = true,
                           std::optional<bool> checked = std::nullopt) {
    return CommandTable::Command{QString::fromLatin1(id), menu, title, keys, enabled, checked, false};
}

QKeySequence keys(QKeyCombination k) {
    return QKeySequence(k);
}
} // namespace

CommandTable::CommandTable(AppModel& app, Player& player, LibraryStore& library, QObject* parent)
    : QObject(parent), m_app(app), m_player(player), m_library(library) {
    // Titles, enabled and checked states follow these.
    for (auto signal : {&Player::isPlayingChanged, &Player::queueChanged, &Player::indexChanged,
                        &Player::likesChanged, &Player::shuffleChanged, &Player::repeatAllChanged})
        connect(&player, signal, this, &CommandTable::changed);
    connect(&app, &AppModel::mixviewChanged, this, &CommandTable::changed);
    connect(&app, &AppModel::canGoBackChanged, this, &CommandTable::changed);
}

QList<CommandTable::Command> CommandTable::commands() const {
    const std::optional<Song> current = m_player.current();
    const bool hasCurrent = current.has_value();
    const auto ctrl = Qt::ControlModifier;
    const auto ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
    return {
        item(file, "newPlaylist", QStringLiteral("New Playlist"), keys(ctrl | Qt::ShiftModifier | Qt::Key_N)),
        divider(file),
        item(file, "addMusic", QStringLiteral("Add Music…"), keys(ctrl | Qt::ShiftModifier | Qt::Key_O)),
        item(file, "chooseFolder", QStringLiteral("Choose Music Folder…"), keys(ctrl | Qt::Key_O)),
        item(file, "scan", QStringLiteral("Look for New Music"), keys(ctrl | Qt::Key_R)),
        divider(file),
        item(file, "settings", QStringLiteral("Settings…"), keys(ctrl | Qt::Key_Comma)),
        divider(file),
        item(file, "quit", QStringLiteral("Quit"), keys(ctrl | Qt::Key_Q)),

        item(playback, "toggle", m_player.isPlaying() ? QStringLiteral("Pause") : QStringLiteral("Play"),
             keys(ctrl | Qt::Key_P)),
        item(playback, "next", QStringLiteral("Next"), keys(ctrl | Qt::Key_Right)),
        item(playback, "previous", QStringLiteral("Previous"), keys(ctrl | Qt::Key_Left)),
        divider(playback),
        item(playback, "volumeUp", QStringLiteral("Volume Up"), keys(ctrl | Qt::Key_Up)),
        item(playback, "volumeDown", QStringLiteral("Volume Down"), keys(ctrl | Qt::Key_Down)),
        divider(playback),
        item(playback, "like",
             m_player.isLiked(current) ? QStringLiteral("Unlike Song") : QStringLiteral("Like Song"),
             keys(ctrl | Qt::Key_L), hasCurrent),
        item(playback, "shuffle", QStringLiteral("Shuffle"), keys(ctrlAlt | Qt::Key_S), true,
             m_player.shuffle()),
        item(playback, "repeat", QStringLiteral("Repeat"), keys(ctrlAlt | Qt::Key_R), true,
             m_player.repeatAll()),

        item(go, "back", QStringLiteral("Back"), keys(ctrl | Qt::Key_BracketLeft),
             FrameRules::backActive(m_app.mixview().has_value(), m_app.canGoBack())),
        divider(go),
        item(go, "quickplay", QStringLiteral("Quickplay"), keys(ctrl | Qt::Key_1)),
        item(go, "collection", QStringLiteral("Collection"), keys(ctrl | Qt::Key_2)),
        item(go, "playerSummary", QStringLiteral("My Player"), keys(ctrl | Qt::Key_3)),
        item(go, "nowPlaying", QStringLiteral("Now Playing"), keys(ctrl | Qt::Key_0), hasCurrent),
        divider(go),
        item(go, "artists", QStringLiteral("Artists"), keys(ctrlAlt | Qt::Key_1)),
        item(go, "albums", QStringLiteral("Albums"), keys(ctrlAlt | Qt::Key_2)),
        item(go, "songs", QStringLiteral("Songs"), keys(ctrlAlt | Qt::Key_3)),
        item(go, "playlists", QStringLiteral("Playlists"), keys(ctrlAlt | Qt::Key_4)),
    };
}

std::optional<CommandTable::Command> CommandTable::command(const QString& id) const {
    for (const Command& c : commands())
        if (!c.divider && c.id == id) return c;
    return std::nullopt;
}

QVariantList CommandTable::menus() const {
    QVariantList out;
    QString menu;
    QVariantList items;
    auto flush = [&] {
        if (!menu.isEmpty())
            out.append(QVariantMap{{QStringLiteral("title"), menu}, {QStringLiteral("items"), items}});
        items.clear();
    };
    for (const Command& c : commands()) {
        if (c.menu != menu) {
            flush();
            menu = c.menu;
        }
        items.append(
            QVariantMap{{QStringLiteral("id"), c.id},
                        {QStringLiteral("title"), c.title},
                        {QStringLiteral("shortcut"), c.shortcut.toString(QKeySequence::PortableText)},
                        {QStringLiteral("shortcutText"), c.shortcut.toString(QKeySequence::NativeText)},
                        {QStringLiteral("enabled"), c.enabled},
                        {QStringLiteral("checkable"), c.checked.has_value()},
                        {QStringLiteral("checked"), c.checked.value_or(false)},
                        {QStringLiteral("divider"), c.divider}});
    }
    flush();
    return out;
}

bool CommandTable::trigger(const QString& id) {
    const auto c = command(id);
    if (!c || !c->enabled) return false;
    run(id);
    return true;
}

void CommandTable::changeSection(int section) {
    m_app.setCollectionTamsk(CollectionTamsk(section), true);
    m_app.go(Page::collection);
}

void CommandTable::run(const QString& id) {
    if (id == QLatin1String("toggle")) return m_player.toggle();
    if (id == QLatin1String("next")) return m_player.next(false);
    if (id == QLatin1String("previous")) return m_player.previous();
    if (id == QLatin1String("volumeUp"))
        return m_player.setVolume(std::min(m_player.volume() + volumeStep, 1.0));
    if (id == QLatin1String("volumeDown")) {
        const double lower = m_player.volume() - volumeStep;
        return m_player.setVolume(lower < 0 ? 0.0 : lower);
    }
    if (id == QLatin1String("like")) return m_player.toggleLike(m_player.current());
    if (id == QLatin1String("shuffle")) return m_player.setShuffle(!m_player.shuffle());
    if (id == QLatin1String("repeat")) return m_player.setRepeatAll(!m_player.repeatAll());
    if (id == QLatin1String("back")) return m_app.back();
    if (id == QLatin1String("quickplay")) return m_app.go(Page::quickplay);
    if (id == QLatin1String("collection")) return m_app.go(Page::collection);
    if (id == QLatin1String("playerSummary")) return m_app.go(Page::playerSummary);
    if (id == QLatin1String("nowPlaying")) {
        if (m_player.current()) m_app.go(Page::nowPlaying);
        return;
    }
    if (id == QLatin1String("artists")) return changeSection(int(CollectionTamsk::artists));
    if (id == QLatin1String("albums")) return changeSection(int(CollectionTamsk::albums));
    if (id == QLatin1String("songs")) return changeSection(int(CollectionTamsk::songs));
    if (id == QLatin1String("playlists")) return changeSection(int(CollectionTamsk::playlists));
    if (id == QLatin1String("settings")) return m_app.go(Page::settings);
    if (id == QLatin1String("newPlaylist")) {
        changeSection(int(CollectionTamsk::playlists));
        m_app.setNamingNewPlaylist(true);
        return;
    }
    if (id == QLatin1String("addMusic")) return m_library.addMusic();
    if (id == QLatin1String("chooseFolder")) return m_library.chooseFolder();
    if (id == QLatin1String("scan")) return m_library.scan();
    if (id == QLatin1String("quit")) return emit quitRequested();
}
