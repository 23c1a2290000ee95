#pragma once

#include "core/Date.h"

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QtQml/qqmlregistration.h>
#include <optional>

// One of the user's playlists. Songs are remembered by file path only, so a playlist survives rescans and a
// song that leaves the library drops out of the list until its file comes back.
struct Playlist {
    Q_GADGET
    QML_VALUE_TYPE(playlist)
    Q_PROPERTY(QString id READ idText)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QStringList paths MEMBER paths)
    Q_PROPERTY(double created READ createdSeconds)

public:
    QUuid id;
    QString name;
    QStringList paths;
    Date created;

    QString idText() const { return uuidText(id); }
    double createdSeconds() const { return created.seconds; }

    // The stored form of a UUID: 36 characters, hyphenated, upper-case hexadecimal.
    static QString uuidText(const QUuid& id);
    // Accepts exactly the 36-character hyphenated form in either letter case; nullopt for anything else.
    static std::optional<QUuid> uuid(const QString& text);

    QJsonObject toJson() const;
    // nullopt unless all four keys are there with the right types.
    static std::optional<Playlist> fromJson(const QJsonValue& value);

    friend bool operator==(const Playlist&, const Playlist&) = default;
};

size_t qHash(const Playlist& playlist, size_t seed = 0);
