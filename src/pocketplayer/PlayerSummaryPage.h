#pragma once

#include "IvraModel.h"
#include "SyncPlan.h"
#include "SyncPlanSections.h"
#include "SyncRun.h"

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <memory>

class AppModel;
class Defaults;
class LibraryStore;
class Player;
class PlayerMusic;
class PlaylistStore;

// What the "My Player" summary page shows and does: the picked player's name, size and status line, the
// sync plan (kept up to date while the page lives) and the preview run of a sync. Made with the page and
// gone with it, so every visit starts with an empty plan and no run.
//
// The plan is worked out again only when its key changes: the number of songs, what goes on, the picks,
// the player's music space and the sync settings. A change that keeps the key (a tag edit, new play
// counts) shows at the next visit. It is worked out on a worker from copies; a result overtaken by a newer
// key is dropped.
class PlayerSummaryPage : public QObject, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT

    // The player.
    Q_PROPERTY(QString name READ name NOTIFY playerChanged)
    Q_PROPERTY(QString capacityText READ capacityText NOTIFY playerChanged)
    Q_PROPERTY(QString statusName READ statusName NOTIFY playerChanged)
    Q_PROPERTY(QString model READ modelText NOTIFY playerChanged)
    Q_PROPERTY(IvraFinish finish READ finish NOTIFY playerChanged)
    Q_PROPERTY(double capacityBytes READ capacityBytesNumber NOTIFY playerChanged)
    // The plan.
    Q_PROPERTY(SyncPlanListModel* planList READ planList CONSTANT)
    Q_PROPERTY(double planBytes READ planBytesNumber NOTIFY planChanged)
    // The preview run.
    Q_PROPERTY(QString heading READ heading NOTIFY runChanged)
    Q_PROPERTY(QString bigLine READ bigLine NOTIFY runChanged)
    Q_PROPERTY(bool copying READ isCopying NOTIFY runChanged)
    Q_PROPERTY(bool done READ isDone NOTIFY runChanged)
    Q_PROPERTY(double progress READ progress NOTIFY runChanged)
    Q_PROPERTY(bool showsSong READ showsSong NOTIFY runChanged)
    Q_PROPERTY(QString songTitle READ songTitle NOTIFY runChanged)
    Q_PROPERTY(QString songArtist READ songArtist NOTIFY runChanged)
    Q_PROPERTY(QUrl songFile READ songFile NOTIFY runChanged)
    Q_PROPERTY(QString doneSummary READ doneSummary NOTIFY runChanged)
    Q_PROPERTY(bool canSync READ canSync NOTIFY runChanged)

public:
    struct Stores {
        Defaults* defaults = nullptr;
        LibraryStore* library = nullptr;
        PlaylistStore* playlists = nullptr;
        PlayerMusic* picks = nullptr;
        Player* player = nullptr; // play counts and likes; none counts every song unplayed
        AppModel* app = nullptr;
    };

    // QML makes it with the engine's stores.
    explicit PlayerSummaryPage(QObject* parent = nullptr);
    PlayerSummaryPage(const Stores& stores, std::shared_ptr<RunClock> clock, QObject* parent = nullptr);
    ~PlayerSummaryPage() override;

    void classBegin() override {}
    void componentComplete() override;

    // Seven values joined with spaces: songs, music, the picks' hash, capacity in bytes, whenFull,
    // convert, quality.
    QString planKey() const;
    const SyncPlan& plan() const { return m_plan; }
    // Plans started since the page was made, and whether the newest is still being worked out.
    int plansStarted() const { return m_plansStarted; }
    bool planning() const { return m_planApplied != m_planGeneration; }
    const SyncRun& run() const { return *m_run; }

    QString name() const;
    QString capacityText() const;
    QString statusName() const;
    QString modelText() const { return chosen().modelText(); }
    IvraFinish finish() const { return chosen().finish(); }
    qint64 capacityBytes() const;
    double capacityBytesNumber() const { return double(capacityBytes()); }
    SyncPlanListModel* planList() { return &m_planList; }
    double planBytesNumber() const { return double(m_plan.bytes); }

    QString heading() const;
    QString bigLine() const;
    bool isCopying() const { return m_run->phase() == SyncRun::Phase::copying; }
    bool isDone() const { return m_run->phase() == SyncRun::Phase::done; }
    double progress() const;
    bool showsSong() const { return isCopying() && m_run->count() >= 1; }
    QString songTitle() const;
    QString songArtist() const;
    QUrl songFile() const;
    QString doneSummary() const;
    bool canSync() const { return !isCopying() && !m_plan.going.isEmpty(); }

    Q_INVOKABLE void startSync();
    Q_INVOKABLE void stopSync();
    // "rename" and "settings": the player settings page.
    Q_INVOKABLE void openSettings();

signals:
    void playerChanged();
    void planChanged();
    void runChanged();
    // A run finished or was stopped: the panel shows its new state with the entrance motion.
    void runEnded();

private:
    void attach(const Stores& stores);
    ChosenPlayer chosen() const;
    void settingChanged(const QString& key);
    void replanIfKeyChanged();
    void replan();
    const Song* currentSong() const;

    Stores m_stores;
    std::shared_ptr<RunClock> m_clock;
    SyncRun* m_run = nullptr;
    SyncPlan m_plan;
    SyncPlanListModel m_planList;
    std::optional<QString> m_key;
    quint64 m_planGeneration = 0;
    quint64 m_planApplied = 0;
    int m_plansStarted = 0;
};
