#include "ArtistMostPlayed.h"

#include "core/Text.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"

#include <algorithm>

ArtistMostPlayed::ArtistMostPlayed(QObject* parent) : SongListModel(parent) {
    connect(this, &SongListModel::playerChanged, this, [this] {
        disconnect(m_playsConnection);
        if (player())
            m_playsConnection =
                connect(player(), &Player::playCountsChanged, this, &ArtistMostPlayed::refresh);
        refresh();
    });
}

void ArtistMostPlayed::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    disconnect(m_libraryConnection);
    m_library = library;
    if (library)
        m_libraryConnection =
            connect(library, &LibraryStore::artistsChanged, this, &ArtistMostPlayed::refresh);
    emit libraryChanged();
    refresh();
}

void ArtistMostPlayed::setArtist(const QString& name) {
    if (m_artist == name) return;
    m_artist = name;
    emit artistChanged();
    refresh();
}

QList<Song> ArtistMostPlayed::choose(const QList<Song>& songs, const QHash<QString, int>& playCounts) {
    QList<std::pair<Song, int>> played;
    for (const Song& song : songs)
        if (const int plays = playCounts.value(song.path(), 0); plays >= 1) played.append({song, plays});
    std::stable_sort(played.begin(), played.end(), [](const auto& a, const auto& b) {
        if (a.second != b.second) return a.second > b.second;
        return Text::plainLess(a.first.title, b.first.title);
    });
    QList<Song> out;
    for (qsizetype i = 0; i < played.size() && i < limit; ++i)
        out.append(played.at(i).first);
    return out;
}

void ArtistMostPlayed::refresh() {
    const std::optional<Artist> artist = m_library ? m_library->artist(m_artist) : std::nullopt;
    QList<Song> songs = artist && player() ? choose(artist->songs(), player()->playCounts()) : QList<Song>();
    // Five rows at most: a reset also brings every row's play count up to date.
    beginResetModel();
    m_songs = std::move(songs);
    endResetModel();
    rowsMoved();
}

QString ArtistMostPlayed::subtitleAt(int row) const {
    if (row < 0 || row >= m_songs.size()) return {};
    const Song& song = m_songs.at(row);
    const int plays = player() ? player()->playCounts().value(song.path(), 0) : 0;
    return song.album + QStringLiteral(" · ") +
           (plays == 1 ? QStringLiteral("1 play") : QString::number(plays) + QStringLiteral(" plays"));
}
