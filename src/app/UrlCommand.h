#pragma once

#include <QString>

#include <optional>

// What a brevimar:// URL asks for, read apart from carrying it out, so that the reading can be
// exercised with any text on its own.
struct UrlCommand {
    QString name;     // the host as written (not lower-cased), without a user or port; empty
                      // when the URL has none
    QString argument; // "water" of brevimar://done/water; empty when the path has none
    std::optional<qint64> minutes; // ?minutes= when a whole number, at most what a pause can take

    // None unless the text starts with "brevimar:"; the scheme is not normalised first.
    static std::optional<UrlCommand> parse(const QString& text);
    // One of the commands Brevimar carries out: done, snooze, skip, pause, resume, history,
    // settings.
    bool isKnown() const;
    // The text as it may stand in a log line: what could forge another line is encoded.
    static QString forLog(const QString& text);
};
