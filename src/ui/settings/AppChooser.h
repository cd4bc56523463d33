#pragma once

#include "platform/linux/DesktopEntries.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;

// Picks one installed application from a searchable list of the desktop entries, the way the
// desktop's own "Open With" dialogs do.
class AppChooser : public QDialog {
    Q_OBJECT

public:
    struct Choice {
        QString id; // the desktop-file id
        QString name;
    };

    AppChooser(const QString& message, const QList<DesktopEntries::Entry>& apps,
               QWidget* parent = nullptr);

    // Asks over parent's window; none when the user cancels.
    static std::optional<Choice> choose(const QString& message, QWidget* parent);

    // The selected application, if any.
    std::optional<Choice> chosen() const;
    // Shows only the applications whose name or id contains the text.
    void search(const QString& text);
    QListWidget* list() const { return m_list; }

private:
    QLineEdit* m_search;
    QListWidget* m_list;
    QPushButton* m_choose;
};
