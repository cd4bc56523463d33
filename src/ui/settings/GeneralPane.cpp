#include "GeneralPane.h"

#include "HistoryExport.h"
#include "SettingsForm.h"
#include "SettingsWindow.h"
#include "settings/AppSettings.h"
#include "ui/theme/Theme.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

namespace {

// Text the user can select and copy, such as a command to paste into a terminal.
QLabel* selectable(const QString& text, QWidget* parent, const QFont& font = {}) {
    QLabel* label = Theme::label(text, parent, 12, Theme::Tone::secondary, QFont::Normal, true);
    if (font != QFont())
        label->setFont(font);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

// A row that shows what it holds only while open, as a disclosure triangle does.
QWidget* expandable(const QString& title, QWidget* content, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(0, 0, 0, 0);
    auto* toggle = new QToolButton(row);
    toggle->setText(title);
    toggle->setAutoRaise(true);
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setArrowType(Qt::RightArrow);
    column->addWidget(toggle);
    content->setParent(row);
    content->setContentsMargins(22, 0, 0, 0);
    content->hide();
    column->addWidget(content);
    QObject::connect(toggle, &QToolButton::clicked, content, [toggle, content] {
        const bool open = content->isHidden();
        toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        content->setVisible(open);
    });
    return row;
}

} // namespace

GeneralPane::GeneralPane(const SettingsParts& parts, SettingsWindow& window, QWidget* parent)
    : QWidget(parent)
    , m_events(parts.events)
    , m_export(new QPushButton(tr("Export…"))) {
    AppSettings& settings = parts.settings;
    QVBoxLayout* column = paneLayout(this);

    auto* startup = new Group({}, {}, this);
    auto* login = new Switch(
        tr("Launch at login"), [&settings] { return settings.launchAtLogin(); },
        [&settings](bool on) { settings.setLaunchAtLogin(on); }, startup->body());
    connect(&settings, &AppSettings::launchAtLoginChanged, login, &Switch::refresh);
    connect(&settings, &AppSettings::launchAtLoginFailed, this, [this](const QString& reason) {
        tell(tr("Brevimar could not change whether it starts when you log in."), reason);
    });
    startup->addRow(login);
    auto* shortcuts = new Switch(
        tr("Global keyboard shortcuts"), [&settings] { return settings.shortcutsEnabled(); },
        [&settings](bool on) { settings.setShortcutsEnabled(on); }, startup->body());
    connect(&settings, &AppSettings::shortcutsEnabledChanged, shortcuts, &Switch::refresh);
    startup->addRow(shortcuts);
    column->addWidget(startup);

    auto* automation = new Group(tr("Automation"),
                                 u"Ctrl+Alt+Super+W logs water, Ctrl+Alt+Super+S logs a move, "
                                 u"Ctrl+Alt+Super+P pauses or resumes."_s,
                                 this);
    auto* examples = new QWidget(automation->body());
    auto* lines = new QVBoxLayout(examples);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(6);
    lines->addWidget(
        selectable(tr("brevimarctl and D-Bus: Log a Reminder as Done, Pause Reminders, "
                      "Resume Reminders, Today's Ormanthe."),
                   examples));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(12);
    lines->addWidget(selectable(u"brevimar://done/water\nbrevimar://done/movement\n"
                                u"brevimar://pause?minutes=30\nbrevimar://resume\n"
                                u"brevimar://history"_s,
                                examples, fixed));
    automation->addRow(expandable(tr("Shortcuts and URL scheme"), examples, automation->body()));
    column->addWidget(automation);

    auto* history =
        new Group(tr("Data"),
                  tr("History stays on this computer. The usage ping sends a random ID, app "
                     "and system version, a rough country and today's counts, never your "
                     "history or the apps you use. Off sends nothing."),
                  this);
    connect(m_export, &QPushButton::clicked, this, [this] {
        exportHistory(QFileDialog::getSaveFileName(
            this, tr("Export History"), QDir::home().filePath(u"Brevimar-history.jsonl"_s),
            tr("JSON Lines (*.jsonl *.json)")));
    });
    history->addRow(tr("Your history"), m_export);
    auto* share = new Switch(
        tr("Share anonymous usage counts"), [&settings] { return settings.shareUsage(); },
        [&settings](bool on) { settings.setShareUsage(on); }, history->body());
    connect(&settings, &AppSettings::shareUsageChanged, share, &Switch::refresh);
    history->addRow(share);
    column->addWidget(history);

    auto* about = new Group({}, {}, this);
    auto* version = new QWidget;
    auto* versionLine = new QHBoxLayout(version);
    versionLine->setContentsMargins(0, 0, 0, 0);
    versionLine->setSpacing(12);
    QLabel* number = Theme::label(parts.version, version, 13, Theme::Tone::secondary);
    number->setToolTip(parts.build);
    number->setTextInteractionFlags(Qt::TextSelectableByMouse);
    versionLine->addWidget(number);
    auto* check = new QPushButton(tr("Check for Updates…"), version);
    check->setVisible(bool(parts.checkForUpdates));
    connect(check, &QPushButton::clicked, this, parts.checkForUpdates);
    follow(&window, &SettingsWindow::canCheckForUpdatesChanged, check,
           [check, &window] { check->setEnabled(window.canCheckForUpdates()); });
    versionLine->addWidget(check);
    about->addRow(tr("Version"), version);
    column->addWidget(about);
    column->addStretch(1);
}

HistoryExport* GeneralPane::exportHistory(const QString& path) {
    if (path.isEmpty())
        return nullptr;
    auto* job = new HistoryExport(m_events, path, this);
    // Shown only when the export takes longer than half a second.
    auto* progress =
        new QProgressDialog(tr("Exporting your history…"), tr("Cancel"), 0, 1000, this);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(500);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    connect(progress, &QProgressDialog::canceled, job, &HistoryExport::cancel);
    connect(job, &HistoryExport::progressed, progress, [progress](qint64 exported, qint64 total) {
        progress->setValue(total > 0 ? int(exported * 1000 / total) : 0);
    });
    connect(job, &HistoryExport::finished, this, [this, job, progress](bool, const QString& error) {
        progress->deleteLater();
        job->deleteLater();
        m_export->setEnabled(true);
        if (!error.isEmpty())
            tell(tr("Brevimar could not export your history to %1.").arg(job->path()), error);
    });
    m_export->setEnabled(false);
    job->start();
    return job;
}

void GeneralPane::tell(const QString& text, const QString& reason) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, window()->windowTitle(), text, QMessageBox::Ok, this);
    box->setInformativeText(reason);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
