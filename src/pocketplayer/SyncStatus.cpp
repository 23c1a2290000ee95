#include "SyncStatus.h"

#include "core/Text.h"

#include <QTimeZone>
#include <cmath>
#include <memory>
#include <unicode/udat.h>
#include <unicode/udatpg.h>
#include <unicode/ustring.h>

namespace SyncStatus {

QString heading(SyncRun::Phase phase) {
    switch (phase) {
    case SyncRun::Phase::idle:
        return QStringLiteral("last sync");
    case SyncRun::Phase::copying:
        return QStringLiteral("syncing");
    case SyncRun::Phase::done:
        return QStringLiteral("synced");
    case SyncRun::Phase::stopped:
        return QStringLiteral("sync stopped");
    }
    return {};
}

QString bigLine(SyncRun::Phase phase, int count, int total, const QString& lastSync) {
    switch (phase) {
    case SyncRun::Phase::idle:
        return lastSync;
    case SyncRun::Phase::copying:
        return QStringLiteral("copying %1 of %2").arg(count).arg(total);
    case SyncRun::Phase::done:
        return QStringLiteral("%1 %2 copied")
            .arg(count)
            .arg(count == 1 ? QStringLiteral("song") : QStringLiteral("songs"));
    case SyncRun::Phase::stopped:
        return QStringLiteral("after %1 of %2 songs").arg(count).arg(total);
    }
    return {};
}

QString doneSummary(const QList<Song>& copied, const SyncPlan& plan) {
    QStringList parts;
    const auto converted = std::count_if(copied.begin(), copied.end(),
                                         [&](const Song& s) { return plan.converted.contains(s.url); });
    if (converted > 0) parts.append(QStringLiteral("%1 converted to AAC").arg(converted));
    if (!plan.left.isEmpty()) parts.append(QStringLiteral("%1 didn't fit").arg(plan.left.size()));
    if (!plan.unplayable.isEmpty()) parts.append(QStringLiteral("%1 can't play").arg(plan.unplayable.size()));
    if (parts.isEmpty()) return QStringLiteral("Your player matches your collection.");
    return parts.join(QStringLiteral(" \u00B7 "));
}

namespace {

// The month and day of a moment in the locale's own order and words ("March 4", "4. März"), from ICU's
// pattern for the skeleton "MMMMd"; empty when ICU cannot make one.
QString monthAndDay(const QDateTime& moment, const QByteArray& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UDateTimePatternGenerator, decltype(&udatpg_close)> generator(
        udatpg_open(locale.constData(), &status), &udatpg_close);
    if (U_FAILURE(status)) return {};
    const std::u16string skeleton = u"MMMMd";
    UChar pattern[64];
    const int32_t patternLength =
        udatpg_getBestPattern(generator.get(), reinterpret_cast<const UChar*>(skeleton.data()),
                              int32_t(skeleton.size()), pattern, 64, &status);
    if (U_FAILURE(status)) return {};
    // The local time zone, like the time of day beside it.
    const QString zone = QString::fromUtf8(moment.timeZone().id());
    std::unique_ptr<UDateFormat, decltype(&udat_close)> format(
        udat_open(UDAT_PATTERN, UDAT_PATTERN, locale.constData(),
                  zone.isEmpty() ? nullptr : reinterpret_cast<const UChar*>(zone.utf16()),
                  zone.isEmpty() ? 0 : int32_t(zone.size()), pattern, patternLength, &status),
        &udat_close);
    if (U_FAILURE(status)) return {};
    UChar out[128];
    const int32_t length =
        udat_format(format.get(), UDate(moment.toMSecsSinceEpoch()), out, 128, nullptr, &status);
    if (U_FAILURE(status)) return {};
    return QString(reinterpret_cast<const QChar*>(out), length);
}

} // namespace

QString when(double unixSeconds, const QDateTime& now, const QLocale& timeLocale,
             const QByteArray& dateLocale) {
    // Up to the end of year 9999: what the calendars and a stored double both hold.
    if (!std::isfinite(unixSeconds) || !(unixSeconds > 0) || unixSeconds >= 253402300800.0)
        return QStringLiteral("never");
    const QDateTime moment =
        QDateTime::fromMSecsSinceEpoch(qint64(std::llround(unixSeconds * 1000)), now.timeZone());
    const QString time = Text::lower(timeLocale.toString(moment.time(), QLocale::ShortFormat));
    const QDate day = moment.date(), today = now.date();
    if (day == today) return QStringLiteral("today, ") + time;
    if (day == today.addDays(-1)) return QStringLiteral("yesterday, ") + time;
    QString date = monthAndDay(moment, dateLocale);
    if (date.isEmpty()) date = timeLocale.toString(day, QStringLiteral("MMMM d"));
    return Text::lower(date) + QStringLiteral(", ") + time;
}

QString when(double unixSeconds) {
    return when(unixSeconds, QDateTime::currentDateTime(), QLocale::system(), userDateLocale());
}

QByteArray userDateLocale() {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        QByteArray value = qgetenv(name);
        // "de_DE.UTF-8@euro" → "de_DE"; "C" and "POSIX" name no language.
        const qsizetype cut = value.indexOf('.');
        if (cut >= 0) value.truncate(cut);
        const qsizetype at = value.indexOf('@');
        if (at >= 0) value.truncate(at);
        if (!value.isEmpty()) return value == "C" || value == "POSIX" ? QByteArray("en_US") : value;
    }
    return QByteArrayLiteral("en_US");
}

} // namespace SyncStatus
