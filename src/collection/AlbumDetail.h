#pragma once

#include "AlbumSongsModel.h"
#include "kit/MenuSources.h"
#include "library/LibraryStore.h"
#include "playback/Player.h"

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <optional>

// The detail column of one album, beside an album grid: what its header reads, its song list's cursor and
// keys, the title's rename and the cover's drop. The album is named by its identity and followed through
// library changes. The QML only draws this.
class AlbumDetail : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY libraryChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY playerChanged)
    Q_PROPERTY(QString albumId READ albumId WRITE setAlbumId NOTIFY albumIdChanged)
    Q_PROPERTY(AlbumSongsModel* songs READ songs CONSTANT)
    Q_PROPERTY(bool valid READ valid NOTIFY albumChanged)
    Q_PROPERTY(QString title READ title NOTIFY albumChanged)
    Q_PROPERTY(QString artist READ artist NOTIFY albumChanged)
    Q_PROPERTY(QString overline READ overline NOTIFY albumChanged)
    Q_PROPERTY(QString facts READ facts NOTIFY albumChanged)
    Q_PROPERTY(QUrl artwork READ artwork NOTIFY albumChanged)
    // The first song's disc heading: the one heading with no space above it.
    Q_PROPERTY(QString firstDisc READ firstDisc NOTIFY albumChanged)
    // The album's songs as values (the add button's songs).
    Q_PROPERTY(QVariantList songValues READ songValues NOTIFY albumChanged)
    // -1: none.
    Q_PROPERTY(int cursor READ cursor WRITE setCursor NOTIFY cursorChanged)
    Q_PROPERTY(bool renaming READ renaming NOTIFY renamingChanged)
    Q_PROPERTY(QString draft READ draft WRITE setDraft NOTIFY draftChanged)

public:
    explicit AlbumDetail(QObject* parent = nullptr);

    // "album", or "album · 1999".
    static QString overline(const Album& album);
    // "12 songs · 2 discs · 49 min"; with the artist first when asked. An album without songs reads
    // "0 songs" alone: it has no length to tell.
    static QString facts(const Album& album, bool withArtist);
    // Whole minutes, halves away from zero, at least 1.
    static qint64 minutes(double seconds);
    // The picture a drop of addresses offers: the first local file; none without one (web addresses are
    // never fetched).
    static std::optional<QUrl> droppedPicture(const QList<QUrl>& urls);

    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    QString albumId() const { return m_albumId; }
    void setAlbumId(const QString& id);
    AlbumSongsModel* songs() { return &m_songs; }
    const std::optional<Album>& album() const { return m_album; }
    bool valid() const { return m_album.has_value(); }
    QString title() const { return m_album ? m_album->title : QString(); }
    QString artist() const { return m_album ? m_album->artist : QString(); }
    QString overline() const { return m_album ? overline(*m_album) : QString(); }
    QString facts() const { return m_album ? facts(*m_album, false) : QString(); }
    QString firstDisc() const {
        return m_album && !m_album->songs.isEmpty()
                   ? AlbumSongsModel::discHeading(*m_album, m_album->songs.first())
                   : QString();
    }
    QUrl artwork() const { return m_album ? m_album->artworkUrl() : QUrl(); }
    QVariantList songValues() const { return m_album ? m_album->songList() : QVariantList(); }
    int cursor() const { return m_cursor; }
    void setCursor(int cursor);
    bool renaming() const { return m_renaming; }
    QString draft() const { return m_draft; }
    void setDraft(const QString& draft);

    Q_INVOKABLE void play();
    Q_INVOKABLE void shuffle();
    // The list took the keyboard: without a cursor, it goes to the playing song, else to the first.
    Q_INVOKABLE void focusTaken();
    // A click on a row: the cursor goes there, then the album plays from it.
    Q_INVOKABLE void choose(int row);
    // A key for the song list; true when taken. Left hands the keyboard back (`leftPressed`).
    Q_INVOKABLE bool key(int key, int modifiers, const QString& text, bool autoRepeat, QQuickItem* focus);

    Q_INVOKABLE void startRename();
    // Stores the draft as the title of the album the rename began on; nothing when renaming ended or the
    // column moved on to another album meanwhile.
    Q_INVOKABLE void finishRenaming();
    Q_INVOKABLE void cancelRename();

    // A drop of addresses on the cover: whether it offers a picture, and taking it (true when stored).
    Q_INVOKABLE bool offersPicture(const QList<QUrl>& urls) const { return droppedPicture(urls).has_value(); }
    Q_INVOKABLE bool dropCover(const QList<QUrl>& urls);

signals:
    void libraryChanged();
    void playerChanged();
    void albumIdChanged();
    void albumChanged();
    void cursorChanged();
    void renamingChanged();
    void draftChanged();
    void leftPressed();

private:
    void lookUp();

    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QString m_albumId;
    std::optional<Album> m_album;
    AlbumSongsModel m_songs;
    int m_cursor = -1;
    bool m_renaming = false;
    QString m_draft;
    // The album the open rename belongs to.
    QString m_renamingId;
    QMetaObject::Connection m_libraryConnection;
};

// The album detail's "more" menu: keep handy (pinned, on the player) and edit (cover, rename, the file's
// title), built when it opens. "rename" is the column's own: it asks through `renameChosen`.
class AlbumMoreMenu : public MenuSource {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString albumID MEMBER m_albumID NOTIFY changed)
public:
    explicit AlbumMoreMenu(QObject* parent = nullptr) : MenuSource(parent) {}
    DropMenuPage page(const MenuContext& context) const override;
    static DropMenuPage pageFor(const Album& album, const MenuContext& context, std::function<void()> rename);

signals:
    void changed();
    void renameChosen();

private:
    QString m_albumID;
};
