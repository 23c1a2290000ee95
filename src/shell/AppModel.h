#pragma once

#include "Navigation.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QtQml/qqmlregistration.h>
#include <optional>

class Defaults;

// The one navigation state of the main window: the page and the direction of the last change, the history
// behind Back, the collection's choices, the Quickplay pins, the Smart DJ artists and Mixview. Pins, the
// Smart DJ artists and the start page live in the settings.
class AppModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the application")
    Q_PROPERTY(Nav::Page page READ page NOTIFY pageChanged)
    Q_PROPERTY(bool forward READ forward NOTIFY forwardChanged)
    Q_PROPERTY(QVariant selectedArtist READ selectedArtistValue NOTIFY selectionChanged)
    Q_PROPERTY(QVariant selectedAlbumID READ selectedAlbumIDValue NOTIFY selectionChanged)
    Q_PROPERTY(Nav::CollectionTamsk collectionTamsk READ collectionTamsk WRITE setCollectionTamskAnimated
                   NOTIFY collectionTamskChanged)
    Q_PROPERTY(bool collectionTamskAnimated READ collectionTamskAnimated NOTIFY collectionTamskChanged)
    Q_PROPERTY(QVariant selectedPlaylistID READ selectedPlaylistIDValue WRITE setSelectedPlaylistIDValue
                   NOTIFY selectedPlaylistIDChanged)
    Q_PROPERTY(bool namingNewPlaylist READ namingNewPlaylist WRITE setNamingNewPlaylist NOTIFY
                   namingNewPlaylistChanged)
    Q_PROPERTY(QStringList pins READ pinTexts NOTIFY pinsChanged)
    Q_PROPERTY(QVariant smartDJArtists READ smartDJArtistsValue NOTIFY smartDJArtistsChanged)
    Q_PROPERTY(bool samplePlayer READ samplePlayer WRITE setSamplePlayer NOTIFY samplePlayerChanged)
    Q_PROPERTY(bool mixviewOpen READ mixviewOpen NOTIFY mixviewChanged)
    Q_PROPERTY(QString mixviewKind READ mixviewKind NOTIFY mixviewChanged)
    Q_PROPERTY(QString mixviewValue READ mixviewValue NOTIFY mixviewChanged)
    Q_PROPERTY(int mixTrailLength READ mixTrailLength NOTIFY mixviewChanged)
    Q_PROPERTY(bool mixviewLeaving READ mixviewLeaving NOTIFY mixviewChanged)
    Q_PROPERTY(bool canGoBack READ canGoBack NOTIFY canGoBackChanged)

