#include "ArtistSection.h"

#include "ArtistListModel.h"
#include "core/Defaults.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"

#include <cmath>

ArtistSection::ArtistSection(QObject* parent) : QObject(parent) {
    m_grid.setSecond(AlbumGridModel::SecondLine::year);
    m_grid.setHasLeft(true);
    connect(&m_grid, &AlbumGridModel::selectionPicked, this, &ArtistSection::chooseAlbum);
    connect(&m_grid, &AlbumGridModel::leftPressed, this,
            [this] { setFocusColumn(int(CollectionColumn::artists)); });
    connect(&m_grid, &AlbumGridModel::rightPressed, this,
            [this] { setFocusColumn(int(CollectionColumn::songs)); });
    connect(this, &ArtistSection::changed, this, [this] {
        const std::optional<Artist> a = artist();
        const QString key = a ? a->id() : QString();
        if (key != m_artistKey) {
            // The page of the artist before goes with this change: its grid drops its cells first, rather
            // than making cells for the new artist's albums only to drop them with the page. The new page
            // then fills its grid once.
            m_grid.setAlbums({});
            m_artistKey = key;
            emit artistKeyChanged();
        }
        updateGrid();
    });
}

void ArtistSection::setApp(AppModel* app) {
    if (m_app == app) return;
    disconnect(m_appConnection);
    m_app = app;
    m_grid.setApp(app);
    if (app) m_appConnection = connect(app, &AppModel::selectionChanged, this, &ArtistSection::changed);
    emit storesChanged();
    emit changed();
}

void ArtistSection::setLibrary(LibraryStore* library) {
    if (m_library == library) return;
    disconnect(m_libraryConnection);
    m_library = library;
    if (library)
        m_libraryConnection = connect(library, &LibraryStore::artistsChanged, this, &ArtistSection::changed);
    emit storesChanged();
    emit changed();
}

void ArtistSection::setDefaults(Defaults* defaults) {
    if (m_defaults == defaults) return;
    disconnect(m_defaultsConnection);
    m_defaults = defaults;
    if (defaults)
        m_defaultsConnection = connect(defaults, &Defaults::changed, this, [this](const QString& key) {
            if (key == SortSetting::artistAlbums) emit changed();
        });
    emit storesChanged();
    emit changed();
}

std::optional<Artist> ArtistSection::artist() const {
    if (!m_app || !m_library || !m_app->selectedArtist()) return std::nullopt;
    return m_library->artist(*m_app->selectedArtist());
}

int ArtistSection::artistIndex() const {
    const std::optional<Artist> a = artist();
    if (!a) return 0;
    const int at = ArtistListModel::positionOf(m_library->artists(), a->name);
    return at < 0 ? -1 : at + 1;
}

void ArtistSection::setArtistIndex(int row) {
    if (!m_app || !m_library || row < 0) return;
    if (row == 0) {
        m_app->setSelectedArtist(std::nullopt);
    } else {
        const QList<Artist>& artists = m_library->artists();
        if (row > artists.size()) return;
        m_app->setSelectedArtist(artists.at(row - 1).name);
    }
    m_app->setSelectedAlbumID(std::nullopt);
}

QString ArtistSection::artistName() const {
    const std::optional<Artist> a = artist();
    return a ? a->name : QString();
}

AlbumSort ArtistSection::albumSort() const {
    return m_defaults ? SortSetting::artistAlbumSort(*m_defaults) : SortSetting::artistAlbumsDefault;
}

void ArtistSection::nextAlbumSort() {
    if (m_defaults)
        SortSetting::setAlbumSort(*m_defaults, SortSetting::artistAlbums, Sorts::next(albumSort()));
}

QList<Album> ArtistSection::albums() const {
    if (const std::optional<Artist> a = artist()) return Sorts::sorted(albumSort(), a->albums);
    return m_library ? Sorts::sorted(albumSort(), m_library->albums()) : QList<Album>();
}

QVariantList ArtistSection::albumValues() const {
    QVariantList out;
    if (!artist()) return out;
    for (const Album& album : albums())
        out.append(QVariant::fromValue(album));
    return out;
}

QString ArtistSection::albumID() const {
    const std::optional<Artist> a = artist();
    if (!a || a->albums.isEmpty()) return {};
    const QList<Album> sorted = albums();
    if (const std::optional<QString>& chosen = m_app->selectedAlbumID())
        for (const Album& album : sorted)
            if (album.id() == *chosen) return album.id();
    return sorted.first().id();
}

void ArtistSection::updateGrid() {
    // The grid is told only the rows that differ, so choosing another album redraws no cell.
    m_grid.setAlbums(hasArtist() ? albums() : QList<Album>());
    const QString shown = albumID();
    m_grid.setSelection(shown);
    // Right hands the keyboard to the songs only while an album's songs stand beside the grid.
    m_grid.setHasRight(!shown.isEmpty());
}

void ArtistSection::setFocusColumn(int column) {
    if (m_focus == column) return;
    m_focus = column;
    emit focusColumnChanged();
}

void ArtistSection::chooseAlbum(const QString& id) {
    if (!m_app) return;
    m_app->setSelectedAlbumID(id.isEmpty() ? std::nullopt : std::optional<QString>(id));
}

void ArtistSection::clickRow(int row) {
    setArtistIndex(row);
    setFocusColumn(int(CollectionColumn::artists));
}

void ArtistSection::showArtist(const QString& name) {
    if (!m_app) return;
    m_app->setSelectedArtist(name);
    m_app->setSelectedAlbumID(std::nullopt);
}

void ArtistSection::playAll() {
    if (!m_player) return;
    QList<Song> songs;
    for (const Album& album : albums())
        songs.append(album.songs);
    if (!songs.isEmpty()) m_player->play(songs, 0);
}

QString ArtistSection::keyName(int row) const {
    if (!m_library || row <= 0 || row > m_library->artists().size()) return {};
    return m_library->artists().at(row - 1).name;
}

ListKeys::Result ArtistSection::press(const ListKeys::Press& p, bool editingText) {
    const int count = m_library ? int(m_library->artists().size()) + 1 : 1;
    const ListKeys::Result r = ListKeys::press(p, {count, artistIndex(), editingText, false, hasArtist()},
                                               [this](int row) { return keyName(row); });
    if (!r.handled) return r;
    switch (r.action) {
    case ListKeys::Action::choose:
        playAll();
        break;
    case ListKeys::Action::right:
        setFocusColumn(int(CollectionColumn::albums));
        break;
    case ListKeys::Action::left:
        break;
    case ListKeys::Action::none:
        if (r.cursor != artistIndex()) setArtistIndex(r.cursor);
        break;
    }
    return r;
}

bool ArtistSection::key(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus) {
    return press({key, Qt::KeyboardModifiers(modifiers), text, autoRepeat}, ListKeys::isTextInput(focus))
        .handled;
}

int ArtistWallGrid::columns(double width) {
    if (!std::isfinite(width)) return 1;
    return std::max(1, int(std::floor((width + 24) / 174)));
}

double ArtistWallGrid::cellWidth(double width) {
    const int n = columns(width);
    if (!std::isfinite(width) || width <= 0) return 150;
    return std::min((width - 24.0 * (n - 1)) / n, 200.0);
}

QString ArtistWallGrid::counts(int albums, int songs) {
    const QString a =
        albums == 1 ? QStringLiteral("1 album") : QString::number(albums) + QStringLiteral(" albums");
    const QString s =
        songs == 1 ? QStringLiteral("1 song") : QString::number(songs) + QStringLiteral(" songs");
    return a + QStringLiteral(" · ") + s;
}
