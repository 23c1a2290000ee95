#include "PlaylistStore.h"

#include "LibraryStore.h"
#include "core/DataFolder.h"
#include "core/JsonFile.h"
#include "core/Text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QThreadPool>

namespace {

// One writer for every store: files land in the order the changes were made.
QThreadPool* writer() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(1);
        return p;
    }();
    return pool;
}

// The stores alive (on the GUI thread), so that waiting for the file can write what one holds back.
QList<PlaylistStore*>& liveStores() {
    static QList<PlaylistStore*> stores;
    return stores;
}

QStringList pathsOf(const QList<Song>& songs) {
    QStringList out;
    out.reserve(songs.size());
    for (const Song& s : songs)
        out.append(s.url.path);
    return out;
}

} // namespace

PlaylistStore::PlaylistStore(QObject* parent) : QObject(parent) {
    // A store made after another one reads what that one wrote.
    waitForWrites();
    // One bad element spoils the whole file; it is then set aside, so the first save cannot overwrite it.
    auto loaded = JsonFile::load<QList<Playlist>>(filePath(), [](const QJsonDocument& doc) {
        std::optional<QList<Playlist>> out;
        if (!doc.isArray()) return out;
        QList<Playlist> list;
        for (const QJsonValue& v : doc.array()) {
            auto p = Playlist::fromJson(v);
            if (!p) return out;
            list.append(std::move(*p));
        }
        out = std::move(list);
        return out;
    });
    if (loaded) m_playlists = std::move(*loaded);
    liveStores().append(this);
}

QString PlaylistStore::filePath() {
    return DataFolder::file(QStringLiteral("playlists.json"));
}

PlaylistStore::~PlaylistStore() {
    waitForWrites();
    liveStores().removeOne(this);
}

void PlaylistStore::waitForWrites() {
    for (;;) {
        writer()->waitForDone();
        // Nothing is being written now: what a store held back meanwhile is written too.
        bool more = false;
        for (PlaylistStore* store : std::as_const(liveStores())) {
            store->m_writing = false;
            if (store->m_unsaved) {
                store->write();
                more = true;
            }
        }
        if (!more) return;
    }
}

void PlaylistStore::save() {
    m_unsaved = true;
    // Changes made while a write is under way wait for its end and go out together.
    if (!m_writing) write();
}

void PlaylistStore::write() {
    m_unsaved = false;
    m_writing = true;
    // A playlist of 100,000 songs takes longer to encode and write than a frame lasts: the writer does it
    // from a copy, which shares the lists with the store until its next change. One write at a time keeps
    // that sharing (and the copy an edit then makes) to once per write, not once per edit.
    writer()->start([this, playlists = m_playlists, path = filePath()] {
        QJsonArray array;
        for (const Playlist& p : playlists)
            array.append(p.toJson());
        // A failed write leaves the change in memory; the next successful save writes it.
        JsonFile::write(path, QJsonDocument(array));
        // The store waits for this job before it goes, so it is still there to be told.
        QMetaObject::invokeMethod(this, &PlaylistStore::written, Qt::QueuedConnection);
    });
}

void PlaylistStore::written() {
    m_writing = false;
    if (m_unsaved) write();
}

void PlaylistStore::changed() {
    emit playlistsChanged();
    save();
}

std::optional<qsizetype> PlaylistStore::index(const QUuid& id) const {
    for (qsizetype i = 0; i < m_playlists.size(); ++i)
        if (m_playlists.at(i).id == id) return i;
    return std::nullopt;
}

std::optional<Playlist> PlaylistStore::playlist(const QUuid& id) const {
    if (auto i = index(id)) return m_playlists.at(*i);
    if (auto automatic = AutoPlaylist::fromId(id)) return automatic->playlist();
    return std::nullopt;
}

QList<Song> PlaylistStore::songs(const Playlist& playlist, const LibraryStore& library,
                                 const LikesAndPlays& player) const {
    if (auto automatic = AutoPlaylist::fromId(playlist.id)) return automatic->songs(library, player);
    QList<Song> out;
    out.reserve(playlist.paths.size());
    for (const QString& path : playlist.paths)
        if (auto song = library.song(path)) out.append(std::move(*song));
    return out;
}

