#pragma once

#include "PlayerPick.h"

#include <QList>
#include <QObject>
#include <functional>

class Defaults;
class LibraryStore;
class PlaylistStore;

// What the user chose by hand for the pocket player, in the order it was chosen, kept in
// "player-music.json". Adding and removing tell the user what happened through the player's notice; the
// player lives above the library, so the caller hands in the function that posts one.
class PlayerMusic : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<PlayerPick> picks READ picks NOTIFY picksChanged)

public:
    using Notify = std::function<void(const QString& text)>;

    explicit PlayerMusic(Defaults& defaults, QObject* parent = nullptr);

    const QList<PlayerPick>& picks() const { return m_picks; }

    // Appends the picks not chosen yet (a pick given twice counts once), saves when any was new, and posts
    // what happened, worded after the "sync.music" setting.
    void add(const QList<PlayerPick>& picks, const Notify& notify);
    // Takes the pick off and saves, also when it was not there; posts only when `notify` is set (the pages
    // take picks off silently when a playlist goes, for instance).
    void remove(const PlayerPick& pick, const Notify& notify = {});
    // Takes every pick off; no notice.
    void clear();

    // The songs of all picks in pick order, each file once, at its first place.
    QList<Song> songs(const LibraryStore& library, const PlaylistStore& playlists,
                      const LikesAndPlays& player) const;

    static QString filePath();

signals:
    void picksChanged();

private:
    void save() const;
    QString addedNotice(const QList<PlayerPick>& fresh) const;

    Defaults& m_defaults;
    QList<PlayerPick> m_picks;
};
