#include "PlayerSummaryPage.h"

#include "SyncStatus.h"
#include "core/Defaults.h"
#include "core/SettingKeys.h"
#include "kit/LikesAndPlays.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/AppStores.h"

#include <QPointer>
#include <QQmlEngine>
#include <QtConcurrent/QtConcurrentRun>

namespace {

// A pocket player's music space per GB of its size.
constexpr qint64 bytesPerGB = 930'000'000;

QString key(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

PlayerSummaryPage::PlayerSummaryPage(QObject* parent) : QObject(parent), m_clock(RunClock::system()) {
    m_run = new SyncRun(m_clock, {}, this);
}

PlayerSummaryPage::PlayerSummaryPage(const Stores& stores, std::shared_ptr<RunClock> clock, QObject* parent)
    : QObject(parent), m_clock(std::move(clock)) {
    m_run = new SyncRun(m_clock, {}, this);
    attach(stores);
}

PlayerSummaryPage::~PlayerSummaryPage() {
    // Leaving the page ends a run under way without writing anything.
    m_run->end();
}

void PlayerSummaryPage::componentComplete() {
    QQmlEngine* engine = qmlEngine(this);
    AppStores* stores = engine ? AppStores::create(engine, nullptr) : nullptr;
    if (!stores) return;
    attach({stores->defaults, stores->library, stores->playlists, stores->playerMusic, stores->player,
            stores->app});
}

void PlayerSummaryPage::attach(const Stores& stores) {
    m_stores = stores;
    delete m_run;
    // The end of a finished run is remembered as seconds since 1970.
    QPointer<Defaults> defaults = stores.defaults;
    m_run = new SyncRun(
        m_clock,
        [defaults](double now) {
            if (defaults) defaults->set(key(SettingKeys::syncLast), now);
        },
        this);
    connect(m_run, &SyncRun::changed, this, [this](bool animated) {
        emit runChanged();
        if (animated) emit runEnded();
    });
    if (stores.defaults)
        connect(stores.defaults, &Defaults::changed, this, &PlayerSummaryPage::settingChanged);
    if (stores.library)
        connect(stores.library, &LibraryStore::songsChanged, this, &PlayerSummaryPage::replanIfKeyChanged);
    if (stores.picks)
        connect(stores.picks, &PlayerMusic::picksChanged, this, &PlayerSummaryPage::replanIfKeyChanged);
    emit playerChanged();
    emit runChanged();
    replanIfKeyChanged();
}

void PlayerSummaryPage::settingChanged(const QString& changed) {
    const auto is = [&](const char* name) { return changed == QLatin1String(name); };
    if (is(SettingKeys::playerName) || is(SettingKeys::playerModel) || is(SettingKeys::playerFinish) ||
        is(SettingKeys::playerCapacity))
        emit playerChanged();
    if (is(SettingKeys::syncLast)) emit runChanged();
    replanIfKeyChanged();
}

ChosenPlayer PlayerSummaryPage::chosen() const {
    return m_stores.defaults ? ChosenPlayer::stored(*m_stores.defaults) : ChosenPlayer();
}

QString PlayerSummaryPage::name() const {
    return m_stores.defaults ? m_stores.defaults->declared(key(SettingKeys::playerName)).toString()
                             : QString();
}

QString PlayerSummaryPage::capacityText() const {
    return QString::number(chosen().capacity()) + QStringLiteral("GB");
}

QString PlayerSummaryPage::statusName() const {
    const ChosenPlayer player = chosen();
    return player.nameText() + QStringLiteral(" \u00B7 ") + player.finish().name;
}

qint64 PlayerSummaryPage::capacityBytes() const {
    return qint64(chosen().capacity()) * bytesPerGB;
}

QString PlayerSummaryPage::planKey() const {
    if (!m_stores.defaults) return {};
    const Defaults& d = *m_stores.defaults;
    QStringList ids;
    if (m_stores.picks)
        for (const PlayerPick& pick : m_stores.picks->picks())
            ids.append(pick.id());
    // Equal pick lists give equal hashes within a run of the program, which is all the key needs.
    const size_t picksHash = qHash(ids.join(QChar(1)), 0);
    const double quality = d.declared(key(SettingKeys::syncQuality)).toDouble();
    return QStringList{QString::number(m_stores.library ? m_stores.library->songs().size() : 0),
                       d.declared(key(SettingKeys::syncMusic)).toString(),
                       QString::number(picksHash),
                       QString::number(capacityBytes()),
                       d.declared(key(SettingKeys::syncWhenFull)).toString(),
                       d.declared(key(SettingKeys::syncConvert)).toBool() ? QStringLiteral("true")
                                                                          : QStringLiteral("false"),
                       QString::number(quality, 'g', 17)}
        .join(QLatin1Char(' '));
}

void PlayerSummaryPage::replanIfKeyChanged() {
    if (!m_stores.defaults || !m_stores.library || !m_stores.playlists || !m_stores.picks) return;
    const QString now = planKey();
    if (m_key == now) return;
    m_key = now;
    replan();
}

void PlayerSummaryPage::replan() {
    const Defaults& d = *m_stores.defaults;
    const QString music = d.declared(key(SettingKeys::syncMusic)).toString();
    const LikesAndPlays counts = m_stores.player ? likesAndPlays(*m_stores.player) : LikesAndPlays();
    // What goes on is gathered here, where the stores live; the plan is worked out on a worker from copies.
    const QList<Song> songs =
        SyncPlan::songs(music, *m_stores.library, *m_stores.playlists, *m_stores.picks, counts);
    const qint64 capacity = capacityBytes();
    const QString whenFull = d.declared(key(SettingKeys::syncWhenFull)).toString();
    const bool convert = d.declared(key(SettingKeys::syncConvert)).toBool();
    const double qualitySetting = d.declared(key(SettingKeys::syncQuality)).toDouble();
    const qint64 quality =
        std::isfinite(qualitySetting) && std::abs(qualitySetting) < 1e15 ? qint64(qualitySetting) : 0;
    const quint64 generation = ++m_planGeneration;
    ++m_plansStarted;
    QPointer<PlayerSummaryPage> self(this);
    QtConcurrent::run([songs, capacity, whenFull, convert, quality, counts] {
        return SyncPlan::make(songs, capacity, whenFull, convert, quality,
                              [&counts](const Song& s) { return counts.plays(s.url.path); });
    }).then(this, [self, generation, quality, music](const SyncPlan& plan) {
        if (!self || generation != self->m_planGeneration) return;
        self->m_planApplied = generation;
        self->m_plan = plan;
        self->m_planList.show(plan, quality, music);
        emit self->planChanged();
        emit self->runChanged(); // whether "sync now" is offered, and the summary's counts
    });
}

QString PlayerSummaryPage::heading() const {
    return SyncStatus::heading(m_run->phase());
}

QString PlayerSummaryPage::bigLine() const {
    QString last;
    if (m_run->phase() == SyncRun::Phase::idle)
        last = SyncStatus::when(
            m_stores.defaults ? m_stores.defaults->declared(key(SettingKeys::syncLast)).toDouble() : 0);
    return SyncStatus::bigLine(m_run->phase(), m_run->count(), int(m_run->songs().size()), last);
}

double PlayerSummaryPage::progress() const {
    return double(m_run->count()) / std::max<qsizetype>(m_run->songs().size(), 1);
}

const Song* PlayerSummaryPage::currentSong() const {
    if (!showsSong()) return nullptr;
    const qsizetype i = m_run->count() - 1;
    return i < m_run->songs().size() ? &m_run->songs().at(i) : nullptr;
}

QString PlayerSummaryPage::songTitle() const {
    const Song* s = currentSong();
    return s ? s->title : QString();
}

QString PlayerSummaryPage::songArtist() const {
    const Song* s = currentSong();
    return s ? s->artist : QString();
}

QUrl PlayerSummaryPage::songFile() const {
    const Song* s = currentSong();
    return s ? s->url.toUrl() : QUrl();
}

QString PlayerSummaryPage::doneSummary() const {
    return SyncStatus::doneSummary(m_run->songs(), m_plan);
}

void PlayerSummaryPage::startSync() {
    if (isCopying()) return;
    m_run->start(m_plan.going);
}

void PlayerSummaryPage::stopSync() {
    m_run->stop();
}

void PlayerSummaryPage::openSettings() {
    if (m_stores.app) m_stores.app->go(Nav::Page::playerSettings);
}
