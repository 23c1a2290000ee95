#include "AppModel.h"

#include "core/Defaults.h"
#include "core/Text.h"

#include <QJsonArray>
#include <QMetaObject>

namespace {

// A list of texts, or nothing when the key is missing or holds anything else (a list with a non-text entry
// included): the settings may have been written by an older or broken version.
std::optional<QStringList> textList(const Defaults& defaults, const QString& key) {
    const QJsonValue v = defaults.value(key);
    if (!v.isArray()) return std::nullopt;
    QStringList out;
    for (const QJsonValue& e : v.toArray()) {
        if (!e.isString()) return std::nullopt;
        out.append(e.toString());
    }
    return out;
}

QJsonArray toJson(const QStringList& list) {
    QJsonArray a;
    for (const QString& s : list)
        a.append(s);
    return a;
}

} // namespace

AppModel::AppModel(Defaults& defaults, QObject* parent) : QObject(parent), m_defaults(defaults) {
    if (auto stored = textList(defaults, QStringLiteral("pins"))) {
        for (const QString& text : *stored)
            if (auto pin = Pin::fromStored(text)) m_pins.append(*pin);
    } else if (auto older = textList(defaults, QStringLiteral("pinnedArtists"))) {
        for (const QString& name : *older)
            m_pins.append(Pin::artist(name));
    }
    m_smartDJArtists = textList(defaults, QStringLiteral("smartDJArtists"));
    if (defaults.stringValue(QStringLiteral("startPage")) == QLatin1String("collection"))
        m_page = Page::collection;
}

void AppModel::go(Page page) {
    if (m_mixview) closeMixview();
    if (page == m_page) return;
    m_backStack.append(m_page);
    if (m_backStack.size() > maxBack) m_backStack.removeFirst();
    if (m_backStack.size() == 1) emit canGoBackChanged();
    move(page, pageDepth(page) >= pageDepth(m_page));
}

void AppModel::back() {
    if (m_mixview) {
        if (m_mixTrail.isEmpty()) {
            setMixview(m_mixview, m_mixTrail, true);
        } else {
            QList<MixSeed> trail = m_mixTrail;
            const MixSeed previous = trail.takeLast();
            setMixview(previous, trail, m_mixviewLeaving);
        }
        return;
    }
    if (m_backStack.isEmpty()) return;
    const Page previous = m_backStack.takeLast();
    if (m_backStack.isEmpty()) emit canGoBackChanged();
    move(previous, false);
}

void AppModel::move(Page page, bool forward) {
    // The direction is published first and the page one event-loop turn later, so every view that follows
    // the page already knows which way the slide goes.
    if (m_forward != forward) {
        m_forward = forward;
        emit forwardChanged();
    }
    QMetaObject::invokeMethod(
        this,
        [this, page] {
            if (m_page == page) return;
            m_page = page;
            emit pageChanged();
        },
        Qt::QueuedConnection);
}

void AppModel::setMixview(std::optional<MixSeed> seed, QList<MixSeed> trail, bool leaving) {
    if (m_mixview == seed && m_mixTrail == trail && m_mixviewLeaving == leaving) return;
    m_mixview = std::move(seed);
    m_mixTrail = std::move(trail);
    m_mixviewLeaving = leaving;
    emit mixviewChanged();
}

void AppModel::openMixview(const MixSeed& seed) {
    setMixview(seed, {}, false);
}

void AppModel::tamskMixview(const MixSeed& seed) {
    if (!m_mixview || *m_mixview == seed) return;
    QList<MixSeed> trail = m_mixTrail;
    trail.append(*m_mixview);
    while (trail.size() > maxTrail)
        trail.removeFirst();
    setMixview(seed, trail, m_mixviewLeaving);
}

void AppModel::closeMixview() {
    setMixview(std::nullopt, {}, false);
}

void AppModel::requestMixviewClose() {
    if (m_mixview) setMixview(m_mixview, m_mixTrail, true);
}

namespace {
std::optional<MixSeed> seedFrom(const QString& kind, const QString& value) {
    if (kind == QLatin1String("artist")) return MixSeed::artist(value);
    if (kind == QLatin1String("album")) return MixSeed::album(value);
    return std::nullopt;
}
} // namespace

void AppModel::openMixview(const QString& kind, const QString& value) {
    if (auto seed = seedFrom(kind, value)) openMixview(*seed);
}

