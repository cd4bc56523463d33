#pragma once

#include <QString>

// Sends log lines to the systemd journal over its native datagram socket. Where there is no
// journal, lines are dropped quietly; standard error still has them.
class JournalWriter {
public:
    explicit JournalWriter(QString socketPath = QStringLiteral("/run/systemd/journal/socket"));
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    void send(const QString& line) const;

    // True when standard error is itself connected to the journal (a systemd unit), so a line
    // written there must not be sent again.
    static bool standardErrorIsJournal();

private:
    QByteArray m_socketPath;
    int m_fd = -1;
};
