#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

// Keeps one instance per user where there is no session bus: the first process holds a lock file
// in the runtime folder and listens on a local socket beside it; later ones hand their URLs over.
class LocalInstance : public QObject {
    Q_OBJECT

public:
    enum class Claim { first, handedOver, unreachable };

    explicit LocalInstance(const QString& folder, QObject* parent = nullptr);

    Claim claim(const QStringList& urls);

Q_SIGNALS:
    // URLs another process handed over, in the order given; none when it was started without.
    void opened(const QStringList& urls);

private:
    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer m_server;
};
