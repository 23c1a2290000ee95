#include "PlayerSettingsPage.h"

#include "SyncPlan.h"
#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "kit/LikesAndPlays.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/AppStores.h"
#include "shell/look/Theme.h"

#include <QQmlEngine>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

// A pocket player's music space per GB of its size; the summary page counts the same.
constexpr qint64 bytesPerGB = 930'000'000;

} // namespace

QString PlayerSettingsSection::label(int section) {
    switch (section) {
    case sync:
        return QStringLiteral("sync");
    case when:
        return QStringLiteral("when syncing");
    case conversion:
        return QStringLiteral("conversion");
    case player:
        return QStringLiteral("player");
    default:
        return {};
    }
}

QString PlayerSettingsSection::hint(int section) {
    switch (section) {
    case sync:
        return QStringLiteral("what goes on it");
    case when:
        return QStringLiteral("automatic, full");
    case conversion:
        return QStringLiteral("formats, quality");
    case player:
        return QStringLiteral("model, colour, name");
    default:
        return {};
    }
}

PlayerSettingsPage::PlayerSettingsPage(QObject* parent) : QObject(parent) {}

PlayerSettingsPage::PlayerSettingsPage(const Stores& stores, QObject* parent) : QObject(parent) {
    attach(stores);
}

void PlayerSettingsPage::componentComplete() {
    QQmlEngine* engine = qmlEngine(this);
    AppStores* stores = engine ? AppStores::create(engine, nullptr) : nullptr;
    if (!stores) return;
    attach({stores->defaults, stores->library, stores->playlists, stores->playerMusic, stores->player,
            stores->app});
}

void PlayerSettingsPage::attach(const Stores& stores) {
    m_stores = stores;
    if (stores.defaults)
        connect(stores.defaults, &Defaults::changed, this, &PlayerSettingsPage::settingChanged);
    if (stores.library)
        connect(stores.library, &LibraryStore::songsChanged, this, &PlayerSettingsPage::recount);
    if (stores.picks) connect(stores.picks, &PlayerMusic::picksChanged, this, &PlayerSettingsPage::recount);
    if (stores.playlists)
        connect(stores.playlists, &PlaylistStore::playlistsChanged, this, &PlayerSettingsPage::recount);
    if (stores.app)
        connect(stores.app, &AppModel::samplePlayerChanged, this, &PlayerSettingsPage::showsBarChanged);
    m_chosenMusic.attach({stores.library, stores.playlists, stores.picks, stores.player});
    emit settingsChanged();
    emit showsBarChanged();
    recount();
}

void PlayerSettingsPage::settingChanged(const QString& changed) {
    static const QSet<QString> keys = [] {
        QSet<QString> out;
        for (const char* key :
             {SettingKeys::syncMusic, SettingKeys::syncAuto, SettingKeys::syncRemoveDeleted,
              SettingKeys::syncWhenFull, SettingKeys::syncConvert, SettingKeys::syncQuality,
              SettingKeys::syncKeepCopies, SettingKeys::playerName, SettingKeys::playerModel,
              SettingKeys::playerFinish, SettingKeys::playerCapacity})
            out.insert(QString::fromLatin1(key));
        return out;
    }();
    if (!keys.contains(changed)) return;
    emit settingsChanged();
    if (changed == QLatin1String(SettingKeys::syncMusic)) recount();
}

void PlayerSettingsPage::recount() {
    qint64 bytes = 0;
    if (m_stores.defaults && m_stores.library && m_stores.playlists && m_stores.picks) {
        const LikesAndPlays counts = m_stores.player ? likesAndPlays(*m_stores.player) : LikesAndPlays();
        for (const Song& song :
             SyncPlan::songs(music(), *m_stores.library, *m_stores.playlists, *m_stores.picks, counts))
            bytes += std::max<qint64>(0, song.bytes);
    }
    if (bytes == m_musicBytes) return;
    m_musicBytes = bytes;
    emit musicBytesChanged();
}

QJsonValue PlayerSettingsPage::read(const char* key) const {
    return m_stores.defaults ? m_stores.defaults->declared(QString::fromLatin1(key)) : QJsonValue();
}

void PlayerSettingsPage::write(const char* key, const QJsonValue& value) {
    if (m_stores.defaults) m_stores.defaults->set(QString::fromLatin1(key), value);
}

void PlayerSettingsPage::setSection(int section) {
    section = std::clamp(section, 0, PlayerSettingsSection::count - 1);
    if (section == m_section) return;
    m_section = section;
    emit sectionChanged();
}

QVariantList PlayerSettingsPage::sections() {
    QVariantList out;
    for (int i = 0; i < PlayerSettingsSection::count; ++i)
        out.append(i);
    return out;
}

QString PlayerSettingsPage::music() const {
    return read(SettingKeys::syncMusic).toString();
}
void PlayerSettingsPage::setMusic(const QString& value) {
    write(SettingKeys::syncMusic, value);
}
bool PlayerSettingsPage::autoSync() const {
    return read(SettingKeys::syncAuto).toBool();
}
void PlayerSettingsPage::setAutoSync(bool on) {
    write(SettingKeys::syncAuto, on);
}
bool PlayerSettingsPage::removeDeleted() const {
    return read(SettingKeys::syncRemoveDeleted).toBool();
}
void PlayerSettingsPage::setRemoveDeleted(bool on) {
    write(SettingKeys::syncRemoveDeleted, on);
}
QString PlayerSettingsPage::whenFull() const {
    return read(SettingKeys::syncWhenFull).toString();
}
void PlayerSettingsPage::setWhenFull(const QString& value) {
    write(SettingKeys::syncWhenFull, value);
}
bool PlayerSettingsPage::convert() const {
    return read(SettingKeys::syncConvert).toBool();
}
void PlayerSettingsPage::setConvert(bool on) {
    write(SettingKeys::syncConvert, on);
}
double PlayerSettingsPage::quality() const {
    return read(SettingKeys::syncQuality).toDouble();
}
void PlayerSettingsPage::setQuality(double kbps) {
    // The segments offer whole numbers only.
    if (std::isfinite(kbps)) write(SettingKeys::syncQuality, qint64(kbps));
}
bool PlayerSettingsPage::keepCopies() const {
    return read(SettingKeys::syncKeepCopies).toBool();
}
void PlayerSettingsPage::setKeepCopies(bool on) {
    write(SettingKeys::syncKeepCopies, on);
}
QString PlayerSettingsPage::name() const {
    return read(SettingKeys::playerName).toString();
}
void PlayerSettingsPage::setName(const QString& name) {
    write(SettingKeys::playerName, name);
}

