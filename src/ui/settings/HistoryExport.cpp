#include "HistoryExport.h"

#include "record/EventStore.h"

#include <QSaveFile>
#include <QThread>

HistoryExport::HistoryExport(const EventStore& events, QString path, QObject* parent)
    : QObject(parent)
    , m_events(events)
    , m_path(std::move(path)) {}

HistoryExport::~HistoryExport() {
    cancel();
    if (m_thread)
        m_thread->wait();
}

void HistoryExport::start() {
    m_thread = QThread::create([this] { run(); });
    m_thread->setParent(this);
    // The results are read on this object's thread, once the export's thread has ended.
    connect(m_thread, &QThread::finished, this, [this] { Q_EMIT finished(m_written, m_error); });
    m_thread->start();
}

void HistoryExport::run() {
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return;
    }
    const bool complete =
        m_events.exportJSONL([&](const QByteArray& text, qint64 exported, qint64 total) {
            if (m_cancelled)
                return false;
            if (file.write(text) != text.size()) {
                m_error = file.errorString();
                return false;
            }
            Q_EMIT progressed(exported, total);
            return true;
        });
    if (!complete || m_cancelled) {
        file.cancelWriting();
        return;
    }
    m_written = file.commit();
    if (!m_written)
        m_error = file.errorString();
}
