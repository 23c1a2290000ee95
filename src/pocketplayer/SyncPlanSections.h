#pragma once

#include "SyncPlan.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// One album of a plan section as its row shows it.
struct PlanAlbumRow {
    Q_GADGET
    Q_PROPERTY(QString albumID MEMBER albumID CONSTANT)
    Q_PROPERTY(QUrl artwork MEMBER artwork CONSTANT)
    Q_PROPERTY(QString album MEMBER album CONSTANT)
    Q_PROPERTY(QString byline MEMBER byline CONSTANT)
    Q_PROPERTY(int count MEMBER count CONSTANT)
    Q_PROPERTY(QString accessibleName MEMBER accessibleName CONSTANT)
public:
    QString albumID; // the album identity of the group's first song
    QUrl artwork;    // the first song's file: its cover stands for the album
    QString album;   // the first song's album name
    QString byline;  // "/ " and the first song's album artist
    int count = 0;   // songs of the album in this section
    QString accessibleName;

    friend bool operator==(const PlanAlbumRow&, const PlanAlbumRow&) = default;
};

// One part of the plan: its heading, an optional note, the first few albums and how many more there are.
struct PlanSection {
    Q_GADGET
    Q_PROPERTY(QString heading MEMBER heading CONSTANT)
    Q_PROPERTY(bool accentHeading MEMBER accentHeading CONSTANT)
    Q_PROPERTY(QString note MEMBER note CONSTANT)
    Q_PROPERTY(QVariantList rows READ rowList CONSTANT)
    Q_PROPERTY(QString more MEMBER more CONSTANT)
public:
    QString heading;            // "going on · 3 songs · 1.2 GB"
    bool accentHeading = false; // in the accent's text colour; otherwise the secondary text colour
    QString note;               // empty for none
    QList<PlanAlbumRow> rows;
    QString more; // "and 7 more albums"; empty when every album has its row

    QVariantList rowList() const;
    friend bool operator==(const PlanSection&, const PlanSection&) = default;
};

// What the plan list says about a plan. Worked out here so the view only draws it.
namespace SyncPlanSections {

// The albums of a song list as indices into it: a group per album identity (lower-cased album artist,
// U+0001, lower-cased album as tagged), in the order of each album's first song, each group's songs in
// list order. Songs of one album need not be next to each other.
QList<QList<qsizetype>> albums(const QList<Song>& songs);

// The sections in order: "going on", "won't fit", "can't play", each only when it holds songs.
QList<PlanSection> make(const SyncPlan& plan, qint64 quality);

// What an empty plan says, after the "sync.music" setting.
QString emptyText(const QString& music);

} // namespace SyncPlanSections

// The plan list as QML draws it. The page that owns the plan hands each new plan in.
class SyncPlanListModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QVariantList sections READ sections NOTIFY changed)
    Q_PROPERTY(bool empty READ empty NOTIFY changed)
    Q_PROPERTY(QString emptyText READ emptyText NOTIFY changed)
public:
    explicit SyncPlanListModel(QObject* parent = nullptr);

    void show(const SyncPlan& plan, qint64 quality, const QString& music);

    QVariantList sections() const { return m_sections; }
    bool empty() const { return m_empty; }
    QString emptyText() const { return m_emptyText; }

signals:
    void changed();

private:
    QVariantList m_sections;
    bool m_empty = true;
    QString m_emptyText;
};
