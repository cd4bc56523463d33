#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

class AppSettings;
struct BundleInfo;
class Clock;
class EventStore;
class PreferenceStore;
class QNetworkAccessManager;
class QNetworkReply;

// Sends, while the user allows it, an anonymous count of today's reminders and launches and of the
// minutes the app was active: once at start, then every hour. The report carries no names, titles
// or calendar data. Without an endpoint (a build nobody configured, no BREVIMAR_USAGE_URL) it never
// creates a network object.
class UsageReporter : public QObject {
    Q_OBJECT

public:
    UsageReporter(const Clock& clock, const AppSettings& settings, const EventStore& events,
                  PreferenceStore& preferences, const BundleInfo& bundle,
                  QObject* parent = nullptr);

    // One report now, then one every hour (every 30 s in fast mode).
    void start();
    // Sends one report, unless the user has switched sharing off, there is nowhere safe to send
    // it, or the last one is still under way.
    void ping();
    // How long one report may take before it is given up.
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }

    // "major.minor" from the VERSION_ID in the text of /etc/os-release, or from the kernel's
    // release where the system names no version (rolling distributions).
    static QString osVersion(const QByteArray& osRelease, const QString& kernelRelease);
    // The text of the system's os-release under that root folder ("" for the real one).
    static QByteArray osRelease(const QString& root);

private:
    std::optional<QUrl> endpoint();
    QByteArray report();
    QString deviceID();

    const Clock& m_clock;
    const AppSettings& m_settings;
    const EventStore& m_events;
    PreferenceStore& m_preferences;
    const QString m_version;
    const QString m_builtInEndpoint;
    std::chrono::milliseconds m_deadline{20'000};
    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_pending = nullptr;
    bool m_refusalLogged = false;
};
