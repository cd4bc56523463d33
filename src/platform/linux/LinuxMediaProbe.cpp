#include "LinuxMediaProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/inotify.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Programs that share the screen on X11, with the name people know them by (empty: none).
const QHash<QString, QString>& sharingPrograms() {
    static const QHash<QString, QString> programs{
        {u"x11vnc"_s, QString()},
        {u"krfb"_s, u"Krfb Desktop Sharing"_s},
        {u"vino-server"_s, QString()},
        {u"gnome-remote-de"_s, QString()}, // comm is cut to 15 characters
    };
    return programs;
}

QString readTrimmed(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

bool isNumber(const char* name) {
    if (!*name)
        return false;
    for (; *name; ++name) {
        if (*name < '0' || *name > '9')
            return false;
    }
    return true;
}

// Numbers N of /dev/videoN opened by any process we may look at. PipeWire and WirePlumber keep
// cameras open without using them; what they hand out is seen in the PipeWire graph instead.
std::set<int> camerasOpen(const QByteArray& procRoot) {
    std::set<int> open;
    DIR* proc = opendir(procRoot.constData());
    if (!proc)
        return open;
    while (const dirent* entry = readdir(proc)) {
        if (!isNumber(entry->d_name))
            continue;
        const QByteArray pidDir = procRoot + '/' + entry->d_name;
        DIR* fds = opendir((pidDir + "/fd").constData());
        if (!fds)
            continue;
        std::set<int> found;
        while (const dirent* fd = readdir(fds)) {
            char target[64];
            const ssize_t size = readlinkat(dirfd(fds), fd->d_name, target, sizeof(target) - 1);
            if (size <= 10 || strncmp(target, "/dev/video", 10) != 0)
                continue;
            target[size] = '\0';
            if (isNumber(target + 10))
                found.insert(atoi(target + 10));
        }
        closedir(fds);
        if (found.empty())
            continue;
        const QString comm = readTrimmed(QString::fromLocal8Bit(pidDir + "/comm"));
        if (comm != u"pipewire" && comm != u"wireplumber")
            open.insert(found.begin(), found.end());
    }
    closedir(proc);
    return open;
}

} // namespace

LinuxMediaProbe::LinuxMediaProbe(QString procRoot, QString sysRoot, QString devRoot, QString pwDump,
                                 QObject* parent)
    : QObject(parent)
    , m_procRoot(std::move(procRoot))
    , m_sysRoot(std::move(sysRoot))
    , m_devRoot(std::move(devRoot))
    , m_pwDump(std::move(pwDump))
    , m_inotify(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (m_inotify < 0)
        return;
    const QByteArray dev = m_devRoot.toLocal8Bit();
    inotify_add_watch(m_inotify, dev.constData(), IN_CREATE | IN_DELETE | IN_ONLYDIR);
    // Names are matched by hand: a name filter would load the regular-expression library.
    for (const QString& node : QDir(m_devRoot).entryList(QDir::System | QDir::Files)) {
        if (node.startsWith(u"video"))
            watchCamera(dev + '/' + node.toLocal8Bit());
    }
}

LinuxMediaProbe::~LinuxMediaProbe() {
    if (m_inotify >= 0)
        close(m_inotify);
    if (m_monitor) {
        m_monitor->kill();
        m_monitor->waitForFinished(1000);
    }
}

void LinuxMediaProbe::watchCamera(const QByteArray& path) {
    inotify_add_watch(m_inotify, path.constData(), IN_OPEN | IN_CLOSE);
}

