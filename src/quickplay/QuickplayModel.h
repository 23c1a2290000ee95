#pragma once

#include "QuickItemModel.h"
#include "QuickplayContent.h"
#include "library/LibraryStore.h"
#include "library/PlaylistStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"
#include "shell/AppStores.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The start page's content as list models: pins, new, history and the Smart DJ artists. It is built again
// whenever something it reads changes (the pins and Smart DJ names, the collection, the history, likes and
// play counts, the playlists), once per turn of the event loop however many of those change together, and
// never for the player's position. Each rebuild updates the rows by identity.
class QuickplayModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(AppModel* app READ app WRITE setApp NOTIFY storesChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY storesChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY storesChanged)
    Q_PROPERTY(PlaylistStore* playlists READ playlists WRITE setPlaylists NOTIFY storesChanged)
    // All four at once from the stores a view sees (QML knows no playlist store type).
    Q_PROPERTY(AppStores* stores WRITE setStores)
    Q_PROPERTY(QuickItemModel* pins READ pins CONSTANT)
    Q_PROPERTY(QuickItemModel* newItems READ newItems CONSTANT)
    Q_PROPERTY(QuickItemModel* history READ history CONSTANT)
    Q_PROPERTY(QuickItemModel* smartDJ READ smartDJ CONSTANT)
    // The identities of the pins, new and history tiles in their keyboard order.
    Q_PROPERTY(QStringList collectionIds READ collectionIds NOTIFY rebuilt)

public:
    explicit QuickplayModel(QObject* parent = nullptr);
    QuickplayModel(AppModel& app, LibraryStore& library, Player& player, PlaylistStore& playlists,
                   QObject* parent = nullptr);

    AppModel* app() const { return m_app; }
    LibraryStore* library() const { return m_library; }
    Player* player() const { return m_player; }
    PlaylistStore* playlists() const { return m_playlists; }
    void setApp(AppModel* app);
    void setLibrary(LibraryStore* library);
    void setPlayer(Player* player);
    void setPlaylists(PlaylistStore* playlists);
    void setStores(AppStores* stores);

    QuickItemModel* pins() { return &m_pins; }
    QuickItemModel* newItems() { return &m_new; }
    QuickItemModel* history() { return &m_history; }
    QuickItemModel* smartDJ() { return &m_smartDJ; }
    QStringList collectionIds() const;

    // The content of the last rebuild.
    const QuickplayContent& content() const { return m_content; }
    // How many rebuilds ran: what shows that an unrelated change caused none.
    int builds() const { return m_builds; }

    // Builds now, dropping a rebuild that was waiting.
    Q_INVOKABLE void refresh();
    // The one-time filling of the Smart DJ list with the favourite artists.
    Q_INVOKABLE bool seedSmartDJ();

    static QuickRow row(const QuickItem& item, const QuickplayContent& content, const LibraryStore& library);
    static QuickRow smartDJRow(const Artist& artist);

signals:
    void storesChanged();
    void rebuilt();

private:
    void follow();
    void schedule();

    QPointer<AppModel> m_app;
    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QPointer<PlaylistStore> m_playlists;
    QList<QMetaObject::Connection> m_connections;
    bool m_scheduled = false;
    int m_builds = 0;

    QuickplayContent m_content;
    QuickItemModel m_pins;
    QuickItemModel m_new;
    QuickItemModel m_history;
    QuickItemModel m_smartDJ;
};
