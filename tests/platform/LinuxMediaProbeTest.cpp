#include "platform/linux/LinuxMediaProbe.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A fake /proc, /sys and /dev: processes with a name and open files, and cameras.
struct MediaTree {
    MediaTree() { QDir().mkpath(dev); }

    void process(int pid, const QByteArray& comm, const QStringList& openFiles = {}) {
        const QString dir = proc + u'/' + QString::number(pid);
        QDir().mkpath(dir + u"/fd"_s);
        writeFile(dir + u"/comm"_s, comm + '\n');
        int fd = 3;
        for (const QString& target : openFiles)
            QFile::link(target, dir + u"/fd/"_s + QString::number(fd++));
    }
    void camera(int number, const QByteArray& name) {
        const QString dir = sys + u"/class/video4linux/video"_s + QString::number(number);
        QDir().mkpath(dir);
        if (!name.isNull())
            writeFile(dir + u"/name"_s, name + '\n');
        writeFile(dev + u"/video"_s + QString::number(number), {});
    }
    // Opens and closes a camera node, as a program starting or stopping to use it does.
    void touch(int number) {
        ASSERT_TRUE(QFile(dev + u"/video"_s + QString::number(number)).open(QIODevice::ReadOnly));
    }

    QTemporaryDir root;
    const QString proc = root.path() + u"/proc"_s;
    const QString sys = root.path() + u"/sys"_s;
    const QString dev = root.path() + u"/dev"_s;
};

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
    LinuxMediaProbe probe(tree.proc, tree.sys, tree.dev, QString());
    EXPECT_EQ(probe.cameraInUse(), u"USB Camera"_s) << "PipeWire itself does not count";

    tree.process(400, "cheese", {u"/dev/video10"_s, u"/dev/video0"_s});
    EXPECT_EQ(probe.cameraInUse(), u"USB Camera"_s) << "no camera was opened since";
    tree.touch(0);
    EXPECT_EQ(probe.cameraInUse(), u"Integrated Camera"_s);
    tree.process(500, "obs", {u"/dev/video10"_s});
    QFile::remove(tree.proc + u"/400/fd/4"_s);
    QFile::remove(tree.proc + u"/100/fd/4"_s);
    tree.touch(2);
    EXPECT_EQ(probe.cameraInUse(), u"camera"_s) << "a device without a name";
    tree.camera(11, "Plugged In");
    tree.process(600, "zoom", {u"/dev/video11"_s});
    QDir(tree.proc + u"/400"_s).removeRecursively();
    QDir(tree.proc + u"/500"_s).removeRecursively();
    EXPECT_EQ(probe.cameraInUse(), u"Plugged In"_s) << "a new camera is watched too";

    const qsizetype descriptors = openDescriptors();
    for (int i = 0; i < 2000; ++i) {
        if (i % 100 == 0)
            tree.touch(11);
        probe.cameraInUse();
        probe.screenShareApp();
    }
    EXPECT_EQ(openDescriptors(), descriptors) << "every question closes what it opened";

    tree.process(700, "krfb");
    EXPECT_EQ(probe.screenShareApp(), u"Krfb Desktop Sharing"_s);
}

