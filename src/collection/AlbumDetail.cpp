#include "AlbumDetail.h"

#include "ListKeys.h"
#include "kit/MenuContext.h"

#include <QSet>
#include <cmath>

AlbumDetail::AlbumDetail(QObject* parent) : QObject(parent) {}

QString AlbumDetail::overline(const Album& album) {
    const std::optional<qint64> year = album.year();
    return year ? QStringLiteral("album · ") + QString::number(*year) : QStringLiteral("album");
}

qint64 AlbumDetail::minutes(double seconds) {
    if (!std::isfinite(seconds)) return 1;
    return std::max<qint64>(1, qint64(std::round(seconds / 60.0)));
}

QString AlbumDetail::facts(const Album& album, bool withArtist) {
    QStringList parts;
    if (withArtist) parts.append(album.artist);
    const qsizetype n = album.songs.size();
    parts.append(n == 1 ? QStringLiteral("1 song") : QString::number(n) + QStringLiteral(" songs"));
    QSet<qint64> discs;
    double seconds = 0;
    for (const Song& s : album.songs) {
        discs.insert(s.disc);
        if (std::isfinite(s.duration) && s.duration > 0) seconds += s.duration;
    }
    if (discs.size() >= 2) parts.append(QString::number(discs.size()) + QStringLiteral(" discs"));
    if (n > 0) parts.append(QString::number(minutes(seconds)) + QStringLiteral(" min"));
    return parts.join(QStringLiteral(" · "));
}

std::optional<QUrl> AlbumDetail::droppedPicture(const QList<QUrl>& urls) {
    for (const QUrl& url : urls)
        if (url.isLocalFile() && !url.toLocalFile().isEmpty()) return url;
    return std::nullopt;
}

void AlbumDetail::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    disconnect(m_libraryConnection);
    m_library = library;
    m_songs.setLibrary(library);
    if (m_library)
        m_libraryConnection = connect(m_library, &LibraryStore::albumsChanged, this, &AlbumDetail::lookUp);
    lookUp();
    emit libraryChanged();
}

void AlbumDetail::setPlayer(Player* player) {
    if (m_player == player) return;
    m_player = player;
    m_songs.setPlayer(player);
    emit playerChanged();
}

void AlbumDetail::setAlbumId(const QString& id) {
    if (m_albumId == id) return;
    m_albumId = id;
    // Another album: a rename in progress is dropped, the cursor starts over.
    cancelRename();
    setCursor(-1);
    lookUp();
    emit albumIdChanged();
}

void AlbumDetail::lookUp() {
    std::optional<Album> album =
        m_library && !m_albumId.isEmpty() ? m_library->album(m_albumId) : std::nullopt;
    if (album == m_album) return;
    m_album = std::move(album);
    m_songs.setAlbum(m_album.value_or(Album()));
    emit albumChanged();
}

void AlbumDetail::setCursor(int cursor) {
    if (m_cursor == cursor) return;
    m_cursor = cursor;
    emit cursorChanged();
}

void AlbumDetail::setDraft(const QString& draft) {
    if (m_draft == draft) return;
    m_draft = draft;
    emit draftChanged();
}

void AlbumDetail::play() {
    if (m_album && m_player) m_player->play(m_album->songs, 0);
}

void AlbumDetail::shuffle() {
    if (m_album && m_player) m_player->play(MenuContext::shuffled(m_album->songs, {}), 0);
}

void AlbumDetail::focusTaken() {
    if (m_cursor >= 0) return;
    const int current = m_songs.currentRow();
    setCursor(current >= 0 ? current : 0);
}

void AlbumDetail::choose(int row) {
    if (row < 0 || row >= m_songs.rowCount()) return;
    setCursor(row);
    m_songs.play(row);
}

bool AlbumDetail::key(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus) {
    const ListKeys::Result r =
        ListKeys::press({key, Qt::KeyboardModifiers(modifiers), text, autoRepeat},
                        {m_songs.rowCount(), m_cursor, ListKeys::isTextInput(focus), true, false},
                        [this](int row) { return m_songs.titleAt(row); });
    if (!r.handled) return false;
    setCursor(r.cursor);
    if (r.action == ListKeys::Action::choose) m_songs.play(r.cursor);
    if (r.action == ListKeys::Action::left) emit leftPressed();
    return true;
}

void AlbumDetail::startRename() {
    if (!m_album) return;
    setDraft(m_album->title);
    m_renamingId = m_albumId;
    if (!m_renaming) {
        m_renaming = true;
        emit renamingChanged();
    }
}

void AlbumDetail::finishRenaming() {
    if (!m_renaming) return;
    m_renaming = false;
    emit renamingChanged();
    // The draft belongs to the album the rename began on; the column may show another by now.
    if (m_renamingId != m_albumId || !m_album || !m_library) return;
    m_library->rename(*m_album, m_draft);
}

void AlbumDetail::cancelRename() {
    m_renamingId.clear();
    if (!m_renaming) return;
    m_renaming = false;
    emit renamingChanged();
}

bool AlbumDetail::dropCover(const QList<QUrl>& urls) {
    const std::optional<QUrl> picture = droppedPicture(urls);
    if (!picture || !m_album || !m_library) return false;
    return m_library->setCover(*picture, *m_album);
}

DropMenuPage AlbumMoreMenu::pageFor(const Album& album, const MenuContext& context,
                                    std::function<void()> rename) {
    DropMenuSection handy{
        QStringLiteral("keep handy"),
        {context.pinned(Pin::album(album.id())), context.onPlayer(PlayerPick::album(album))}};
    DropMenuSection edit{QStringLiteral("edit"), context.coverItems(album)};
    edit.items.emplace_back(QStringLiteral("rename"), false, false, std::move(rename));
    if (!album.songs.isEmpty() && album.songs.first().taggedAlbum) {
        QPointer<LibraryStore> lib(&context.library);
        edit.items.emplace_back(QStringLiteral("use the file's title"), false, true, [lib, album] {
            // The empty title takes the user's own away: the song files' returns.
            if (lib) lib->rename(album, QString());
        });
    }
    return DropMenuPage({std::move(handy), std::move(edit)});
}

DropMenuPage AlbumMoreMenu::page(const MenuContext& context) const {
    const std::optional<Album> album = context.library.album(m_albumID);
    if (!album) return DropMenuPage();
    QPointer<const AlbumMoreMenu> self(this);
    return pageFor(*album, context, [self] {
        if (self) emit const_cast<AlbumMoreMenu*>(self.data())->renameChosen();
    });
}
