#include "LocalInstance.h"

#include <QDir>
#include <QLocalSocket>

using namespace Qt::StringLiterals;

LocalInstance::LocalInstance(const QString& folder, QObject* parent)
    : QObject(parent)
    , m_socketPath(QDir(folder).filePath(u"brevimar.socket"_s))
    , m_lock(QDir(folder).filePath(u"brevimar.lock"_s)) {
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            // One URL a line, read once the sender has closed the connection after the last;
            // a start without URLs sends none.
            connect(socket, &QLocalSocket::disconnected, socket, [this, socket] {
                socket->deleteLater();
                QStringList urls;
                while (socket->canReadLine())
                    urls.append(QString::fromUtf8(socket->readLine()).trimmed());
                urls.removeAll(QString());
                Q_EMIT opened(urls);
            });
        }
    });
}

LocalInstance::Claim LocalInstance::claim(const QStringList& urls) {
    m_lock.setStaleLockTime(0); // a lock left by a crashed instance is taken over
    if (m_lock.tryLock()) {
        QLocalServer::removeServer(m_socketPath);
        m_server.listen(m_socketPath);
        return Claim::first;
    }
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(2000))
        return Claim::unreachable;
    for (const QString& url : urls)
        socket.write(url.toUtf8() + '\n');
    socket.flush();
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return Claim::handedOver;
}