TEST(LinuxMediaProbe, CamerasAndScreenCastsHandedOutByPipeWireCountWhileRunning) {
    MediaTree tree;
    LinuxMediaProbe probe(tree.proc, tree.sys, tree.dev, QString());
    PipeWireNodes& nodes = probe.pipeWire();
    nodes.apply(R"json([{"id": 51, "type": "PipeWire:Interface:Node", "info": {
        "state": "running", "props": {"media.class": "Video/Source", "node.name": "v4l2_input.usb",
        "node.description": "HD Pro Webcam C920 (V4L2)"}}},
      {"id": 90, "type": "PipeWire:Interface:Node", "info": {"state": "idle", "props": {
        "media.class": "Stream/Output/Video", "node.name": "meta-screen-cast-src"}}},
      {"id": 7, "type": "PipeWire:Interface:Client", "info": {"props": {}}}])json");
    EXPECT_EQ(probe.cameraInUse(), u"HD Pro Webcam C920 (V4L2)"_s);
    EXPECT_EQ(probe.screenShareApp(), std::nullopt);

    // Partial updates keep the other fields.
    nodes.apply(R"([{"id": 51, "type": "PipeWire:Interface:Node", "info": {"state": "suspended"}},
                    {"id": 90, "type": "PipeWire:Interface:Node", "info": {"state": "running"}}])");
    EXPECT_EQ(probe.cameraInUse(), std::nullopt);
    EXPECT_EQ(probe.screenShareApp(), u"Screen Sharing"_s);
    nodes.apply(R"([{"id": 51, "type": "PipeWire:Interface:Node", "info": {"state": "running"}},
                    {"id": 90, "info": null}])");
    EXPECT_EQ(probe.cameraInUse(), u"HD Pro Webcam C920 (V4L2)"_s);
    EXPECT_EQ(probe.screenShareApp(), std::nullopt);
    nodes.apply(R"([{"id": 51, "info": null}])");
    EXPECT_EQ(probe.cameraInUse(), std::nullopt);
    nodes.apply("[{\"id\": 51, \"type\""); // cut off
    EXPECT_EQ(probe.cameraInUse(), std::nullopt);
}

// Level meters, captures of what plays, the sound settings and Brevimar itself record without
// anyone speaking; the first other running capture names the call, by its desktop entry where one
// matches.
TEST(LinuxMediaProbe, AMicrophoneRecordedByAnotherApplicationNamesIt) {
    MediaTree tree;
    const TemporaryXdg xdg;
    writeFile(xdg.dataHome() + u"/applications/com.obsproject.Studio.desktop"_s,
              "[Desktop Entry]\nType=Application\nName=OBS Studio\nStartupWMClass=obs\n");
    LinuxMediaProbe probe(tree.proc, tree.sys, tree.dev, QString());
    const auto capture = [](int id, const QString& state, const QString& props) {
        return uR"({"id": %1, "type": "PipeWire:Interface:Node", "info": {"state": "%2",
            "props": {"media.class": "Stream/Input/Audio", %3}}})"_s.arg(id)
            .arg(state, props);
    };
    const QStringList graph{
        capture(30, u"running"_s, uR"("application.name": "Meter", "stream.monitor": true)"_s),
        capture(31, u"running"_s, uR"("application.name": "Rec", "stream.capture.sink": "true")"_s),
        capture(32, u"running"_s, uR"("application.id": "org.PulseAudio.pavucontrol")"_s),
        capture(33, u"running"_s,
                uR"("application.process.id": %1)"_s.arg(QCoreApplication::applicationPid())),
        capture(34, u"idle"_s, uR"("application.name": "Firefox")"_s),
        capture(41, u"running"_s, uR"("application.name": "OBS", "client.id": 40)"_s),
        uR"({"id": 40, "type": "PipeWire:Interface:Client", "info": {"props": {
            "application.process.binary": "obs", "application.process.id": 4242}}})"_s,
    };
    PipeWireNodes& nodes = probe.pipeWire();
    nodes.apply(u"[%1]"_s.arg(graph.join(u',')).toUtf8());
    EXPECT_EQ(probe.microphoneInUse(), u"OBS Studio"_s);

    nodes.apply(R"([{"id": 41, "type": "PipeWire:Interface:Node", "info": {"state": "idle"}},
                    {"id": 34, "type": "PipeWire:Interface:Node", "info": {"state": "running"}}])");
    EXPECT_EQ(probe.microphoneInUse(), u"Firefox"_s);
    nodes.apply(R"([{"id": 34, "info": null}])");
    EXPECT_EQ(probe.microphoneInUse(), std::nullopt);
    EXPECT_FALSE(probe.seesMicrophone()) << "PipeWire is not followed";
}
