#pragma once

#include "core/Date.h"

#include <QHash>
#include <QJsonObject>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <optional>

// What Last.fm said of one artist: its similar artists (lower-cased name to the service's match value), at
// most 8 cleaned top tags in the service's order, and when the answer came.
struct LastFMArtist {
    QHash<QString, double> similar;
    QStringList tags;
    Date fetched;

    // All three keys are written, and all three must be there (with the right types) to read an entry back.
    QJsonObject toJson() const;
    static std::optional<LastFMArtist> fromJson(const QJsonValue& value);

    friend bool operator==(const LastFMArtist&, const LastFMArtist&) = default;
};

// The cache, keyed by lower-cased artist name.
using LastFMArtists = QHash<QString, LastFMArtist>;

Q_DECLARE_METATYPE(LastFMArtist)
