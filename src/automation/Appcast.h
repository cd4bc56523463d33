#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// An update feed: an RSS 2.0 channel whose items are releases, described with the Sparkle
// namespace and an enclosure to download. As in Sparkle, an item's sparkle:version is the build
// number that releases are ordered by, matched against the installed CFBundleVersion; its
// sparkle:shortVersionString is only what people are shown.
namespace Appcast {

struct Release {
    QString version; // as the feed shows it: the short version string, else the build
    QString build;   // sparkle:version as written
    QString notes;   // the description as plain text
    QUrl notesLink;
    QUrl download; // the enclosure, else the item's link
};

struct Result {
    std::optional<Release> newest; // the release with the highest build
    QString error;                 // why there is none
};

Result parse(const QByteArray& feed);

// Orders two version texts: numbers without their trailing zeros (1.0 is 1.0.0), and a
// pre-release ("1.2.0-beta1") before the release of its number. Less than, equal to or greater
// than zero, as the first comes before, with or after the second; a text that does not start
// with a number comes before every version.
int compare(const QString& left, const QString& right);

// Only a strictly higher build is an update.
bool isNewer(const Release& release, const QString& installedBuild);

} // namespace Appcast