// Drains the inotify queue; true when a camera node was opened, closed, created or removed since
// the last question.
bool LinuxMediaProbe::camerasTouched() {
    if (m_inotify < 0)
        return true;
    bool touched = false;
    alignas(inotify_event) char buffer[4096];
    ssize_t size;
    while ((size = read(m_inotify, buffer, sizeof(buffer))) > 0) {
        for (char* at = buffer; at < buffer + size;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            const bool camera = event->len == 0 || strncmp(event->name, "video", 5) == 0;
            if (camera)
                touched = true;
            if (camera && (event->mask & IN_CREATE))
                watchCamera(m_devRoot.toLocal8Bit() + '/' + event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    return touched;
}

std::optional<QString> LinuxMediaProbe::cameraInUse() {
    followPipeWire();
    if (camerasTouched() || !m_scanned) {
        m_camera = scanCameras();
        m_scanned = true;
    }
    return m_camera ? m_camera : m_pipeWire.runningCamera();
}

std::optional<QString> LinuxMediaProbe::scanCameras() const {
    // Cameras in device order; without any, there is no need to look through every process.
    const QDir devices(m_sysRoot + u"/class/video4linux"_s);
    QList<int> numbers;
    for (const QString& name : devices.entryList(QDir::Dirs | QDir::System)) {
        if (!name.startsWith(u"video"))
            continue;
        bool ok = false;
        const int number = name.mid(5).toInt(&ok);
        if (ok)
            numbers.append(number);
    }
    std::sort(numbers.begin(), numbers.end());
    if (!numbers.isEmpty()) {
        const std::set<int> open = camerasOpen(m_procRoot.toLocal8Bit());
        for (const int number : numbers) {
            if (!open.contains(number))
                continue;
            const QString name = readTrimmed(devices.filePath(u"video%1/name"_s.arg(number)));
            return name.isEmpty() ? u"camera"_s : name;
        }
    }
    return std::nullopt;
}

std::optional<QString> LinuxMediaProbe::screenShareApp() {
    followPipeWire();
    if (m_pipeWire.screencastRunning())
        return u"Screen Sharing"_s;
    const QByteArray procRoot = m_procRoot.toLocal8Bit();
    DIR* proc = opendir(procRoot.constData());
    if (!proc)
        return std::nullopt;
    std::optional<QString> found;
    QHash<qint64, QString> seen;
    while (const dirent* entry = readdir(proc)) {
        if (!isNumber(entry->d_name))
            continue;
        const qint64 pid = atoll(entry->d_name);
        auto known = m_programNames.constFind(pid);
        const QString comm =
            known != m_programNames.constEnd()
                ? *known
                : readTrimmed(QString::fromLocal8Bit(procRoot + '/' + entry->d_name + "/comm"));
        seen.insert(pid, comm);
        const auto program = sharingPrograms().constFind(comm);
        if (program != sharingPrograms().constEnd()) {
            found = program->isEmpty() ? u"Screen Sharing"_s : *program;
            break;
        }
    }
    closedir(proc);
    if (!found)
        m_programNames = std::move(seen); // forgets processes that have ended
    return found;
}

std::optional<QString> LinuxMediaProbe::microphoneInUse() {
    followPipeWire();
    const std::optional<PipeWireNodes::Application> recording =
        m_pipeWire.runningMicrophone(QCoreApplication::applicationPid());
    if (!recording)
        return std::nullopt;
    return applicationName(*recording);
}

// Remembered, so that a long recording costs no look through the desktop entries at each poll.
QString LinuxMediaProbe::applicationName(const PipeWireNodes::Application& application) {
    const QString key = application.id + u'\n' + application.binary + u'\n' + application.name;
    if (const auto known = m_applicationNames.constFind(key); known != m_applicationNames.cend())
        return *known;
    const QString id = m_entries.contains(application.id)
                           ? application.id
                           : m_entries.idForWindowClass(application.binary, application.name);
    QString name = m_entries.name(id);
    for (const QString& fallback : {application.name, application.binary, u"microphone"_s}) {
        if (name.isEmpty())
            name = fallback;
    }
    m_applicationNames.insert(key, name);
    return name;
}

// Without PipeWire (PulseAudio alone) nothing tells who records.
bool LinuxMediaProbe::seesMicrophone() {
    return m_monitor || pipeWireRuns();
}

bool LinuxMediaProbe::pipeWireRuns() const {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return !m_pwDump.isEmpty() && QFile::exists(runtime + u"/pipewire-0"_s) &&
           !QStandardPaths::findExecutable(m_pwDump).isEmpty();
}

void LinuxMediaProbe::followPipeWire() {
    if (m_monitor || !pipeWireRuns())
        return;
    m_monitor = new QProcess(this);
    m_monitor->setStandardErrorFile(QProcess::nullDevice());
    connect(m_monitor, &QProcess::readyReadStandardOutput, this, &LinuxMediaProbe::readPipeWire);
    // PipeWire restarted or pw-dump failed: forget the graph and start again at the next question.
    connect(m_monitor, &QProcess::finished, this, [this] {
        m_monitor->deleteLater();
        m_monitor = nullptr;
        m_pipeWire = PipeWireNodes();
        m_pending.clear();
    });
    m_monitor->start(m_pwDump, {u"--monitor"_s, u"--no-colors"_s});
}

// pw-dump prints one JSON array per batch of changes and closes each with "]" on a line of its
// own.
void LinuxMediaProbe::readPipeWire() {
    m_pending += m_monitor->readAllStandardOutput();
    qsizetype end;
    while ((end = m_pending.indexOf("\n]\n")) >= 0) {
        m_pipeWire.apply(m_pending.left(end + 2));
        m_pending.remove(0, end + 3);
    }
}
