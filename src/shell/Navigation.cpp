#include "Navigation.h"

#include "core/Text.h"

#include <QUuid>

int pageDepth(Page page) {
    static constexpr int depths[] = {0, 1, 5, 2, 3, 4};
    return depths[int(page)];
}

QString collectionTamskText(CollectionTamsk section) {
    switch (section) {
    case CollectionTamsk::artists:
        return QStringLiteral("artists");
    case CollectionTamsk::albums:
        return QStringLiteral("albums");
    case CollectionTamsk::songs:
        return QStringLiteral("songs");
    case CollectionTamsk::playlists:
        return QStringLiteral("playlists");
    }
    return {};
}

std::optional<CollectionTamsk> collectionTamskFromText(const QString& text) {
    for (auto s : {CollectionTamsk::artists, CollectionTamsk::albums, CollectionTamsk::songs,
                   CollectionTamsk::playlists})
        if (collectionTamskText(s) == text) return s;
    return std::nullopt;
}

std::optional<QString> canonicalUuid(const QString& text) {
    if (text.size() != 36) return std::nullopt;
    const QUuid uuid = QUuid::fromString(text);
    if (uuid.isNull() && text != QStringLiteral("00000000-0000-0000-0000-000000000000")) return std::nullopt;
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<Pin> Pin::playlist(const QString& uuidText) {
    auto id = canonicalUuid(uuidText);
    if (!id) return std::nullopt;
    return Pin{Kind::playlist, *id};
}

QString Pin::stored() const {
    switch (kind) {
    case Kind::artist:
        return QStringLiteral("artist:") + value;
    case Kind::album:
        return QStringLiteral("album:") + value;
    case Kind::playlist:
        return QStringLiteral("playlist:") + value;
    }
    return {};
}

std::optional<Pin> Pin::fromStored(const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QString kind = colon < 0 ? text : text.left(colon);
    const QString value = colon < 0 ? QString() : text.mid(colon + 1);
    if (kind == QLatin1String("artist")) return artist(value);
    if (kind == QLatin1String("album")) return album(value);
    if (kind == QLatin1String("playlist")) return playlist(value);
    return std::nullopt;
}

bool operator==(const Pin& a, const Pin& b) {
    return Text::lower(a.stored()) == Text::lower(b.stored());
}
size_t qHash(const Pin& pin, size_t seed) {
    return qHash(Text::lower(pin.stored()), seed);
}
size_t qHash(const MixSeed& s, size_t seed) {
    return qHashMulti(seed, int(s.kind), s.value);
}
