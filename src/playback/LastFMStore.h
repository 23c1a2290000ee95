#pragma once

#include "LastFMArtist.h"

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QtQml/qqmlregistration.h>
#include <functional>
#include <optional>
#include <variant>

class Defaults;
class QNetworkAccessManager;
class QNetworkReply;

// How the store reaches Last.fm and keeps time. The program uses the defaults; tests point the endpoint at a
// loopback server of their own and take over the clock and the pauses.
struct LastFMConnection {
    QUrl endpoint = QUrl(QStringLiteral("https://ws.audioscrobbler.com/2.0/"));
    // A request that stalls this long ends as a network failure.
    int transferTimeoutMs = 60 * 1000;
    // The current time; Date::now when empty.
    std::function<Date()> now;
    // Waits the given seconds, then calls the function; a single-shot timer when empty. A resume that comes
    // after the run was cancelled is ignored, so a pause never has to be stopped.
    std::function<void(double seconds, std::function<void()> resume)> pause;
    // The store makes its own when none is given.
    QNetworkAccessManager* network = nullptr;
};

// Keeps what Last.fm says about each artist of the collection (similar artists and top tags) in
// "lastfm.json", and refreshes missing or month-old entries with the user's own API key in one paced run at
// a time. Lives on the GUI thread; every wait is a signal or a timer, so the store's fields never change
// under the views' feet.
class LastFMStore : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made once by the application")
    Q_PROPERTY(LastFMArtists artists READ artists NOTIFY artistsChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(bool trouble READ trouble NOTIFY troubleChanged)
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(bool hasKey READ hasKey NOTIFY keyChanged)

public:
    enum class LastFMError {
        badKey,        // the service refused the API key
        unknownArtist, // the service does not know the artist
        failed,        // any other error answer, an answer that is not a JSON object, or no answer at all
    };
    // What one request gives: the answer's top-level object, or why there is none.
    using Answer = std::variant<QJsonObject, LastFMError>;

    static constexpr double staleAfter = 2592000; // 30 days, in seconds
    static constexpr double pauseSeconds = 0.25;  // between any two requests
    static constexpr int similarLimit = 100;
    static inline const QString keySetting = QStringLiteral("lastFMKey");

    static inline const QString badKeyText = QStringLiteral("Last.fm didn't accept that key.");
    static inline const QString unreachableText =
        QStringLiteral("Couldn't reach Last.fm. VELTO will try again next time it opens.");

    explicit LastFMStore(Defaults& defaults, LastFMConnection connection = {}, QObject* parent = nullptr);
    ~LastFMStore() override;

    // "lastfm.json" in the data folder.
    static QString file();

    const LastFMArtists& artists() const { return m_artists; }
    // A null string when there is nothing to say.
    QString status() const { return m_status; }
    bool trouble() const { return m_trouble; }
    QString key() const { return m_key; }
    void setKey(const QString& key);
    bool hasKey() const;

    // Looks up, in the given order, every name (again) or the names whose entry is missing or stale. Starts a
    // new run only when there is something to do; the new run replaces the one going on. Returns at once.
    Q_INVOKABLE void refresh(const QStringList& names, bool again);
    // Stops the run and throws away the key, the cache, the status and the file.
    Q_INVOKABLE void forget();

    // Reading the service's answers.
    static Answer readAnswer(const QByteArray& body);
    // From an "artist.getSimilar" answer: lower-cased name to match value, the larger match for duplicates.
    static QHash<QString, double> similar(const QJsonObject& answer);
    // From an "artist.getTopTags" answer: at most 8 tags that say something about the music.
    static QStringList tags(const QJsonObject& answer, const QString& artist);

signals:
    void artistsChanged();
    void statusChanged();
    void troubleChanged();
    void keyChanged();

private:
    using LookUpResult = std::variant<LastFMArtist, LastFMError>;

    void cancelRun();
    void step(quint64 run, int index);
    void lookUp(quint64 run, const QString& name, std::function<void(LookUpResult)> done);
    void call(quint64 run, const QString& method, const QString& artist, std::optional<int> limit,
              std::function<void(Answer)> done);
    void wait(quint64 run, std::function<void()> then);
    QUrl address(const QString& method, const QString& artist, std::optional<int> limit) const;
    void store(const QString& name, const LastFMArtist& artist);
    void save() const;
    void setStatus(const QString& status);
    void setTrouble(bool trouble);
    Date now() const;

    Defaults& m_defaults;
    LastFMConnection m_connection;
    QNetworkAccessManager* m_network = nullptr;

    LastFMArtists m_artists;
    QString m_status;
    bool m_trouble = false;
    QString m_key;

    // Every start and every cancellation moves the generation on; a wait that ends in another generation than
    // the one it began in belongs to a cancelled run and is dropped.
    quint64 m_generation = 0;
    QStringList m_names;
    QPointer<QNetworkReply> m_reply;
};
