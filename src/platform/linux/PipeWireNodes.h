#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// The nodes of the PipeWire graph as pw-dump describes them, kept up to date from its output,
// with the clients that made them.
class PipeWireNodes {
public:
    // What PipeWire says of the application behind a stream, from the stream or else its client.
    struct Application {
        QString name;   // application.name: "Firefox"
        QString id;     // application.id, or a Flatpak's application id
        QString binary; // application.process.binary: "firefox-esr"
        qint64 pid = 0;
    };

    // Applies one JSON array as pw-dump prints it: whole objects, or {"id": n, "info": null} for
    // an object that went away. Anything that is neither a node nor a client is ignored; bad JSON
    // changes nothing.
    void apply(const QByteArray& json);

    // The description of the first running camera (a Video/Source node), in id order.
    std::optional<QString> runningCamera() const;
    // Whether a screencast stream of GNOME, KDE or wlroots is running.
    bool screencastRunning() const;
    // The application of the first running audio capture stream, in id order, that records what
    // a person says: not a level meter, not a capture of what plays, not the sound settings' own
    // and not one of the process ownPid.
    std::optional<Application> runningMicrophone(qint64 ownPid) const;

private:
    struct Node {
        QString mediaClass;
        QString name;
        QString description;
        QString state;
        Application application;
        qint64 client = -1;
        bool meter = false; // stream.monitor or a Monitor category: peaks, not a voice
        bool capturesSink = false;
    };
    Application applicationOf(const Node& node) const;

    QHash<qint64, Node> m_nodes;
    QHash<qint64, Application> m_clients;
};
