#include "LastFMArtist.h"

#include <QJsonArray>
#include <cmath>

QJsonObject LastFMArtist::toJson() const {
    QJsonObject similarObject;
    for (auto it = similar.cbegin(); it != similar.cend(); ++it)
        similarObject.insert(it.key(), it.value());
    return QJsonObject{
        {QStringLiteral("similar"), similarObject},
        {QStringLiteral("tags"), QJsonArray::fromStringList(tags)},
        {QStringLiteral("fetched"), fetched.toJson()},
    };
}

std::optional<LastFMArtist> LastFMArtist::fromJson(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue similarValue = object.value(QStringLiteral("similar"));
    const QJsonValue tagsValue = object.value(QStringLiteral("tags"));
    const std::optional<Date> fetched = Date::fromJson(object.value(QStringLiteral("fetched")));
    if (!similarValue.isObject() || !tagsValue.isArray() || !fetched) return std::nullopt;

    LastFMArtist artist;
    artist.fetched = *fetched;
    const QJsonObject similarObject = similarValue.toObject();
    for (auto it = similarObject.constBegin(); it != similarObject.constEnd(); ++it) {
        if (!it.value().isDouble() || !std::isfinite(it.value().toDouble())) return std::nullopt;
        artist.similar.insert(it.key(), it.value().toDouble());
    }
    for (const QJsonValue& tag : tagsValue.toArray()) {
        if (!tag.isString()) return std::nullopt;
        artist.tags.append(tag.toString());
    }
    return artist;
}
