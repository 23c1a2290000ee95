#include "PlayerMusic.h"

#include "core/SettingKeys.h"

#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace {

const QString syncMusicKey = QString::fromLatin1(SettingKeys::syncMusic);

QString quoted(const QString& name) {
    return QChar(0x201C) + name + QChar(0x201D);
}

} // namespace

PlayerMusic::PlayerMusic(Defaults& defaults, QObject* parent) : QObject(parent), m_defaults(defaults) {
    auto loaded = JsonFile::load<QList<PlayerPick>>(filePath(), [](const QJsonDocument& doc) {
        std::optional<QList<PlayerPick>> out;
        if (!doc.isArray()) return out;
        QList<PlayerPick> list;
        for (const QJsonValue& v : doc.array()) {
            auto pick = PlayerPick::fromJson(v);
            if (!pick) return out;
            list.append(std::move(*pick));
        }
        out = std::move(list);
        return out;
    });
    if (loaded) m_picks = std::move(*loaded);
}

QString PlayerMusic::filePath() {
    return DataFolder::file(QStringLiteral("player-music.json"));
}

void PlayerMusic::save() const {
    QJsonArray array;
    for (const PlayerPick& p : m_picks)
        array.append(p.toJson());
    // A failed write keeps the change in memory only.
    JsonFile::write(filePath(), QJsonDocument(array));
}

QString PlayerMusic::addedNotice(const QList<PlayerPick>& fresh) const {
    const QString what = fresh.size() == 1 ? quoted(fresh.first().name)
                                           : QString::number(fresh.size()) + QStringLiteral(" picks");
    const QString setting = m_defaults.declared(syncMusicKey).toString();
    if (setting == QLatin1String("choose")) return what + QStringLiteral(" will go on your player");
    if (setting == QLatin1String("none"))
        return QStringLiteral("added ") + what +
               QStringLiteral(" for your player, which is set to sync nothing");
    return QStringLiteral("added ") + what +
           QStringLiteral(" for your player, which gets everything for now");
}

void PlayerMusic::add(const QList<PlayerPick>& picks, const Notify& notify) {
    QSet<QString> taken;
    for (const PlayerPick& p : m_picks)
        taken.insert(p.id());
    QList<PlayerPick> fresh;
    for (const PlayerPick& p : picks) {
        const QString id = p.id();
        if (taken.contains(id)) continue;
        taken.insert(id);
        fresh.append(p);
    }
    if (fresh.isEmpty()) {
        // Worded after how many were given, not how many were new (none).
        if (notify)
            notify(picks.size() == 1
                       ? quoted(picks.first().name) + QStringLiteral(" is already on your player")
                       : QStringLiteral("those are already on your player"));
        return;
    }
    m_picks.append(fresh);
    emit picksChanged();
    save();
    if (notify) notify(addedNotice(fresh));
}

void PlayerMusic::remove(const PlayerPick& pick, const Notify& notify) {
    if (m_picks.removeAll(pick) > 0) emit picksChanged();
    save();
    if (notify) notify(quoted(pick.name) + QStringLiteral(" won't go on your player"));
}

void PlayerMusic::clear() {
    const bool had = !m_picks.isEmpty();
    m_picks.clear();
    if (had) emit picksChanged();
    save();
}

QList<Song> PlayerMusic::songs(const LibraryStore& library, const PlaylistStore& playlists,
                               const LikesAndPlays& player) const {
    QList<Song> out;
    QSet<QString> seen;
    for (const PlayerPick& pick : m_picks)
        for (Song& s : pick.songs(library, playlists, player)) {
            if (seen.contains(s.url.path)) continue;
            seen.insert(s.url.path);
            out.append(std::move(s));
        }
    return out;
}
