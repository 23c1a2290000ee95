#pragma once

#include "kit/DropMenuPage.h"

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>

#include "library/LibraryStore.h"
#include "playback/Player.h"
#include "shell/AppModel.h"

// One place of the Smart DJ row: an artist shown, or an empty slot; only the first empty one adds.
struct SmartDJSlot {
    QString name; // empty for an empty slot
    bool adds = false;
    bool enabled = false;
    friend bool operator==(const SmartDJSlot&, const SmartDJSlot&) = default;
};

// The quickplay section: the Smart DJ artists with their free places, the pins and the history.
class QuickplaySettings : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(AppModel* app READ app WRITE setApp NOTIFY storesChanged)
    Q_PROPERTY(LibraryStore* library READ library WRITE setLibrary NOTIFY storesChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY storesChanged)
    // [{name, adds, enabled}], five places.
    Q_PROPERTY(QVariantList places READ slotValues NOTIFY slotsChanged)
    Q_PROPERTY(QString pinsHelp READ pinsHelp NOTIFY pinsChanged)
    Q_PROPERTY(QString pinsQuestion READ pinsQuestion NOTIFY pinsChanged)
    Q_PROPERTY(bool hasPins READ hasPins NOTIFY pinsChanged)
    Q_PROPERTY(bool canClearHistory READ canClearHistory NOTIFY historyChanged)

public:
    static constexpr int placeCount = 5;

    explicit QuickplaySettings(QObject* parent = nullptr);

    AppModel* app() const { return m_app; }
    void setApp(AppModel* app);
    LibraryStore* library() const { return m_library; }
    void setLibrary(LibraryStore* library);
    Player* player() const { return m_player; }
    void setPlayer(Player* player);

    // The stored names the library holds, in the library's spelling, then the free places.
    static QList<SmartDJSlot> slotsFor(const std::optional<QStringList>& stored, const LibraryStore& library);
    // Library artists, in library order, that are not among the stored names.
    static QStringList others(const std::optional<QStringList>& stored, const LibraryStore& library);
    // The names after adding one: when the row is full, the oldest name the library lacks goes first, else
    // the oldest, so adding never drops an artist shown while a hidden one stays.
    static QStringList added(const QStringList& stored, const QString& name,
                             const std::function<bool(const QString&)>& resolves);
    static QString pinsHelpFor(qsizetype pins);

    QList<SmartDJSlot> currentSlots() const;
    QVariantList slotValues() const;
    QString pinsHelp() const;
    QString pinsQuestion() const;
    bool hasPins() const;
    bool canClearHistory() const;

    Q_INVOKABLE void add(const QString& name);
    Q_INVOKABLE void remove(const QString& name);
    // The "add an artist" menu of the other artists, under `anchor`.
    DropMenuPage addMenu();
    Q_INVOKABLE void openAddMenu(QQuickItem* anchor);
    Q_INVOKABLE void clearPins();
    Q_INVOKABLE void clearHistory();

signals:
    void storesChanged();
    void slotsChanged();
    void pinsChanged();
    void historyChanged();

private:
    void follow();

    QPointer<AppModel> m_app;
    QPointer<LibraryStore> m_library;
    QPointer<Player> m_player;
    QList<QMetaObject::Connection> m_connections;
};
