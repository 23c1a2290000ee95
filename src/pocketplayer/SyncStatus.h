#pragma once

#include "SyncPlan.h"
#include "SyncRun.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>

// What the sync status panel beside the player picture says in each phase of a preview run.
namespace SyncStatus {

QString heading(SyncRun::Phase phase);
// The large line under the heading: the last sync, the count under way, what was copied or where it
// stopped. `lastSync` is in seconds since 1970; `total` the songs of the run.
QString bigLine(SyncRun::Phase phase, int count, int total, const QString& lastSync);
// What a finished run did besides copying: "12 converted to AAC · 40 didn't fit", or that nothing else
// needed doing.
QString doneSummary(const QList<Song>& copied, const SyncPlan& plan);

// When the last sync was: "today, 9:05 am", "yesterday, 11:30 pm", "march 4, 3:41 pm", in `timeLocale`'s
// short time and `dateLocale`'s month and day (an ICU locale id), lower-cased. A value that is not a
// positive, finite time within the calendar's range reads "never".
QString when(double unixSeconds, const QDateTime& now, const QLocale& timeLocale,
             const QByteArray& dateLocale);
// The same in the user's locale now.
QString when(double unixSeconds);
// The user's locale for dates: LC_ALL, else LC_TIME, else LANG, without its encoding; "en_US" when none.
QByteArray userDateLocale();

} // namespace SyncStatus
