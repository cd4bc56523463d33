#pragma once

#include <QObject>
#include <QString>

#include <atomic>

class EventStore;
class QThread;

// Writes the event log to a file on a thread of its own, a page of events at a time, so that a
// long history neither holds up the window nor sits whole in memory. The file appears only
// complete: it is written beside its place and moved there at the end; a cancelled or failed
// export leaves nothing behind.
class HistoryExport : public QObject {
    Q_OBJECT

public:
    HistoryExport(const EventStore& events, QString path, QObject* parent = nullptr);
    // Stops the export and waits for its thread.
    ~HistoryExport() override;

    void start();
    // From any thread; the export stops at the next page.
    void cancel() { m_cancelled = true; }
    const QString& path() const { return m_path; }

Q_SIGNALS:
    void progressed(qint64 exported, qint64 total);
    // Written, or stopped by cancel() (error empty), or failed with the reason in error.
    void finished(bool written, const QString& error);

private:
    void run();

    const EventStore& m_events;
    QString m_path;
    std::atomic<bool> m_cancelled = false;
    QThread* m_thread = nullptr;
    bool m_written = false;
    QString m_error;
};
