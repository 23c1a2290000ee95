#include "LastFMStore.h"

#include "core/DataFolder.h"
#include "core/Defaults.h"
#include "core/JsonFile.h"
#include "core/Text.h"

#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <cmath>

namespace {

// Entry by entry: one damaged artist costs that artist, not the whole cache. A file that is not an object at
// all is set aside by JsonFile and the cache starts empty.
std::optional<LastFMArtists> decodeCache(const QJsonDocument& doc) {
    if (!doc.isObject()) return std::nullopt;
    LastFMArtists artists;
    const QJsonObject object = doc.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        if (std::optional<LastFMArtist> artist = LastFMArtist::fromJson(it.value()))
            artists.insert(it.key(), *artist);
    return artists;
}

// HTTP error statuses still carry the service's JSON error body, which decides what went wrong; only a
// failure below HTTP (refused, reset, timed out, TLS) means there is no answer to read.
bool hasAnswer(QNetworkReply::NetworkError error) {
    const int code = int(error);
    return error == QNetworkReply::NoError || (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
}

} // namespace

LastFMStore::LastFMStore(Defaults& defaults, LastFMConnection connection, QObject* parent)
    : QObject(parent), m_defaults(defaults), m_connection(std::move(connection)) {
    m_network = m_connection.network ? m_connection.network : new QNetworkAccessManager(this);
    m_key = m_defaults.stringValue(keySetting);
    m_artists = JsonFile::load<LastFMArtists>(file(), decodeCache).value_or(LastFMArtists{});
}

LastFMStore::~LastFMStore() {
    cancelRun();
}

QString LastFMStore::file() {
    return DataFolder::file(QStringLiteral("lastfm.json"));
}

Date LastFMStore::now() const {
    return m_connection.now ? m_connection.now() : Date::now();
}

void LastFMStore::setKey(const QString& key) {
    // The field keeps what the user typed; the stored setting is what requests will send.
    m_defaults.set(keySetting, Text::trimmed(key));
    if (key == m_key) return;
    m_key = key;
    emit keyChanged();
}

bool LastFMStore::hasKey() const {
    return !Text::trimmed(m_key).isEmpty();
}

void LastFMStore::refresh(const QStringList& names, bool again) {
    if (!hasKey()) return;
    QStringList wanted;
    const Date current = now();
    for (const QString& name : names) {
        if (!again) {
            const auto found = m_artists.constFind(Text::lower(name));
            if (found != m_artists.cend() && current.since(found->fetched) <= staleAfter) continue;
        }
        wanted.append(name);
    }
    // With nothing to do, an earlier run's error stays on show.
    if (wanted.isEmpty()) return;

    cancelRun();
    setStatus({});
    setTrouble(false);
    m_names = wanted;
    step(m_generation, 0);
}

void LastFMStore::forget() {
    cancelRun();
    setKey(QString());
    if (!m_artists.isEmpty()) {
        m_artists.clear();
        emit artistsChanged();
    }
    setStatus({});
    setTrouble(false);
    QFile::remove(file());
}

void LastFMStore::cancelRun() {
    ++m_generation;
    m_names.clear();
    // The reply's finished handler sees the new generation and drops what it got.
    if (QNetworkReply* reply = m_reply.data()) {
        m_reply = nullptr;
        reply->abort();
    }
}

void LastFMStore::step(quint64 run, int index) {
    if (run != m_generation) return;
    if (index == m_names.size()) {
        save();
        setStatus({});
        return;
    }
    setStatus(QStringLiteral("looking up %1 of %2").arg(index + 1).arg(m_names.size()));
    const QString name = m_names.at(index);
    lookUp(run, name, [this, run, index, name](LookUpResult result) {
        if (const LastFMArtist* artist = std::get_if<LastFMArtist>(&result)) {
            store(name, *artist);
        } else {
            switch (std::get<LastFMError>(result)) {
            case LastFMError::badKey:
                // What came before stays in memory and reaches the file with the next save.
                setStatus(badKeyText);
                setTrouble(true);
                return;
            case LastFMError::unknownArtist:
                // An empty entry keeps the artist from being asked for again for a month.
                store(name, LastFMArtist{{}, {}, now()});
                break;
            case LastFMError::failed:
                setStatus(unreachableText);
                setTrouble(true);
                save();
                return;
            }
        }
        wait(run, [this, run, index] { step(run, index + 1); });
    });
}

void LastFMStore::lookUp(quint64 run, const QString& name, std::function<void(LookUpResult)> done) {
    call(run, QStringLiteral("artist.getSimilar"), name, similarLimit, [this, run, name, done](Answer first) {
        if (const LastFMError* error = std::get_if<LastFMError>(&first)) return done(*error);
        const QJsonObject similarAnswer = std::get<QJsonObject>(first);
        wait(run, [this, run, name, done, similarAnswer] {
            call(run, QStringLiteral("artist.getTopTags"), name, std::nullopt,
                 [this, name, done, similarAnswer](Answer second) {
                     if (const LastFMError* error = std::get_if<LastFMError>(&second)) return done(*error);
                     done(LastFMArtist{similar(similarAnswer), tags(std::get<QJsonObject>(second), name),
                                       now()});
                 });
        });
    });
}

QUrl LastFMStore::address(const QString& method, const QString& artist, std::optional<int> limit) const {
    // Every value is percent-encoded by hand: QUrlQuery leaves "+" alone, which the service reads as a space,
    // so "Dan + Shay" would arrive as "Dan   Shay".
    QByteArray query;
    const auto add = [&query](const char* name, const QString& value) {
        if (!query.isEmpty()) query += '&';
        query += name;
        query += '=';
        query += QUrl::toPercentEncoding(value);
    };
    add("method", method);
    add("artist", artist);
    add("autocorrect", QStringLiteral("1"));
    add("api_key", Text::trimmed(m_key));
    add("format", QStringLiteral("json"));
    if (limit) add("limit", QString::number(*limit));
    QUrl url = m_connection.endpoint;
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

void LastFMStore::call(quint64 run, const QString& method, const QString& artist, std::optional<int> limit,
                       std::function<void(Answer)> done) {
    QNetworkRequest request(address(method, artist, limit));
    request.setTransferTimeout(m_connection.transferTimeoutMs);
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, run, reply, done] {
        reply->deleteLater();
        if (m_reply == reply) m_reply = nullptr;
        if (run != m_generation) return;
        // A stalled request ends with OperationCanceledError from the transfer timeout; it is a failure to
        // reach the service like any other, since a real cancellation has moved the generation on.
        if (!hasAnswer(reply->error())) return done(LastFMError::failed);
        done(readAnswer(reply->readAll()));
    });
}

void LastFMStore::wait(quint64 run, std::function<void()> then) {
    QPointer<LastFMStore> self(this);
    auto resume = [self, run, then] {
        if (!self || run != self->m_generation) return;
        then();
    };
    if (m_connection.pause) {
        m_connection.pause(pauseSeconds, resume);
    } else {
        // A coarse timer may fire a little early; the pause is a floor the service's rate limit relies on.
        QTimer::singleShot(int(std::lround(pauseSeconds * 1000)), Qt::PreciseTimer, this, resume);
    }
}

void LastFMStore::store(const QString& name, const LastFMArtist& artist) {
    m_artists.insert(Text::lower(name), artist);
    emit artistsChanged();
}

void LastFMStore::save() const {
    QJsonObject object;
    for (auto it = m_artists.cbegin(); it != m_artists.cend(); ++it)
        object.insert(it.key(), it->toJson());
    JsonFile::write(file(), QJsonDocument(object));
}

void LastFMStore::setStatus(const QString& status) {
    if (status == m_status && status.isNull() == m_status.isNull()) return;
    m_status = status;
    emit statusChanged();
}

void LastFMStore::setTrouble(bool trouble) {
    if (trouble == m_trouble) return;
    m_trouble = trouble;
    emit troubleChanged();
}
