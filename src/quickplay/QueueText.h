#pragma once

#include "library/PlaylistStore.h"
#include "library/Song.h"
#include "playback/Player.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

// The words of the Up Next panel: its header's summary, the empty text, and the name and notice of the
// playlist "save as playlist" makes.
class QueueText : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString emptyText READ emptyText CONSTANT)
public:
    explicit QueueText(QQmlEngine* engine, QObject* parent = nullptr) : QObject(parent), m_engine(engine) {}
    static QueueText* create(QQmlEngine* engine, QJSEngine*) { return new QueueText(engine); }

    static QString emptyText() {
        return QStringLiteral("Nothing queued yet. Play an album, or add songs with the + on any song.");
    }
    // "nothing queued", or "N songs · [H hr ]M min left", with the minutes rounded half away from zero.
    Q_INVOKABLE static QString summary(int songs, double secondsLeft);
    // The header's title, before lower-casing: the Smart DJ artist or "now playing".
    Q_INVOKABLE static QString title(const QString& smartDJArtist);
    Q_INVOKABLE static QString symbol(const QString& smartDJArtist);

    // The saved playlist's name: the Smart DJ artist's name + " mix", else "now playing " and the day with
    // the short month, in the order and style of `locale` (an ICU or POSIX locale name).
    static QString playlistName(const QString& smartDJArtist, const QDate& day, const QString& locale);
    // The user's locale for dates: LC_ALL, else LC_TIME, else LANG; "en_US" when none is set (or "C").
    static QString userLocale();
    // The day and short month ("Dec 8", "8 Dec", "8. Dez.") from ICU's pattern for the skeleton "MMMd".
    static QString dayAndMonth(const QDate& day, const QString& locale);

    // Keeps the whole queue, played songs included, as a new playlist named as above, and posts its notice
    // on the player. Returns the playlist's name (empty when the queue is empty and nothing was made).
    static QString save(Player& player, PlaylistStore& playlists, const QDate& day, const QString& locale);
    // The same with today, the user's locale and the application's playlist store.
    Q_INVOKABLE QString save(Player* player);

private:
    QQmlEngine* m_engine = nullptr;
};
