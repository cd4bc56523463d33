#pragma once

#include <QString>

class QUrl;

// What the build says about itself: its versions and the addresses it was configured with.
// A build nobody configured has no feed and no usage endpoint, so it never goes on the network.
struct BundleInfo {
    QString shortVersion;  // "0.1.0", or "?" when the build does not say
    QString build;         // the build number, or "?"
    QString feedUrl;       // the update feed; empty: no update checks
    QString usageEndpoint; // where usage counts go unless BREVIMAR_USAGE_URL says otherwise

    // This program's own, from the resource the build generates.
    static BundleInfo main();
    // Whether the feed or the endpoint may be used: https, or plain http only to this computer,
    // where nobody in between could read or change what goes either way.
    static bool isSafeAddress(const QUrl& url);
};
