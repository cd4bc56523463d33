#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

// Desktop services faked on the private bus of scripts/run-in-session, on a connection of their
// own that answers from a thread of its own: the code under test asks synchronously from the main
// thread, which cannot answer itself. One connection for all, so signals arrive in the order sent.
class ThreadedBusFake : public QDBusVirtualObject {
public:
    ThreadedBusFake(const QString& connection, const QString& path, const QStringList& services)
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connection))
        , m_connection(connection)
        , m_services(services) {
        m_bus.registerVirtualObject(path, this, QDBusConnection::SubPath);
        for (const QString& name : services)
            EXPECT_TRUE(m_bus.registerService(name));
        moveToThread(&m_thread);
        m_thread.start();
    }
    ~ThreadedBusFake() override {
        for (const QString& name : std::as_const(m_services))
            m_bus.unregisterService(name); // gone before the next test looks for it
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(m_connection);
    }
    ThreadedBusFake(const ThreadedBusFake&) = delete;
    ThreadedBusFake& operator=(const ThreadedBusFake&) = delete;

    QString introspect(const QString&) const override { return {}; }

protected:
    QDBusConnection m_bus;

private:
    QThread m_thread;
    QString m_connection;
    QStringList m_services;
};
