// The library store's side of the user's own titles and covers.
#include "LibraryStore.h"

#include "core/Text.h"

namespace {

// Sets or clears one edit: an empty name, or one equal to the tag, means "show the tag".
void putEdit(QHash<QString, QString>& edits, const QString& key, const QString& name, const QString& tag) {
    const QString trimmed = Text::trimmed(name);
    if (trimmed.isEmpty() || trimmed == tag)
        edits.remove(key);
    else
        edits.insert(key, trimmed);
}

} // namespace

void LibraryStore::rename(const Song& song, const QString& name) {
    putEdit(m_edits.songTitles, song.url.path, name, song.taggedTitle.value_or(song.title));
    m_edits.save();
    if (!reapplyEdits({song.url.path}, {})) set(scanned());
}

void LibraryStore::rename(const Album& album, const QString& name) {
    const QString tag = !album.songs.isEmpty() && album.songs.first().taggedAlbum
                            ? *album.songs.first().taggedAlbum
                            : album.title;
    // Keyed by the identity, which is built from the tagged name, so pins, picks and covers still find it.
    putEdit(m_edits.albumTitles, album.id(), name, tag);
    m_edits.save();
    if (!reapplyEdits({}, {album.id()})) set(scanned());
}

bool LibraryStore::setCover(const QUrl& picture, const Album& album) {
    const std::optional<QString> name = LibraryEdits::keepCover(picture);
    if (!name) return false;
    const QString id = album.id();
    const std::optional<QString> old =
        m_edits.covers.contains(id) ? std::optional(m_edits.covers.value(id)) : std::nullopt;
    m_edits.covers.insert(id, *name);
    // The old picture goes only once the record no longer names it; after a failed save the file on disk
    // still names it, and the next run must find it.
    if (m_edits.save() && old && *old != *name) LibraryEdits::forgetCover(*old);
    if (!reapplyEdits({}, {id})) set(scanned());
    return true;
}

void LibraryStore::removeCover(const Album& album) {
    auto it = m_edits.covers.find(album.id());
    if (it == m_edits.covers.end()) return;
    const QString old = *it;
    m_edits.covers.erase(it);
    if (m_edits.save()) LibraryEdits::forgetCover(old);
    if (!reapplyEdits({}, {album.id()})) set(scanned());
}

void LibraryStore::coverChosen(const QUrl& picture, const Album& album) {
    if (picture.isEmpty() || !picture.isLocalFile()) return;
    setCover(picture, album);
}

QString LibraryStore::coverChooseMessage(const Album& album) {
    return QStringLiteral("Choose a cover for ") + album.title + QLatin1Char('.');
}
