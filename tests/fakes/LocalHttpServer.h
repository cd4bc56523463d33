#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUrl>

// A plain HTTP/1.1 server on the loopback interface, on a port of its own: it answers each path
// as told and keeps every request it received. A path told nothing gets a 404.
class LocalHttpServer : public QObject {
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;
    };

    LocalHttpServer() {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++m_connections;
                socket->setParent(this);
                QObject::connect(socket, &QTcpSocket::readyRead, this,
                                 [this, socket] { read(socket); });
            }
        });
    }

    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    // Status 0 reads the request and never answers, as a server that hangs; a negative status
    // answers its opposite and then a space every 50 ms without end, as a server stuck mid-answer.
    void answer(const QByteArray& path, int status, const QByteArray& body = {}) {
        m_answers.insert(path, {status, body});
    }

    const QList<Request>& requests() const { return m_requests; }
    int connections() const { return m_connections; }
    // Runs the event loop until that many requests have arrived, for at most five seconds.
    bool waitForRequests(qsizetype count) {
        return QTest::qWaitFor([&] { return m_requests.size() >= count; }, 5000);
    }

private:
    struct Answer {
        int status;
        QByteArray body;
    };

    void read(QTcpSocket* socket) {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
        const QList<QByteArray> start = lines.value(0).trimmed().split(' ');
        request.method = start.value(0);
        request.path = start.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (buffer.size() < headerEnd + 4 + length)
            return;
        request.body = buffer.mid(headerEnd + 4, length);
        m_buffers.remove(socket);
        m_requests.append(request);
        const Answer answer = m_answers.value(request.path, {404, "not found"});
        if (answer.status == 0)
            return;
        if (answer.status < 0) {
            socket->write("HTTP/1.1 " + QByteArray::number(-answer.status) + " Answer\r\n\r\n");
            auto* timer = new QTimer(socket);
            QObject::connect(timer, &QTimer::timeout, socket, [socket] { socket->write(" "); });
            timer->start(50);
            return;
        }
        socket->write("HTTP/1.1 " + QByteArray::number(answer.status) +
                      " Answer\r\nContent-Type: application/xml\r\nContent-Length: " +
                      QByteArray::number(answer.body.size()) + "\r\nConnection: close\r\n\r\n" +
                      answer.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, Answer> m_answers;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QList<Request> m_requests;
    int m_connections = 0;
};