QList<Playlist> PlaylistStore::automatic() const {
    QList<Playlist> out;
    for (AutoPlaylist a : AutoPlaylist::allCases())
        out.append(a.playlist());
    return out;
}

QString PlaylistStore::freshName() const {
    QSet<QString> taken;
    for (const Playlist& p : m_playlists)
        taken.insert(Text::lower(p.name));
    const QString base = QStringLiteral("new playlist");
    if (!taken.contains(base)) return base;
    for (qsizetype n = 2;; ++n) {
        QString candidate = base + QLatin1Char(' ') + QString::number(n);
        if (!taken.contains(candidate)) return candidate;
    }
}

Playlist PlaylistStore::create(const std::optional<QString>& name, const QList<Song>& songs) {
    QString trimmed = name ? Text::trimmed(*name) : QString();
    if (trimmed.isEmpty()) trimmed = freshName();
    Playlist p{QUuid::createUuid(), trimmed, pathsOf(songs), Date::now()};
    m_playlists.prepend(p);
    emit playlistCreated(p.id);
    changed();
    return p;
}

void PlaylistStore::rename(const QUuid& id, const QString& name) {
    const QString trimmed = Text::trimmed(name);
    if (trimmed.isEmpty()) return;
    auto i = index(id);
    if (!i) return;
    m_playlists[*i].name = trimmed;
    emit playlistRenamed(id);
    changed();
}

void PlaylistStore::deletePlaylist(const QUuid& id) {
    if (!index(id)) return;
    m_playlists.removeIf([&](const Playlist& p) { return p.id == id; });
    emit playlistDeleted(id);
    changed();
}

int PlaylistStore::add(const QList<Song>& songs, const QUuid& to) {
    auto i = index(to);
    if (!i) return 0;
    QStringList& paths = m_playlists[*i].paths;
    // Formed once: a new song given twice in one call is appended twice.
    const QSet<QString> present(paths.cbegin(), paths.cend());
    const qsizetype from = paths.size();
    int appended = 0;
    for (const Song& s : songs) {
        if (present.contains(s.url.path)) continue;
        paths.append(s.url.path);
        ++appended;
    }
    if (appended > 0) emit pathsAppended(to, from, appended);
    changed();
    return appended;
}

void PlaylistStore::remove(const Song& song, const QUuid& from) {
    auto i = index(from);
    if (!i) return;
    if (const qsizetype n = m_playlists[*i].paths.removeAll(song.url.path); n > 0)
        emit pathsRemoved(from, song.url.path, n);
    changed();
}

int PlaylistStore::place(const QList<Song>& songs, const std::optional<Song>& before, const QUuid& in) {
    auto i = index(in);
    if (!i) return 0;
    QStringList moving;
    QSet<QString> movingSet;
    for (const Song& s : songs) {
        if (movingSet.contains(s.url.path)) continue;
        movingSet.insert(s.url.path);
        moving.append(s.url.path);
    }
    if (before && movingSet.contains(before->url.path)) return 0;

    const QStringList& current = m_playlists.at(*i).paths;
    const QSet<QString> had(current.cbegin(), current.cend());
    QStringList result;
    result.reserve(current.size() + moving.size());
    for (const QString& path : current)
        if (!movingSet.contains(path)) result.append(path);
    qsizetype at = before ? result.indexOf(before->url.path) : -1;
    if (at < 0) at = result.size();
    const QString landing = at < result.size() ? result.at(at) : QString();
    for (qsizetype k = 0; k < moving.size(); ++k)
        result.insert(at + k, moving.at(k));
    if (result == current) return 0;

    int added = 0;
    for (const QString& path : std::as_const(moving))
        if (!had.contains(path)) ++added;
    m_playlists[*i].paths = std::move(result);
    emit pathsPlaced(in, moving, landing);
    changed();
    return added;
}

void PlaylistStore::move(const Song& song, int offset, const QUuid& in) {
    auto i = index(in);
    if (!i) return;
    QStringList& paths = m_playlists[*i].paths;
    const qsizetype from = paths.indexOf(song.url.path);
    if (from < 0) return;
    const qsizetype to = from + offset;
    if (to < 0 || to >= paths.size()) return;
    paths.swapItemsAt(from, to);
    emit pathsMoved(in, from, to);
    changed();
}
