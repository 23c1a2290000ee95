#pragma once

#include "AppModel.h"
#include "CommandTable.h"
#include "RootModel.h"
#include "WindowOpener.h"
#include "core/Defaults.h"
#include "library/ArtistImageStore.h"
#include "library/LibraryStore.h"
#include "library/PlayerMusic.h"
#include "library/PlaylistStore.h"
#include "playback/LastFMStore.h"
#include "playback/Player.h"
#include "playback/RelatedArtists.h"

#include <QObject>
#include <QQmlEngine>
#include <QtQml/qqmlregistration.h>

// The long-lived stores as the views of one engine see them: `Stores.player.toggle()`. The application
// object fills it and installs it in its engine; nothing here is global.
class AppStores : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Stores)
    QML_SINGLETON
    Q_PROPERTY(AppModel* app MEMBER app CONSTANT)
    Q_PROPERTY(LibraryStore* library MEMBER library CONSTANT)
    Q_PROPERTY(Player* player MEMBER player CONSTANT)
    Q_PROPERTY(PlaylistStore* playlists MEMBER playlists CONSTANT)
    Q_PROPERTY(PlayerMusic* playerMusic MEMBER playerMusic CONSTANT)
    Q_PROPERTY(ArtistImageStore* pictures MEMBER pictures CONSTANT)
    Q_PROPERTY(LastFMStore* lastFM MEMBER lastFM CONSTANT)
    Q_PROPERTY(CommandTable* commands MEMBER commands CONSTANT)
    Q_PROPERTY(RootModel* root MEMBER root CONSTANT)
    Q_PROPERTY(Defaults* defaults MEMBER defaults CONSTANT)
    Q_PROPERTY(RelatedArtists* relations MEMBER relations CONSTANT)
    Q_PROPERTY(WindowOpener* windows MEMBER windows CONSTANT)

public:
    // No default constructor: QML must ask `create` for the instance the application installed.
    explicit AppStores(QObject* parent) : QObject(parent) {}

    AppModel* app = nullptr;
    LibraryStore* library = nullptr;
    Player* player = nullptr;
    PlaylistStore* playlists = nullptr;
    PlayerMusic* playerMusic = nullptr;
    ArtistImageStore* pictures = nullptr;
    LastFMStore* lastFM = nullptr;
    CommandTable* commands = nullptr;
    RootModel* root = nullptr;
    Defaults* defaults = nullptr;
    RelatedArtists* relations = nullptr;
    WindowOpener* windows = nullptr;

    // The addresses of a playlist's cover, its songs given by path: at most four album covers.
    Q_INVOKABLE QList<QUrl> playlistCoverURLs(const QStringList& paths) const;

    void installIn(QQmlEngine& engine);
    // The instance installed in the engine; an empty one when none was (a view test without stores).
    static AppStores* create(QQmlEngine* engine, QJSEngine*);
};
