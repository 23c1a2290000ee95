#include "QueueText.h"

#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppStores.h"

#include <QDateTime>
#include <QQmlEngine>
#include <QTimeZone>
#include <cmath>
#include <memory>
#include <unicode/udat.h>
#include <unicode/udatpg.h>
#include <unicode/ustring.h>

QString QueueText::summary(int songs, double secondsLeft) {
    if (songs <= 0) return QStringLiteral("nothing queued");
    const qint64 minutes = std::llround(secondsLeft / 60); // halves away from zero
    const QString time = minutes >= 60
                             ? QStringLiteral("%1 hr %2 min left").arg(minutes / 60).arg(minutes % 60)
                             : QStringLiteral("%1 min left").arg(minutes);
    const QString count = songs == 1 ? QStringLiteral("1 song") : QStringLiteral("%1 songs").arg(songs);
    return count + QStringLiteral(" \u00b7 ") + time;
}

QString QueueText::title(const QString& smartDJArtist) {
    return smartDJArtist.isEmpty() ? QStringLiteral("now playing") : smartDJArtist;
}

QString QueueText::symbol(const QString& smartDJArtist) {
    return smartDJArtist.isEmpty() ? QStringLiteral("list.bullet")
                                   : QStringLiteral("dot.radiowaves.left.and.right");
}

QString QueueText::userLocale() {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        QString value = qEnvironmentVariable(name);
        if (value.isEmpty()) continue;
        // "de_DE.UTF-8@euro" names the locale "de_DE" for ICU.
        value = value.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        if (value == QLatin1String("C") || value == QLatin1String("POSIX") || value.isEmpty()) break;
        return value;
    }
    return QStringLiteral("en_US");
}

QString QueueText::dayAndMonth(const QDate& day, const QString& locale) {
    const QByteArray name = locale.toUtf8();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UDateTimePatternGenerator, decltype(&udatpg_close)> generator(
        udatpg_open(name.constData(), &status), udatpg_close);
    const QString skeleton = QStringLiteral("MMMd");
    UChar pattern[64];
    const int32_t patternLength =
        U_SUCCESS(status)
            ? udatpg_getBestPattern(generator.get(), reinterpret_cast<const UChar*>(skeleton.utf16()),
                                    int32_t(skeleton.size()), pattern, 64, &status)
            : 0;
    // The date is formatted at noon in UTC, so no time zone moves it to another day.
    const QString utc = QStringLiteral("UTC");
    std::unique_ptr<UDateFormat, decltype(&udat_close)> format(
        U_SUCCESS(status) ? udat_open(UDAT_PATTERN, UDAT_PATTERN, name.constData(),
                                      reinterpret_cast<const UChar*>(utc.utf16()), int32_t(utc.size()),
                                      pattern, patternLength, &status)
                          : nullptr,
        udat_close);
    if (U_FAILURE(status) || !format) return QLocale(locale).toString(day, QStringLiteral("MMM d"));
    const UDate when = double(QDateTime(day, QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch());
    UChar out[64];
    const int32_t length = udat_format(format.get(), when, out, 64, nullptr, &status);
    if (U_FAILURE(status)) return QLocale(locale).toString(day, QStringLiteral("MMM d"));
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(out), length);
}

QString QueueText::playlistName(const QString& smartDJArtist, const QDate& day, const QString& locale) {
    if (!smartDJArtist.isEmpty()) return smartDJArtist + QStringLiteral(" mix");
    return QStringLiteral("now playing ") + dayAndMonth(day, locale);
}

QString QueueText::save(Player& player, PlaylistStore& playlists, const QDate& day, const QString& locale) {
    const QList<Song> songs = player.queue();
    if (songs.isEmpty()) return {};
    const QString name = playlistName(player.smartDJArtistName(), day, locale);
    // Making a playlist and announcing it is the kit's playlist step; until the kit offers it, it is done
    // here, in this one place.
    const Playlist made = playlists.create(name, songs);
    player.setNotice(Player::Notice::make(QStringLiteral("made ") + made.name + QStringLiteral(" with ") +
                                          Player::describe(songs)));
    return made.name;
}

QString QueueText::save(Player* player) {
    QQmlEngine* engine = m_engine ? m_engine : qmlEngine(this);
    AppStores* stores = engine ? AppStores::create(engine, nullptr) : nullptr;
    if (!player || !stores || !stores->playlists) return {};
    return save(*player, *stores->playlists, QDate::currentDate(), userLocale());
}