public:
    static constexpr int maxBack = 30;
    static constexpr int maxTrail = 30;
    static constexpr int maxPins = 6;
    static constexpr int maxSmartDJ = 5;

    explicit AppModel(Defaults& defaults, QObject* parent = nullptr);

    Page page() const { return m_page; }
    bool forward() const { return m_forward; }
    const std::optional<QString>& selectedArtist() const { return m_selectedArtist; }
    const std::optional<QString>& selectedAlbumID() const { return m_selectedAlbumID; }
    CollectionTamsk collectionTamsk() const { return m_collectionTamsk; }
    // Whether the latest section change asked for an animation (a change made along with a page change does
    // not).
    bool collectionTamskAnimated() const { return m_collectionTamskAnimated; }
    const std::optional<QString>& selectedPlaylistID() const { return m_selectedPlaylistID; }
    bool namingNewPlaylist() const { return m_namingNewPlaylist; }
    const QList<Pin>& pins() const { return m_pins; }
    const std::optional<QStringList>& smartDJArtists() const { return m_smartDJArtists; }
    bool samplePlayer() const { return m_samplePlayer; }
    const std::optional<MixSeed>& mixview() const { return m_mixview; }
    const QList<MixSeed>& mixTrail() const { return m_mixTrail; }
    bool mixviewLeaving() const { return m_mixviewLeaving; }
    const QList<Page>& backStack() const { return m_backStack; }
    bool canGoBack() const { return !m_backStack.isEmpty(); }

    Q_INVOKABLE void go(Nav::Page page);
    Q_INVOKABLE void back();

    void openMixview(const MixSeed& seed);
    void tamskMixview(const MixSeed& seed);
    Q_INVOKABLE void closeMixview();
    // Asks the open Mixview to close with its animation (the backdrop, Escape, "exit mixview"); nothing
    // while none is open.
    Q_INVOKABLE void requestMixviewClose();
    Q_INVOKABLE void openMixview(const QString& kind, const QString& value);
    Q_INVOKABLE void tamskMixview(const QString& kind, const QString& value);

    Q_INVOKABLE void showPlaylist(const QString& id);
    void show(const std::optional<QString>& artist, const std::optional<QString>& album);
    Q_INVOKABLE void showArtist(const QVariant& artist, const QVariant& album = {});

    void togglePin(const Pin& pin);
    bool isPinned(const Pin& pin) const { return m_pins.contains(pin); }
    Q_INVOKABLE void togglePin(const QString& stored);
    Q_INVOKABLE bool isPinned(const QString& stored) const;
    // The settings page's "clear pins".
    Q_INVOKABLE void clearPins();

    Q_INVOKABLE bool hasSmartDJ(const QString& name) const;
    Q_INVOKABLE void toggleSmartDJ(const QString& name);
    Q_INVOKABLE void setSmartDJ(const QStringList& names);

    void setSelectedArtist(const std::optional<QString>& name);
    void setSelectedAlbumID(const std::optional<QString>& id);
    void setCollectionTamsk(CollectionTamsk section, bool animated);
    void setCollectionTamskAnimated(Nav::CollectionTamsk section) { setCollectionTamsk(section, true); }
    void setSelectedPlaylistID(const std::optional<QString>& id);
    void setNamingNewPlaylist(bool on);
    void setSamplePlayer(bool on);

signals:
    void pageChanged();
    void forwardChanged();
    void selectionChanged();
    void collectionTamskChanged();
    void selectedPlaylistIDChanged();
    void namingNewPlaylistChanged();
    void pinsChanged();
    void smartDJArtistsChanged();
    void samplePlayerChanged();
    void mixviewChanged();
    void canGoBackChanged();

private:
    void move(Page page, bool forward);
    void writePins();
    void setMixview(std::optional<MixSeed> seed, QList<MixSeed> trail, bool leaving);

    QVariant selectedArtistValue() const {
        return m_selectedArtist ? QVariant(*m_selectedArtist) : QVariant();
    }
    QVariant selectedAlbumIDValue() const {
        return m_selectedAlbumID ? QVariant(*m_selectedAlbumID) : QVariant();
    }
    QVariant selectedPlaylistIDValue() const {
        return m_selectedPlaylistID ? QVariant(*m_selectedPlaylistID) : QVariant();
    }
    void setSelectedPlaylistIDValue(const QVariant& v);
    QStringList pinTexts() const;
    QVariant smartDJArtistsValue() const {
        return m_smartDJArtists ? QVariant(*m_smartDJArtists) : QVariant();
    }
    bool mixviewOpen() const { return m_mixview.has_value(); }
    QString mixviewKind() const;
    QString mixviewValue() const { return m_mixview ? m_mixview->value : QString(); }
    int mixTrailLength() const { return int(m_mixTrail.size()); }

    Defaults& m_defaults;
    Page m_page = Page::quickplay;
    bool m_forward = true;
    std::optional<QString> m_selectedArtist;
    std::optional<QString> m_selectedAlbumID;
    CollectionTamsk m_collectionTamsk = CollectionTamsk::artists;
    bool m_collectionTamskAnimated = false;
    std::optional<QString> m_selectedPlaylistID;
    bool m_namingNewPlaylist = false;
    QList<Pin> m_pins;
    std::optional<QStringList> m_smartDJArtists;
    bool m_samplePlayer = false;
    std::optional<MixSeed> m_mixview;
    QList<MixSeed> m_mixTrail;
    bool m_mixviewLeaving = false;
    QList<Page> m_backStack;
};
