#include "Listen.h"

QJsonObject Listen::toJson() const {
    return QJsonObject{{QStringLiteral("path"), path},         {QStringLiteral("artist"), artist},
                       {QStringLiteral("at"), at.toJson()},    {QStringLiteral("seconds"), seconds},
                       {QStringLiteral("duration"), duration}, {QStringLiteral("mix"), mix}};
}

std::optional<Listen> Listen::fromJson(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue path = o.value(QStringLiteral("path"));
    const QJsonValue artist = o.value(QStringLiteral("artist"));
    const std::optional<Date> at = Date::fromJson(o.value(QStringLiteral("at")));
    const QJsonValue seconds = o.value(QStringLiteral("seconds"));
    const QJsonValue duration = o.value(QStringLiteral("duration"));
    const QJsonValue mix = o.value(QStringLiteral("mix"));
    if (!path.isString() || !artist.isString() || !at || !seconds.isDouble() || !duration.isDouble() ||
        !mix.isBool())
        return std::nullopt;
    return Listen{path.toString(),    artist.toString(),   *at,
                  seconds.toDouble(), duration.toDouble(), mix.toBool()};
}
