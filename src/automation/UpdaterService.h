#pragma once

#include "BundleInfo.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

class Clock;
class HoldState;
class PreferenceStore;
class QNetworkAccessManager;
class QNetworkReply;
class UpdateWindow;

// Looks in the update feed the build was configured with for a newer Brevimar: once a day by
// itself, and whenever the user asks. It only tells, in a small window with a link to download;
// installing is the user's (or their package manager's) business. Builds without a feed or
// without a build number to compare releases with, and the Flatpak and Snap packages, whose
// stores bring the updates, never check.
class UpdaterService : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)

public:
    // holds, where given, keeps a newer version found by the daily check back while reminders
    // are held.
    UpdaterService(const BundleInfo& bundle, const Clock& clock, PreferenceStore& store,
                   const HoldState* holds = nullptr, QObject* parent = nullptr);
    ~UpdaterService() override;

    bool isConfigured() const { return m_configured; }
    // True while configured and no check is running.
    bool canCheckForUpdates() const { return m_configured && !m_checking; }
    QString versionString() const;
    QString buildString() const;

    // The user's "Check for Updates…": every outcome is shown, a failure too.
    void checkForUpdates();
    // The daily check: runs when a day has passed since the last one that reached the feed, and
    // shows only a newer version, without taking the keyboard.
    void checkIfDue();

    // How long a whole check may take, however the server dribbles its answer.
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }

Q_SIGNALS:
    void canCheckForUpdatesChanged(bool canCheck);

private:
    enum class Asker { user, schedule };

    void fetch(Asker asker);
    void finished(QNetworkReply& reply, Asker asker);
    void fail(const QString& error, Asker asker);
    void setChecking(bool checking);
    UpdateWindow& window();

    const BundleInfo m_bundle;
    const Clock& m_clock;
    PreferenceStore& m_store;
    const HoldState* m_holds;
    const bool m_configured;
    bool m_checking = false;
    std::chrono::milliseconds m_deadline{20'000};
    QNetworkAccessManager* m_network = nullptr;
    std::unique_ptr<UpdateWindow> m_window;
    QTimer m_timer;
};
