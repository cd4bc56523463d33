#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "platform/linux/JournalWriter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

TEST(Log, LinesFromManyThreadsArriveWholeAndComplete) {
    LogCapture capture;
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([t] {
                for (int i = 0; i < 250; ++i)
                    Log::write(QStringLiteral("Brevimar test %1 %2").arg(t).arg(i));
            });
    }
    const QStringList lines = capture.lines();
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_TRUE(lines.contains(QStringLiteral("Brevimar test 3 249")));
}

TEST(JournalWriter, SendsOneMessageWithTheIdentifier) {
    QTemporaryDir dir;
    const QByteArray path = (dir.path() + QStringLiteral("/journal")).toLocal8Bit();
    const int server = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(server, 0);
    sockaddr_un address{AF_UNIX, {}};
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);

    JournalWriter(QString::fromLocal8Bit(path))
        .send(QStringLiteral("Brevimar fire water style=card"));

    char buffer[512] = {};
    const ssize_t size = ::recv(server, buffer, sizeof(buffer), MSG_DONTWAIT);
    ::close(server);
    EXPECT_EQ(QByteArray(buffer, int(size)),
              "SYSLOG_IDENTIFIER=brevimar\nMESSAGE=Brevimar fire water style=card\n");
}
