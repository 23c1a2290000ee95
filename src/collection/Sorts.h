#pragma once

#include "core/Date.h"
#include "library/Album.h"
#include "library/Song.h"

#include <QList>
#include <QString>
#include <optional>

class Defaults;

// The orders of album grids and song lists, the headed runs of album grids, and the choices the user keeps
// across launches. Plain values and pure functions: the caller passes the moment a grid is built, so every
// heading of one grid is made against the same `now`.

enum class AlbumSort { dateAdded, title, artist, year };
enum class SongSort { title, artist, dateAdded };

// One headed run of an album grid. Two runs may share a heading (a second "#" run after the letters), so
// grids tell runs apart by their position, not by `id()`.
struct AlbumGroup {
    std::optional<QString> title;
    QList<Album> albums;
    QString id() const { return title.value_or(QString()); }
    friend bool operator==(const AlbumGroup&, const AlbumGroup&) = default;
};

namespace Sorts {

QString rawValue(AlbumSort sort);
QString rawValue(SongSort sort);
// Exact, case-sensitive: any other text is no sort.
std::optional<AlbumSort> albumSort(const QString& raw);
std::optional<SongSort> songSort(const QString& raw);

// The text of a sort button: "by date added", "a–z", "by artist", "by year".
QString label(AlbumSort sort);
QString label(SongSort sort);

// The next sort in declaration order, the last going round to the first.
AlbumSort next(AlbumSort sort);
SongSort next(SongSort sort);

// Stable orders: what a rule finds equal keeps its input order.
QList<Album> sorted(AlbumSort sort, QList<Album> albums);
QList<Song> sorted(SongSort sort, QList<Song> songs);

QList<AlbumGroup> grouped(AlbumSort sort, const QList<Album>& albums, Date now);
QString heading(AlbumSort sort, const Album& album, Date now);

} // namespace Sorts

// The three stored choices. A missing value, one of the wrong type or a text that is no sort reads as the
// list's default and is left as it is stored until the user picks another order.
namespace SortSetting {
inline const QString artistAlbums = QStringLiteral("albumSort");
inline const QString albumWall = QStringLiteral("albumWallSort");
inline const QString songs = QStringLiteral("songSort");
inline constexpr AlbumSort artistAlbumsDefault = AlbumSort::year;
inline constexpr AlbumSort albumWallDefault = AlbumSort::dateAdded;
inline constexpr SongSort songsDefault = SongSort::title;

AlbumSort artistAlbumSort(const Defaults& defaults);
AlbumSort albumWallSort(const Defaults& defaults);
SongSort songSort(const Defaults& defaults);
void setAlbumSort(Defaults& defaults, const QString& key, AlbumSort sort);
void setSongSort(Defaults& defaults, SongSort sort);
} // namespace SortSetting
