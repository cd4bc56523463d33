#include "JournalWriter.h"

#include <QByteArray>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

JournalWriter::JournalWriter(QString socketPath)
    : m_socketPath(socketPath.toLocal8Bit())
    , m_fd(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}

JournalWriter::~JournalWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void JournalWriter::send(const QString& line) const {
    sockaddr_un address{};
    if (m_fd < 0 || size_t(m_socketPath.size()) >= sizeof(address.sun_path))
        return;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, m_socketPath.constData(), size_t(m_socketPath.size()));
    const QByteArray message =
        "SYSLOG_IDENTIFIER=brevimar\nMESSAGE=" + line.toUtf8().replace('\n', ' ') + '\n';
    ::sendto(m_fd, message.constData(), size_t(message.size()), MSG_NOSIGNAL,
             reinterpret_cast<const sockaddr*>(&address), sizeof(address));
}

bool JournalWriter::standardErrorIsJournal() {
    // systemd sets JOURNAL_STREAM to "device:inode" of the stream it connected.
    const QByteArray stream = qgetenv("JOURNAL_STREAM");
    struct stat info {};
    if (stream.isEmpty() || ::fstat(STDERR_FILENO, &info) != 0)
        return false;
    return stream == QByteArray::number(quint64(info.st_dev)) + ':' +
                         QByteArray::number(quint64(info.st_ino));
}
