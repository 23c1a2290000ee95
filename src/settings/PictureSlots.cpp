#include "PictureSlots.h"

#include "kit/DropMenu.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"

#include "core/Text.h"

#include <QQmlEngine>
#include <QSet>

PictureSlots::PictureSlots(QObject* parent) : QObject(parent) {}

void PictureSlots::setPictures(ArtistImageStore* pictures) {
    if (pictures == m_pictures) return;
    m_pictures = pictures;
    follow();
}

void PictureSlots::setLibrary(LibraryStore* library) {
    if (library == m_library) return;
    m_library = library;
    follow();
}

void PictureSlots::follow() {
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_pictures)
        m_connections.append(
            connect(m_pictures, &ArtistImageStore::artistsChanged, this, &PictureSlots::slotsChanged));
    if (m_library)
        m_connections.append(
            connect(m_library, &LibraryStore::artistsChanged, this, &PictureSlots::slotsChanged));
    emit storesChanged();
    emit slotsChanged();
}

QList<PictureSlot> PictureSlots::currentSlots() const {
    QList<PictureSlot> out;
    if (!m_pictures) return out;
    for (const QString& stored : m_pictures->artists()) {
        const std::optional<Artist> artist = m_library ? m_library->artist(stored) : std::nullopt;
        out.append(PictureSlot{stored, artist ? artist->name : stored});
    }
    return out;
}

QVariantList PictureSlots::slotValues() const {
    QVariantList out;
    for (const PictureSlot& s : currentSlots())
        out.append(QVariantMap{{QStringLiteral("stored"), s.stored}, {QStringLiteral("shown"), s.shown}});
    return out;
}

namespace {
// The store's names compared as the store compares them, lower-cased: one set during this run keeps the
// spelling it was given.
QSet<QString> pictured(const ArtistImageStore* pictures) {
    QSet<QString> out;
    if (pictures)
        for (const QString& name : pictures->artists())
            out.insert(Text::lower(name));
    return out;
}
} // namespace

QStringList PictureSlots::without() const {
    QStringList out;
    if (!m_library) return out;
    const QSet<QString> have = pictured(m_pictures);
    for (const Artist& a : m_library->artists())
        if (!have.contains(Text::lower(a.name))) out.append(a.name);
    return out;
}

bool PictureSlots::canAdd() const {
    if (!m_library) return false;
    const QSet<QString> have = pictured(m_pictures);
    for (const Artist& a : m_library->artists())
        if (!have.contains(Text::lower(a.name))) return true;
    return false;
}

DropMenuPage PictureSlots::addMenu() {
    std::vector<DropMenuSection> sections(1);
    sections.front().title = QStringLiteral("add a picture for");
    const QStringList names = without();
    sections.front().items.reserve(names.size());
    QPointer<PictureSlots> self(this);
    for (const QString& name : names)
        sections.front().items.emplace_back(name + QStringLiteral("\u2026"), false, false, [self, name] {
            if (self) emit self->choosePicture(name);
        });
    return DropMenuPage(std::move(sections));
}

void PictureSlots::openAddMenu(QQuickItem* anchor) {
    if (!anchor) return;
    if (DropMenu* menus = DropMenu::of(qmlEngine(anchor)))
        menus->show(addMenu(), DropMenuAnchor::qmlAttachedProperties(anchor));
}

void PictureSlots::remove(const QString& stored) {
    if (m_pictures) m_pictures->remove(stored);
}
