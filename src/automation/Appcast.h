#pragma once

#include <QString>
#include <QUrl>
#include <QVersionNumber>

#include <optional>

// An update feed: an RSS 2.0 channel whose items are releases, described with the Sparkle
// namespace (version numbers, release notes link) and an enclosure to download.
namespace Appcast {

struct Release {
    QString version; // as the feed shows it: the short version string, else the build version
    QVersionNumber number;
    QString notes; // the description as plain text
    QUrl notesLink;
    QUrl download; // the enclosure, else the item's link
};

struct Result {
    std::optional<Release> newest; // the release with the highest version
    QString error;                 // why there is none
};

Result parse(const QByteArray& feed);

// Only a strictly higher version is an update.
bool isNewer(const Release& release, const QString& installedVersion);

} // namespace Appcast
