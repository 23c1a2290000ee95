#pragma once

#include "core/Date.h"

#include <QJsonObject>
#include <QString>
#include <optional>

// One song as it was listened to: which file, whose album, when it started and how far it got.
struct Listen {
    QString path;
    // The album artist, so every song of a compilation counts for the same artist.
    QString artist;
    Date at;
    double seconds = 0;
    double duration = 0;
    // Whether the queue was a Smart DJ mix when the song was loaded.
    bool mix = false;

    QJsonObject toJson() const;
    // All six keys are required with their types; other keys are ignored.
    static std::optional<Listen> fromJson(const QJsonValue& value);

    friend bool operator==(const Listen&, const Listen&) = default;
};
