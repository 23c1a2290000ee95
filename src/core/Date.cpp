#include "Date.h"

#include <cmath>
#include <ctime>

Date Date::now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return fromUnix(qint64(ts.tv_sec), qint64(ts.tv_nsec));
}

std::optional<Date> Date::fromJson(const QJsonValue& value) {
    if (!value.isDouble()) return std::nullopt;
    const double s = value.toDouble();
    if (!std::isfinite(s)) return std::nullopt;
    return Date{s};
}
