#include "platform/linux/LinuxMediaProbe.h"
#include "fakes/QtPrinters.h"
#include "fakes/WriteFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A fake /proc, /sys and /dev: processes with a name and open files, and cameras.
class MediaTree {
public:
    MediaTree() { QDir().mkpath(dev()); }
    QString proc() const { return m_root.path() + u"/proc"_s; }
    QString sys() const { return m_root.path() + u"/sys"_s; }
    QString dev() const { return m_root.path() + u"/dev"_s; }

    void process(int pid, const QByteArray& comm, const QStringList& openFiles = {}) {
        const QString dir = proc() + u'/' + QString::number(pid);
        QDir().mkpath(dir + u"/fd"_s);
        writeFile(dir + u"/comm"_s, comm + '\n');
        int fd = 3;
        for (const QString& target : openFiles)
            QFile::link(target, dir + u"/fd/"_s + QString::number(fd++));
    }
    void camera(int number, const QByteArray& name) {
        const QString dir = sys() + u"/class/video4linux/video"_s + QString::number(number);
        QDir().mkpath(dir);
        if (!name.isNull())
            writeFile(dir + u"/name"_s, name + '\n');
        writeFile(dev() + u"/video"_s + QString::number(number), {});
    }
    // Opens and closes a camera node, as a program starting or stopping to use it does.
    void touch(int number) {
        QFile node(dev() + u"/video"_s + QString::number(number));
        ASSERT_TRUE(node.open(QIODevice::ReadOnly));
    }

private:
    QTemporaryDir m_root;
};

const QByteArray cameraNode = R"json([{"id": 51, "type": "PipeWire:Interface:Node", "info": {
    "state": "running", "props": {"media.class": "Video/Source", "node.name": "v4l2_input.usb",
    "node.description": "HD Pro Webcam C920 (V4L2)"}}},
  {"id": 7, "type": "PipeWire:Interface:Client", "info": {"props": {}}}])json";

qsizetype openDescriptors() {
    return QDir(u"/proc/self/fd"_s).entryList(QDir::NoDotAndDotDot | QDir::System).size();
}

} // namespace

TEST(LinuxMediaProbe, TheFirstCameraInUseInDeviceOrderNamesTheCall) {
    MediaTree tree;
    tree.camera(0, "Integrated Camera");
    tree.camera(2, "USB Camera");
    tree.camera(10, QByteArray());
    tree.process(100, "firefox", {u"/dev/null"_s, u"/dev/video2"_s});
    tree.process(200, "pipewire", {u"/dev/video0"_s});
    tree.process(300, "bash", {u"/dev/video20"_s}); // no such camera
    LinuxMediaProbe probe(tree.proc(), tree.sys(), tree.dev(), QString());
    EXPECT_EQ(probe.cameraInUse(), u"USB Camera"_s) << "PipeWire itself does not count";

    tree.process(400, "cheese", {u"/dev/video10"_s, u"/dev/video0"_s});
    EXPECT_EQ(probe.cameraInUse(), u"USB Camera"_s) << "no camera was opened since";
    tree.touch(0);
    EXPECT_EQ(probe.cameraInUse(), u"Integrated Camera"_s);
    tree.process(500, "obs", {u"/dev/video10"_s});
    QFile::remove(tree.proc() + u"/400/fd/4"_s);
    QFile::remove(tree.proc() + u"/100/fd/4"_s);
    tree.touch(2);
    EXPECT_EQ(probe.cameraInUse(), u"camera"_s) << "a device without a name";
    tree.camera(11, "Plugged In");
    tree.process(600, "zoom", {u"/dev/video11"_s});
    QDir(tree.proc() + u"/400"_s).removeRecursively();
    QDir(tree.proc() + u"/500"_s).removeRecursively();
    EXPECT_EQ(probe.cameraInUse(), u"Plugged In"_s) << "a new camera is watched too";

    const qsizetype descriptors = openDescriptors();
    for (int i = 0; i < 2000; ++i) {
        if (i % 100 == 0)
            tree.touch(11);
        probe.cameraInUse();
        probe.screenShareApp();
    }
    EXPECT_EQ(openDescriptors(), descriptors) << "every question closes what it opened";
}

TEST(LinuxMediaProbe, CamerasHandedOutByPipeWireCountWhileRunning) {
    MediaTree tree;
    LinuxMediaProbe probe(tree.proc(), tree.sys(), tree.dev(), QString());
    EXPECT_EQ(probe.cameraInUse(), std::nullopt);
    probe.pipeWire().apply(cameraNode);
    EXPECT_EQ(probe.cameraInUse(), u"HD Pro Webcam C920 (V4L2)"_s);
    probe.pipeWire().apply(R"([{"id": 51, "type": "PipeWire:Interface:Node",
                                 "info": {"state": "suspended"}}])");
    EXPECT_EQ(probe.cameraInUse(), std::nullopt) << "a partial update keeps the other fields";
    probe.pipeWire().apply(R"([{"id": 51, "type": "PipeWire:Interface:Node",
                                 "info": {"state": "running"}}])");
    EXPECT_EQ(probe.cameraInUse(), u"HD Pro Webcam C920 (V4L2)"_s);
    probe.pipeWire().apply(R"([{"id": 51, "info": null}])");
    EXPECT_EQ(probe.cameraInUse(), std::nullopt);
    probe.pipeWire().apply("[{\"id\": 51, \"type\"");
    EXPECT_EQ(probe.cameraInUse(), std::nullopt);
}

TEST(LinuxMediaProbe, ScreenSharingByStreamOrProgram) {
    MediaTree tree;
    tree.process(100, "bash");
    LinuxMediaProbe probe(tree.proc(), tree.sys(), tree.dev(), QString());
    EXPECT_EQ(probe.screenShareApp(), std::nullopt);

    probe.pipeWire().apply(R"([{"id": 90, "type": "PipeWire:Interface:Node",
        "info": {"state": "idle", "props": {"media.class": "Stream/Output/Video",
                                            "node.name": "meta-screen-cast-src"}}}])");
    EXPECT_EQ(probe.screenShareApp(), std::nullopt);
    probe.pipeWire().apply(R"([{"id": 90, "type": "PipeWire:Interface:Node",
                                 "info": {"state": "running"}}])");
    EXPECT_EQ(probe.screenShareApp(), u"Screen Sharing"_s);
    probe.pipeWire().apply(R"([{"id": 90, "info": null}])");

    tree.process(200, "krfb");
    EXPECT_EQ(probe.screenShareApp(), u"Krfb Desktop Sharing"_s);
    QDir(tree.proc() + u"/200"_s).removeRecursively();
    tree.process(300, "x11vnc");
    EXPECT_EQ(probe.screenShareApp(), u"Screen Sharing"_s);
}
