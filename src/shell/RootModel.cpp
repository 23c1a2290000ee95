#include "RootModel.h"

#include "AppModel.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "look/Accent.h"
#include "look/AccentStore.h"
#include "platform/portal/SystemAppearance.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"

#include "core/SettingKeys.h"

#include <QFileInfo>
#include <algorithm>

namespace {
const QString accentSetting = QString::fromLatin1(SettingKeys::accent);
const QString appearanceSetting = QString::fromLatin1(SettingKeys::appearance);
const QString modelSetting = QString::fromLatin1(SettingKeys::playerModel);
const QString finishSetting = QString::fromLatin1(SettingKeys::playerFinish);
} // namespace

RootModel::RootModel(Defaults& defaults, AppModel& app, LibraryStore& library, Player& player,
                     LastFMStore& lastFM, AccentStore& accent, SystemAppearance& appearance,
                     PlayerLookup playerLookup, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_app(app), m_library(library), m_player(player),
      m_lastFM(lastFM), m_accent(accent), m_appearance(appearance), m_playerLookup(std::move(playerLookup)) {
    updateScheme();
    connect(&appearance, &SystemAppearance::isDarkChanged, this, &RootModel::updateScheme);
    connect(&defaults, &Defaults::changed, this, [this](const QString& key) {
        if (key == appearanceSetting) updateScheme();
        if (key == modelSetting || key == finishSetting) emit chosenPlayerChanged();
        if (m_following && (key == accentSetting || key == modelSetting || key == finishSetting))
            updateAccent();
    });
    connect(&library, &LibraryStore::folderChanged, this, &RootModel::dropSentenceChanged);
}

bool RootModel::isDarkScheme(const QString& appearance, bool systemIsDark) {
    return AppearanceChoice::isDark(appearance, systemIsDark);
}

void RootModel::updateScheme() {
    const bool dark = isDarkScheme(m_defaults.declared(appearanceSetting).toString(), m_appearance.isDark());
    if (dark == m_dark) return;
    m_dark = dark;
    emit darkChanged();
}

QString RootModel::dropSentence() const {
    return QStringLiteral("VELTO copies songs into ") + QFileInfo(m_library.folder().path).fileName() +
           QStringLiteral(", sorted by artist and album, and skips any it already has.");
}

PlayerLook RootModel::chosenPlayer() const {
    return m_playerLookup ? m_playerLookup(m_defaults) : PlayerLook{};
}

void RootModel::shown() {
    m_library.scan();
    if (m_following) return;
    m_following = true;
    refreshLastFM();
    updateAccent();
    connect(&m_library, &LibraryStore::artistsChanged, this, &RootModel::refreshLastFM);
    for (auto signal : {&Player::queueChanged, &Player::indexChanged})
        connect(&m_player, signal, this, &RootModel::updateAccent);
    connect(&m_library, &LibraryStore::songsChanged, this, &RootModel::remapQueue);
}

void RootModel::refreshLastFM() {
    const qsizetype count = m_library.artists().size();
    if (count == m_artistCount) return;
    m_artistCount = count;
    QStringList names;
    names.reserve(count);
    for (const Artist& a : m_library.artists())
        names.append(a.name);
    m_lastFM.refresh(names, false);
}

QString RootModel::accentKey() const {
    const std::optional<Song> current = m_player.current();
    const QString cover = current ? m_library.artworkURL(*current).path : QString();
    return m_defaults.declared(accentSetting).toString() + QLatin1Char(' ') +
           m_defaults.declared(modelSetting).toString() + QLatin1Char(' ') +
           m_defaults.declared(finishSetting).toString() + QLatin1Char(' ') + cover;
}

void RootModel::updateAccent() {
    const QString key = accentKey();
    if (key == m_accentKey) return;
    m_accentKey = key;
    const std::optional<Song> current = m_player.current();
    const QUrl cover = current ? m_library.artworkURL(*current).toUrl() : QUrl();
    const AccentChoice choice =
        AccentChoices::fromRaw(m_defaults.stringValue(accentSetting)).value_or(AccentChoice::magenta);
    m_accent.update(choice, chosenPlayer().top, cover);
}

std::optional<QList<Song>>
RootModel::remapped(const QList<Song>& queue,
                    const std::function<std::optional<Song>(const QString&)>& lookup) {
    QList<Song> out = queue;
    bool changed = false;
    for (Song& song : out) {
        if (auto newer = lookup(song.path()); newer && !(*newer == song)) {
            song = *newer;
            changed = true;
        }
    }
    if (!changed) return std::nullopt;
    return out;
}

void RootModel::remapQueue() {
    auto next = remapped(m_player.queue(), [this](const QString& path) { return m_library.song(path); });
    if (!next) return;
    m_player.setQueue(*next);
    m_player.updateNowPlaying();
}

bool RootModel::carriesFiles(const QList<QUrl>& urls) {
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

void RootModel::drop(const QList<QUrl>& urls) {
    setDropping(false);
    QList<QUrl> files;
    for (const QUrl& url : urls)
        if (url.isLocalFile()) files.append(url);
    if (!files.isEmpty()) m_library.bringIn(files);
}

bool RootModel::space(bool editingText) {
    if (editingText) return false;
    m_player.toggle();
    return true;
}

void RootModel::escape() {
    m_app.back();
}

void RootModel::setDropping(bool on) {
    if (m_dropping == on) return;
    m_dropping = on;
    emit droppingChanged();
}
