#include "PipeWireNodes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using namespace Qt::StringLiterals;

void PipeWireNodes::apply(const QByteArray& json) {
    const QJsonDocument document = QJsonDocument::fromJson(json);
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        const qint64 id = object.value(u"id"_s).toInteger(-1);
        const QJsonValue info = object.value(u"info"_s);
        if (info.isNull()) {
            m_nodes.remove(id);
            continue;
        }
        if (object.value(u"type"_s).toString() != u"PipeWire:Interface:Node" || !info.isObject())
            continue;
        // Updates may carry only what changed; keep what an earlier dump said.
        Node& node = m_nodes[id];
        const QJsonObject fields = info.toObject();
        if (fields.contains(u"state"_s))
            node.state = fields.value(u"state"_s).toString();
        const QJsonObject props = fields.value(u"props"_s).toObject();
        if (props.contains(u"media.class"_s))
            node.mediaClass = props.value(u"media.class"_s).toString();
        if (props.contains(u"node.name"_s))
            node.name = props.value(u"node.name"_s).toString();
        if (props.contains(u"node.description"_s))
            node.description = props.value(u"node.description"_s).toString();
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
