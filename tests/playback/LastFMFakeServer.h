#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <functional>
#include <memory>

// A loopback HTTP/1.1 server standing in for the Last.fm service: it records every request line exactly as it
// arrived and answers with whatever the test's handler says, including answers that never come, connections
// closed without an answer, and answers held back until the test releases them.
class LastFMFakeServer {
public:
    struct Request {
        QByteArray line; // "GET /2.0/?... HTTP/1.1"
        QByteArray target;
        qint64 arrivedMs = 0; // since the server started
        // The query read the way the service reads it: '+' is a space, then percent-decoding.
        QList<std::pair<QString, QString>> query;

        QString value(const QString& name) const {
            for (const auto& [n, v] : query)
                if (n == name) return v;
            return {};
        }
        QString method() const { return value(QStringLiteral("method")); }
        QString artist() const { return value(QStringLiteral("artist")); }
    };

    struct Response {
        enum class Kind { Answer, Stall, Close, Hold };
        Kind kind = Kind::Answer;
        int status = 200;
        QByteArray body;

        static Response json(const QByteArray& body, int status = 200) {
            return {Kind::Answer, status, body};
        }
        static Response stall() { return {Kind::Stall, 0, {}}; }
        static Response close() { return {Kind::Close, 0, {}}; }
        // Answered only when the test calls releaseHeld().
        static Response held(const QByteArray& body) { return {Kind::Hold, 200, body}; }
    };

    using Handler = std::function<Response(const Request&)>;

    LastFMFakeServer() {
        m_clock.start();
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                accept(socket);
        });
    }

    bool listening() const { return m_server.isListening(); }
    QUrl endpoint() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/2.0/").arg(m_server.serverPort()));
    }
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    const QList<Request>& requests() const { return m_requests; }

    void releaseHeld() {
        const auto held = std::move(m_held);
        m_held.clear();
        for (const auto& [socket, response] : held)
            if (socket) answer(socket, response);
    }

private:
    void accept(QTcpSocket* socket) {
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0) return;
            const QByteArray head = buffer->left(end);
            buffer->clear();
            handle(socket, head.left(head.indexOf("\r\n") < 0 ? head.size() : head.indexOf("\r\n")));
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    void handle(QTcpSocket* socket, const QByteArray& line) {
        Request request;
        request.line = line;
        request.arrivedMs = m_clock.elapsed();
        const QList<QByteArray> parts = line.split(' ');
        request.target = parts.value(1);
        const qsizetype mark = request.target.indexOf('?');
        if (mark >= 0) {
            for (const QByteArray& item : request.target.mid(mark + 1).split('&')) {
                const qsizetype eq = item.indexOf('=');
                const auto decode = [](QByteArray s) {
                    return QUrl::fromPercentEncoding(s.replace('+', ' '));
                };
                request.query.append(
                    {decode(item.left(eq)), decode(eq < 0 ? QByteArray() : item.mid(eq + 1))});
            }
        }
        m_requests.append(request);
        const Response response = m_handler ? m_handler(request) : Response::json("{}");
        switch (response.kind) {
        case Response::Kind::Answer:
            answer(socket, response);
            break;
        case Response::Kind::Stall:
            break;
        case Response::Kind::Close:
            socket->abort();
            socket->deleteLater();
            break;
        case Response::Kind::Hold:
            m_held.append({QPointer<QTcpSocket>(socket), response});
            break;
        }
    }

    static void answer(QTcpSocket* socket, const Response& response) {
        QByteArray out = "HTTP/1.1 " + QByteArray::number(response.status) + " Whatever\r\n";
        out += "Content-Type: application/json\r\n";
        out += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        out += "Connection: close\r\n\r\n";
        out += response.body;
        socket->write(out);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QElapsedTimer m_clock;
    Handler m_handler;
    QList<Request> m_requests;
    QList<std::pair<QPointer<QTcpSocket>, Response>> m_held;
};
