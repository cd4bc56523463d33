#pragma once

#include "DesktopEntries.h"
#include "PipeWireNodes.h"
#include "platform/MediaProbe.h"

#include <QHash>
#include <QObject>
#include <QString>

class QProcess;

// Cameras in use and screen sharing, from /proc and sysfs and, where PipeWire runs, from its graph
// (followed through a long-running pw-dump --monitor, started at the first question), which also
// tells which application records from a microphone.
//
// Looking through every open file of every process is too slow for each poll, so the camera
// nodes in /dev are watched with inotify and the processes are looked through again only after a
// camera was opened, closed, plugged in or removed.
class LinuxMediaProbe final : public QObject, public MediaProbe {
    Q_OBJECT

public:
    // The roots are parameters so tests can hand in a tree of their own. An empty pwDump never
    // starts PipeWire monitoring.
    explicit LinuxMediaProbe(QString procRoot = QStringLiteral("/proc"),
                             QString sysRoot = QStringLiteral("/sys"),
                             QString devRoot = QStringLiteral("/dev"),
                             QString pwDump = QStringLiteral("pw-dump"), QObject* parent = nullptr);
    ~LinuxMediaProbe() override;

    std::optional<QString> cameraInUse() override;
    std::optional<QString> screenShareApp() override;
    // The recording application by its desktop entry's name where one matches, else by the name
    // it gave PipeWire.
    std::optional<QString> microphoneInUse() override;
    bool seesMicrophone() override;

    // The graph as seen so far; tests feed it directly.
    PipeWireNodes& pipeWire() { return m_pipeWire; }

private:
    bool pipeWireRuns() const;
    void followPipeWire();
    QString applicationName(const PipeWireNodes::Application& application);
    void readPipeWire();
    bool camerasTouched();
    void watchCamera(const QByteArray& path);
    std::optional<QString> scanCameras() const;

    QString m_procRoot;
    QString m_sysRoot;
    QString m_devRoot;
    QString m_pwDump;
    int m_inotify = -1;
    bool m_scanned = false;
    std::optional<QString> m_camera;       // the answer of the last scan
    QHash<qint64, QString> m_programNames; // process id → comm, read once per process
    PipeWireNodes m_pipeWire;
    QProcess* m_monitor = nullptr;
    QByteArray m_pending;
    DesktopEntries m_entries;
    QHash<QString, QString> m_applicationNames; // what PipeWire says ↦ the name shown
};