void AppModel::tamskMixview(const QString& kind, const QString& value) {
    if (auto seed = seedFrom(kind, value)) tamskMixview(*seed);
}

QString AppModel::mixviewKind() const {
    if (!m_mixview) return {};
    return m_mixview->kind == MixSeed::Kind::artist ? QStringLiteral("artist") : QStringLiteral("album");
}

void AppModel::showPlaylist(const QString& id) {
    setSelectedPlaylistID(canonicalUuid(id));
    setCollectionTamsk(CollectionTamsk::playlists, true);
    go(Page::collection);
}

void AppModel::show(const std::optional<QString>& artist, const std::optional<QString>& album) {
    setSelectedArtist(artist);
    setSelectedAlbumID(album);
    setCollectionTamsk(CollectionTamsk::artists, false);
    go(Page::collection);
}

void AppModel::showArtist(const QVariant& artist, const QVariant& album) {
    auto text = [](const QVariant& v) {
        return v.isNull() || !v.isValid() ? std::nullopt : std::optional(v.toString());
    };
    show(text(artist), text(album));
}

void AppModel::togglePin(const Pin& pin) {
    if (m_pins.contains(pin)) {
        m_pins.removeAll(pin);
    } else {
        m_pins.prepend(pin);
        if (m_pins.size() > maxPins) m_pins.resize(maxPins);
    }
    writePins();
}

void AppModel::togglePin(const QString& stored) {
    if (auto pin = Pin::fromStored(stored)) togglePin(*pin);
}

bool AppModel::isPinned(const QString& stored) const {
    auto pin = Pin::fromStored(stored);
    return pin && isPinned(*pin);
}

void AppModel::clearPins() {
    m_pins.clear();
    writePins();
}

void AppModel::writePins() {
    m_defaults.set(QStringLiteral("pins"), toJson(pinTexts()));
    m_defaults.remove(QStringLiteral("pinnedArtists"));
    emit pinsChanged();
}

QStringList AppModel::pinTexts() const {
    QStringList out;
    for (const Pin& p : m_pins)
        out.append(p.stored());
    return out;
}

bool AppModel::hasSmartDJ(const QString& name) const {
    if (!m_smartDJArtists) return false;
    const QString key = Text::lower(name);
    for (const QString& n : *m_smartDJArtists)
        if (Text::lower(n) == key) return true;
    return false;
}

void AppModel::toggleSmartDJ(const QString& name) {
    QStringList list = m_smartDJArtists.value_or(QStringList{});
    if (hasSmartDJ(name)) {
        const QString key = Text::lower(name);
        list.removeIf([&](const QString& n) { return Text::lower(n) == key; });
    } else {
        list.append(name);
        while (list.size() > maxSmartDJ)
            list.removeFirst();
    }
    setSmartDJ(list);
}

void AppModel::setSmartDJ(const QStringList& names) {
    m_smartDJArtists = names;
    m_defaults.set(QStringLiteral("smartDJArtists"), toJson(names));
    emit smartDJArtistsChanged();
}

void AppModel::setSelectedArtist(const std::optional<QString>& name) {
    if (m_selectedArtist == name) return;
    m_selectedArtist = name;
    emit selectionChanged();
}

void AppModel::setSelectedAlbumID(const std::optional<QString>& id) {
    if (m_selectedAlbumID == id) return;
    m_selectedAlbumID = id;
    emit selectionChanged();
}

void AppModel::setCollectionTamsk(CollectionTamsk section, bool animated) {
    if (m_collectionTamsk == section) return;
    m_collectionTamsk = section;
    m_collectionTamskAnimated = animated;
    emit collectionTamskChanged();
}

void AppModel::setSelectedPlaylistID(const std::optional<QString>& id) {
    if (m_selectedPlaylistID == id) return;
    m_selectedPlaylistID = id;
    emit selectedPlaylistIDChanged();
}

void AppModel::setSelectedPlaylistIDValue(const QVariant& v) {
    setSelectedPlaylistID(v.isNull() || !v.isValid() ? std::nullopt : canonicalUuid(v.toString()));
}

void AppModel::setNamingNewPlaylist(bool on) {
    if (m_namingNewPlaylist == on) return;
    m_namingNewPlaylist = on;
    emit namingNewPlaylistChanged();
}

void AppModel::setSamplePlayer(bool on) {
    if (m_samplePlayer == on) return;
    m_samplePlayer = on;
    emit samplePlayerChanged();
}
