#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// The nodes of the PipeWire graph as pw-dump describes them, kept up to date from its output.
class PipeWireNodes {
public:
    // Applies one JSON array as pw-dump prints it: whole objects, or {"id": n, "info": null} for
    // an object that went away. Anything that is not a node is ignored; bad JSON changes nothing.
    void apply(const QByteArray& json);

    // The description of the first running camera (a Video/Source node), in id order.
    std::optional<QString> runningCamera() const;
    // Whether a screencast stream of GNOME, KDE or wlroots is running.
    bool screencastRunning() const;

private:
    struct Node {
        QString mediaClass;
        QString name;
        QString description;
        QString state;
    };
    QHash<qint64, Node> m_nodes;
};
