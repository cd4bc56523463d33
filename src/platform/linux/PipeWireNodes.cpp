#include "PipeWireNodes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// pw-dump prints a property as a JSON boolean or number when it reads as one, else as a string.
bool isTrue(const QJsonValue& value) {
    return value.isBool() ? value.toBool() : value.toString() == u"true";
}

void readApplication(const QJsonObject& props, PipeWireNodes::Application& application) {
    if (props.contains(u"application.name"_s))
        application.name = props.value(u"application.name"_s).toString();
    // A Flatpak's id is what the sandbox vouches for; the application may say what it likes.
    for (const QString& key : {u"application.id"_s, u"pipewire.access.portal.app_id"_s}) {
        if (props.contains(key) && !props.value(key).toString().isEmpty())
            application.id = props.value(key).toString();
    }
    if (props.contains(u"application.process.binary"_s))
        application.binary = props.value(u"application.process.binary"_s).toString();
    if (props.contains(u"application.process.id"_s)) {
        const QJsonValue pid = props.value(u"application.process.id"_s);
        application.pid = pid.isString() ? pid.toString().toLongLong() : pid.toInteger();
    }
}

// The sound settings show a level for each microphone while they are open, recording it.
bool isSoundSettings(const PipeWireNodes::Application& application) {
    static const QStringList ids{u"org.PulseAudio.pavucontrol"_s, u"org.gnome.VolumeControl"_s,
                                 u"org.gnome.Settings"_s, u"com.saivert.pwvucontrol"_s};
    static const QStringList programs{
        u"pavucontrol"_s,    u"pavucontrol-qt"_s, u"pwvucontrol"_s, u"gnome-control-center"_s,
        u"systemsettings"_s, u"kcmshell6"_s,      u"kcmshell5"_s};
    return ids.contains(application.id) || programs.contains(application.binary);
}

} // namespace

void PipeWireNodes::apply(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        const qint64 id = object.value(u"id"_s).toInteger(-1);
        const QJsonValue info = object.value(u"info"_s);
        if (info.isNull()) {
            m_nodes.remove(id);
            m_clients.remove(id);
            continue;
        }
        const QString type = object.value(u"type"_s).toString();
        const bool isNode = type == u"PipeWire:Interface:Node";
        if ((!isNode && type != u"PipeWire:Interface:Client") || !info.isObject())
            continue;
        // Updates may carry only what changed; keep what an earlier dump said.
        const QJsonObject fields = info.toObject();
        const QJsonObject props = fields.value(u"props"_s).toObject();
        if (!isNode) {
            readApplication(props, m_clients[id]);
            continue;
        }
        Node& node = m_nodes[id];
        if (fields.contains(u"state"_s))
            node.state = fields.value(u"state"_s).toString();
        readApplication(props, node.application);
        for (const auto& [key, field] : {std::pair{u"media.class"_s, &Node::mediaClass},
                                         {u"node.name"_s, &Node::name},
                                         {u"node.description"_s, &Node::description}}) {
            if (props.contains(key))
                node.*field = props.value(key).toString();
        }
        if (props.contains(u"client.id"_s))
            node.client = props.value(u"client.id"_s).toInteger(-1);
        if (props.contains(u"stream.monitor"_s) || props.contains(u"media.category"_s))
            node.meter = isTrue(props.value(u"stream.monitor"_s)) ||
                         props.value(u"media.category"_s).toString() == u"Monitor";
        if (props.contains(u"stream.capture.sink"_s))
            node.capturesSink = isTrue(props.value(u"stream.capture.sink"_s));
    }
}

std::optional<QString> PipeWireNodes::runningCamera() const {
    QList<qint64> ids = m_nodes.keys();
    std::sort(ids.begin(), ids.end());
    for (const qint64 id : ids) {
        const Node& node = m_nodes[id];
        if (node.mediaClass == u"Video/Source" && node.state == u"running")
            return node.description.isEmpty() ? u"camera"_s : node.description;
    }
    return std::nullopt;
}

bool PipeWireNodes::screencastRunning() const {
    static const QStringList screencasts{u"meta-screen-cast-src"_s, u"kwin-screen-cast"_s,
                                         u"xdpw-stream"_s};
    return std::any_of(m_nodes.begin(), m_nodes.end(), [](const Node& node) {
        return node.state == u"running" &&
               std::any_of(screencasts.begin(), screencasts.end(),
                           [&](const QString& name) { return node.name.startsWith(name); });
    });
}

PipeWireNodes::Application PipeWireNodes::applicationOf(const Node& node) const {
    Application application = node.application;
    const auto client = m_clients.constFind(node.client);
    if (client == m_clients.constEnd())
        return application;
    for (QString Application::*field :
         {&Application::name, &Application::id, &Application::binary}) {
        if ((application.*field).isEmpty())
            application.*field = (*client).*field;
    }
    if (application.pid == 0)
        application.pid = client->pid;
    return application;
}

std::optional<PipeWireNodes::Application> PipeWireNodes::runningMicrophone(qint64 ownPid) const {
    QList<qint64> ids = m_nodes.keys();
    std::sort(ids.begin(), ids.end());
    for (const qint64 id : ids) {
        const Node& node = m_nodes[id];
        if (node.mediaClass != u"Stream/Input/Audio" || node.state != u"running" || node.meter ||
            node.capturesSink)
            continue;
        const Application application = applicationOf(node);
        if (application.pid != ownPid && !isSoundSettings(application))
            return application;
    }
    return std::nullopt;
}
