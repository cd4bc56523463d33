#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>
#include <optional>

class HoldState;
class PreferenceStore;

// The small window that tells the outcome of an update check: a newer version with its notes and
// a way to download it, "up to date", or why the check failed. One window, made once; presenting
// it again replaces what it says. It only tells and links: the browser does the download.
//
// A newer version nobody asked about keeps out of the way: it waits while reminders are held
// (a call, a screen share, full screen, a pause…) and shows when the hold ends, and a version
// the user skipped is not offered again, though a newer one is.
class UpdateWindow : public QWidget {
    Q_OBJECT

public:
    struct Update {
        QString version;
        QString installedVersion;
        QString notes; // plain text; empty: the notes link is offered instead
        QUrl notesLink;
        QUrl download;
    };
    enum class Focus { take, leave };

    // What holds reminders, and where the skipped version is kept; without them such an update
    // shows at once.
    UpdateWindow(const HoldState* holds, PreferenceStore* store, QWidget* parent = nullptr);

    // Focus::leave shows it without taking the keyboard from what the user is doing, for the
    // checks nobody asked for.
    void presentUpdate(const Update& update, Focus focus);
    void presentUpToDate(const QString& installedVersion);
    void presentFailure(const QString& error);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Page {
        QString heading;
        QString line;
        Update update; // download empty: nothing to offer, only "OK"
    };

    void present(Page page, Focus focus);
    void rebuild();
    void skip(const QString& version);

    const HoldState* m_holds;
    PreferenceStore* m_store;
    Page m_page;
    std::optional<Update> m_waiting; // found while reminders were held
    QWidget* m_content = nullptr;
    std::function<void()> m_defaultAction;
};
