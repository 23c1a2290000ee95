#include "Playlist.h"

#include <QJsonArray>

QString Playlist::uuidText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> Playlist::uuid(const QString& text) {
    // QUuid also takes braces and gives the null UUID for anything it cannot read; neither is a stored id.
    if (text.size() != 36) return std::nullopt;
    const QUuid id = QUuid::fromString(text);
    if (id.isNull() && text != QLatin1String("00000000-0000-0000-0000-000000000000")) return std::nullopt;
    return id;
}

QJsonObject Playlist::toJson() const {
    QJsonObject o;
    o.insert(QStringLiteral("id"), uuidText(id));
    o.insert(QStringLiteral("name"), name);
    o.insert(QStringLiteral("paths"), QJsonArray::fromStringList(paths));
    o.insert(QStringLiteral("created"), created.toJson());
    return o;
}

std::optional<Playlist> Playlist::fromJson(const QJsonValue& value) {
    if (!value.isObject()) return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue id = o.value(QLatin1String("id"));
    const QJsonValue name = o.value(QLatin1String("name"));
    const QJsonValue paths = o.value(QLatin1String("paths"));
    if (!id.isString() || !name.isString() || !paths.isArray()) return std::nullopt;
    Playlist p;
    auto uuid = Playlist::uuid(id.toString());
    auto created = Date::fromJson(o.value(QLatin1String("created")));
    if (!uuid || !created) return std::nullopt;
    p.id = *uuid;
    p.name = name.toString();
    p.created = *created;
    const QJsonArray list = paths.toArray();
    p.paths.reserve(list.size());
    for (const QJsonValue& path : list) {
        if (!path.isString()) return std::nullopt;
        p.paths.append(path.toString());
    }
    return p;
}

size_t qHash(const Playlist& p, size_t seed) {
    return qHashMulti(seed, p.id, p.name, p.paths, p.created.seconds);
}
