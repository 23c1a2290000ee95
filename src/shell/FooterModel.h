#pragma once

#include "core/Defaults.h"
#include "library/PlayerMusic.h"
#include "playback/Player.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// What the footer's pocket-player button decides: which player it draws (from the "player.model"
// setting) and what a drop of picks on it does.
class FooterModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Defaults* defaults READ defaults WRITE setDefaults NOTIFY defaultsChanged)
    Q_PROPERTY(Player* player READ player WRITE setPlayer NOTIFY playerChanged)
    // "hd" or "flash": the glyph the button draws.
    Q_PROPERTY(QString playerGlyph READ playerGlyph NOTIFY playerGlyphChanged)

public:
    explicit FooterModel(QObject* parent = nullptr) : QObject(parent) {}

    Defaults* defaults() const { return m_defaults; }
    void setDefaults(Defaults* defaults);
    Player* player() const { return m_player; }
    void setPlayer(Player* player);
    // The picks a drop adds to: the engine's own unless set.
    PlayerMusic* music() const;
    void setMusic(PlayerMusic* music) { m_music = music; }

    QString playerGlyph() const;

    // A drop of picks: each payload is one pick's JSON. All of them are added in the order given, with the
    // notice posted on the player; a payload that is not a pick refuses the whole drop, which adds nothing.
    bool drop(const QList<QByteArray>& payloads);
    // The same for the views: each item a byte array (or text) of a pick's JSON.
    Q_INVOKABLE bool dropPicks(const QVariantList& payloads);

signals:
    void defaultsChanged();
    void playerChanged();
    void playerGlyphChanged();

private:
    QPointer<Defaults> m_defaults;
    QPointer<Player> m_player;
    QPointer<PlayerMusic> m_music;
    QMetaObject::Connection m_defaultsConnection;
};
