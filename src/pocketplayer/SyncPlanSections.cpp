#include "SyncPlanSections.h"

#include "shell/look/Theme.h"

#include <QHash>
#include <optional>

QVariantList PlanSection::rowList() const {
    QVariantList out;
    out.reserve(rows.size());
    for (const PlanAlbumRow& row : rows)
        out.append(QVariant::fromValue(row));
    return out;
}

namespace SyncPlanSections {

namespace {

QString songCount(qsizetype n) {
    return QString::number(n) + (n == 1 ? QStringLiteral(" song") : QStringLiteral(" songs"));
}

PlanSection part(const QString& title, const QList<Song>& songs, std::optional<qint64> bytes, int rows,
                 const QString& note) {
    PlanSection section;
    section.heading = title + QStringLiteral(" · ") + songCount(songs.size());
    if (bytes) section.heading += QStringLiteral(" · ") + Theme::formatSize(*bytes);
    section.accentHeading = title != QLatin1String("going on");
    section.note = note;
    const QList<QList<qsizetype>> groups = albums(songs);
    for (qsizetype g = 0; g < std::min<qsizetype>(rows, groups.size()); ++g) {
        const Song& first = songs[groups[g].first()];
        PlanAlbumRow row;
        row.albumID = first.albumID();
        row.artwork = first.url.toUrl();
        row.album = first.album;
        row.byline = QStringLiteral("/ ") + first.albumArtist;
        row.count = int(groups[g].size());
        row.accessibleName = first.album + QStringLiteral(" by ") + first.albumArtist + QStringLiteral(", ") +
                             songCount(row.count);
        section.rows.append(row);
    }
    const qsizetype hidden = groups.size() - section.rows.size();
    if (hidden > 0)
        section.more = QStringLiteral("and ") + QString::number(hidden) +
                       (hidden == 1 ? QStringLiteral(" more album") : QStringLiteral(" more albums"));
    return section;
}

} // namespace

QList<QList<qsizetype>> albums(const QList<Song>& songs) {
    QList<QList<qsizetype>> groups;
    QHash<QString, qsizetype> groupOf;
    // The plan's lists are in album order, so a song mostly names its album exactly as the song before it
    // did: then it joins the same group without making the key again.
    const QString* lastArtist = nullptr;
    const QString* lastAlbum = nullptr;
    qsizetype lastGroup = -1;
    for (qsizetype i = 0; i < songs.size(); ++i) {
        const Song& song = songs[i];
        const QString& album = song.taggedAlbum ? *song.taggedAlbum : song.album;
        if (!lastArtist || song.albumArtist != *lastArtist || album != *lastAlbum) {
            const QString key = song.albumID();
            auto it = groupOf.constFind(key);
            if (it == groupOf.constEnd()) {
                it = groupOf.insert(key, groups.size());
                groups.append(QList<qsizetype>{});
            }
            lastGroup = *it;
            lastArtist = &song.albumArtist;
            lastAlbum = &album;
        }
        groups[lastGroup].append(i);
    }
    return groups;
}

QList<PlanSection> make(const SyncPlan& plan, qint64 quality) {
    QList<PlanSection> out;
    if (!plan.going.isEmpty()) {
        const int rows = plan.left.isEmpty() && plan.unplayable.isEmpty() ? 7 : 4;
        QString note;
        if (!plan.converted.isEmpty())
            note = QString::number(plan.converted.size()) + QStringLiteral(" converted to AAC at ") +
                   QString::number(quality) + QStringLiteral(" kbps");
        out.append(part(QStringLiteral("going on"), plan.going, plan.bytes, rows, note));
    }
    if (!plan.left.isEmpty()) out.append(part(QStringLiteral("won't fit"), plan.left, plan.leftBytes, 2, {}));
    if (!plan.unplayable.isEmpty())
        out.append(part(QStringLiteral("can't play"), plan.unplayable, std::nullopt, 2,
                        QStringLiteral("Turn on converting in settings to bring these along.")));
    return out;
}

QString emptyText(const QString& music) {
    if (music == QLatin1String("choose"))
        return QStringLiteral("Nothing chosen yet. Right-click an artist, album or song and choose Add to "
                              "Player, or drag it onto the player at the bottom left.");
    return QStringLiteral("Nothing is set to go on your player.");
}

} // namespace SyncPlanSections

SyncPlanListModel::SyncPlanListModel(QObject* parent)
    : QObject(parent), m_emptyText(SyncPlanSections::emptyText({})) {}

void SyncPlanListModel::show(const SyncPlan& plan, qint64 quality, const QString& music) {
    m_sections.clear();
    for (const PlanSection& s : SyncPlanSections::make(plan, quality))
        m_sections.append(QVariant::fromValue(s));
    m_empty = plan.isEmpty();
    m_emptyText = SyncPlanSections::emptyText(music);
    emit changed();
}