QString PlayerSettingsPage::musicFigure() const {
    return music() == QLatin1String("none") ? QStringLiteral("\u2014") : Theme::formatSize(m_musicBytes);
}

QString PlayerSettingsPage::musicHelp() const {
    const QString m = music();
    if (m == QLatin1String("all")) return QStringLiteral("Every song in your collection.");
    if (m == QLatin1String("choose"))
        return QStringLiteral(
            "Right-click an artist, album or song and choose Add to Player, or drag it onto the "
            "player at the bottom left.");
    if (m == QLatin1String("none")) return QStringLiteral("Music stays on this computer.");
    return {};
}

QString PlayerSettingsPage::whenFullHelp() const {
    return whenFull() == QLatin1String("stop") ? QStringLiteral("Sync stops and tells you what didn't fit.")
                                               : QStringLiteral("Songs you play least are left off first.");
}

QString PlayerSettingsPage::qualityHelp() const {
    const double q = quality();
    if (q == 192) return QStringLiteral("Fits more songs. Fine for earbuds.");
    if (q == 256) return QStringLiteral("Recommended. Hard to tell from the original.");
    if (q == 320) return QStringLiteral("Best sound, takes the most space.");
    return {};
}

ChosenPlayer PlayerSettingsPage::chosen() const {
    return m_stores.defaults ? ChosenPlayer::stored(*m_stores.defaults) : ChosenPlayer();
}

QVariantList PlayerSettingsPage::modelCards() const {
    const ChosenPlayer player = chosen();
    QVariantList out;
    for (IvraModel model : Ivra::allModels()) {
        const bool selected = model == player.model();
        QString caption = QStringLiteral("ivra hd");
        if (model == IvraModel::flash) {
            QStringList sizes;
            for (int gb : Ivra::capacities(model))
                sizes.append(QString::number(gb));
            caption = QStringLiteral("ivra ") + sizes.join(QStringLiteral(" \u00B7 "));
        }
        out.append(QVariantMap{{QStringLiteral("model"), Ivra::rawValue(model)},
                               {QStringLiteral("caption"), caption},
                               {QStringLiteral("finish"),
                                QVariant::fromValue(selected ? player.finish() : Ivra::signature(model))},
                               {QStringLiteral("selected"), selected}});
    }
    return out;
}

QVariantList PlayerSettingsPage::swatches() const {
    const ChosenPlayer player = chosen();
    QVariantList out;
    for (const IvraFinish& finish : Ivra::finishes(player.model()))
        out.append(QVariantMap{{QStringLiteral("finish"), QVariant::fromValue(finish)},
                               {QStringLiteral("name"), finish.name},
                               {QStringLiteral("selected"), finish == player.finish()}});
    return out;
}

QString PlayerSettingsPage::capitalised(const QString& name) {
    QString out = name;
    bool start = true;
    for (QChar& c : out) {
        if (start && c.isLetter()) c = c.toUpper();
        start = c.isSpace();
    }
    return out;
}

QString PlayerSettingsPage::colourHelp() const {
    const ChosenPlayer player = chosen();
    const qsizetype count = Ivra::finishes(player.model()).size();
    if (count < 2) return QStringLiteral("It only came in ") + player.finish().name + QLatin1Char('.');
    return capitalised(player.finish().name) + QStringLiteral(", one of the ") + QString::number(count) +
           QStringLiteral(" colours it came in.");
}

QVariantList PlayerSettingsPage::capacityOptions() const {
    QVariantList out;
    for (int gb : Ivra::capacities(chosen().model()))
        out.append(QVariantMap{{QStringLiteral("value"), gb},
                               {QStringLiteral("label"), QString::number(gb) + QStringLiteral(" GB")}});
    return out;
}

QString PlayerSettingsPage::sizeHelp() const {
    return Theme::formatSize(musicSpace()) + QStringLiteral(" of it is free for music and the rest.");
}

bool PlayerSettingsPage::showsBar() const {
    return m_stores.app && m_stores.app->samplePlayer();
}

qint64 PlayerSettingsPage::musicSpace() const {
    return qint64(chosen().capacity()) * bytesPerGB;
}

void PlayerSettingsPage::chooseModel(const QString& raw) {
    const std::optional<IvraModel> model = Ivra::modelFromRaw(raw);
    if (!model) return;
    write(SettingKeys::playerModel, Ivra::rawValue(*model));
    write(SettingKeys::playerFinish, Ivra::signature(*model).name);
    write(SettingKeys::playerCapacity, 0);
}

void PlayerSettingsPage::chooseFinish(const QString& name) {
    write(SettingKeys::playerFinish, name);
}

void PlayerSettingsPage::chooseCapacity(int gigabytes) {
    write(SettingKeys::playerCapacity, gigabytes);
}

void PlayerSettingsPage::forget() {
    if (m_stores.app) m_stores.app->setSamplePlayer(false);
}
