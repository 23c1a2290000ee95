#pragma once

#include <QJsonValue>
#include <compare>
#include <optional>

// A point in time as seconds (with fraction) since 2001-01-01 00:00:00 UTC, the form every data file
// stores. Kept as a plain double so that a date read from a file compares exactly equal to the one
// written; QDateTime keeps milliseconds only and would make every cached song look modified.
struct Date {
    double seconds = 0;

    // Seconds between the Unix epoch and 2001-01-01.
    static constexpr double unixOffset = 978307200.0;
    // 1 January of year 1, 00:00 UTC (proleptic Gregorian).
    static constexpr double distantPastSeconds = -63113904000.0;

    static Date now();
    static Date distantPast() { return Date{distantPastSeconds}; }
    static Date fromUnix(double unixSeconds) { return Date{unixSeconds - unixOffset}; }
    static Date fromUnix(qint64 sec, qint64 nsec) {
        return Date{double(sec - 978307200) + double(nsec) / 1e9};
    }

    double unixSeconds() const { return seconds + unixOffset; }
    double since(Date earlier) const { return seconds - earlier.seconds; }
    Date adding(double interval) const { return Date{seconds + interval}; }

    QJsonValue toJson() const { return QJsonValue(seconds); }
    // A number, integral or not; anything else is not a date.
    static std::optional<Date> fromJson(const QJsonValue& value);

    friend bool operator==(Date, Date) = default;
    friend auto operator<=>(Date a, Date b) { return a.seconds <=> b.seconds; }
};
