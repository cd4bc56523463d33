#include "OnboardingWindow.h"

#include "settings/AppSettings.h"
#include "ui/settings/SettingsForm.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

QColor accent(const QWidget* widget) {
    return widget->palette().color(QPalette::Highlight);
}

// A preset as a plain button: its title above its description, a check mark at the trailing edge
// while it is the preset in force. Checked means "in force" and only one is, so screen readers
// meet the rows as radio buttons and say which one is. It takes the focus from the keyboard only,
// so a click leaves no focus ring behind.
class PresetRow : public QAbstractButton {
public:
    PresetRow(Preset preset, QWidget* parent)
        : QAbstractButton(parent)
        , m_mark(new QLabel(this)) {
        setText(preset.title());
        setAccessibleName(preset.title());
        setAccessibleDescription(preset.description());
        setCheckable(true);
        setAutoExclusive(true);
        setFocusPolicy(Qt::TabFocus);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // A button's texts take the button colours; these are text on the window.
        setBackgroundRole(QPalette::Window);
        setForegroundRole(QPalette::WindowText);

        auto* line = new QHBoxLayout(this);
        line->setContentsMargins(10, 10, 10, 10);
        line->setSpacing(8);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(2);
        texts->addWidget(Theme::label(preset.title(), this, 13, Theme::Tone::primary, QFont::Bold));
        texts->addWidget(Theme::label(preset.description(), this, 11, Theme::Tone::secondary,
                                      QFont::Normal, true));
        line->addLayout(texts, 1);
        m_mark->setFont(Theme::symbolFont(18));
        m_mark->setFixedWidth(QFontMetrics(m_mark->font()).height());
        m_mark->setAlignment(Qt::AlignCenter);
        line->addWidget(m_mark);
        // Clicks on the texts belong to the button.
        for (QLabel* label : findChildren<QLabel*>())
            label->setAttribute(Qt::WA_TransparentForMouseEvents);

        connect(this, &QAbstractButton::toggled, this, [this](bool on) {
            m_mark->setText(on ? QString(Symbols::glyph(u"checkmark.circle.fill"_s)) : QString());
            QPalette tinted = m_mark->palette();
            tinted.setColor(QPalette::WindowText, accent(this));
            m_mark->setPalette(tinted);
        });
    }

    QSize sizeHint() const override { return layout()->sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor fill = isChecked() ? Theme::withAlpha(accent(this), 0.15)
                                        : Theme::withAlpha(Theme::primaryText(palette()), 0.04);
        painter.setPen(hasFocus() ? QPen(accent(this), 2) : QPen(Qt::NoPen));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
    }

private:
    QLabel* m_mark;
};

} // namespace

OnboardingWindow::OnboardingWindow(AppSettings& settings, std::function<void()> onDone)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_onDone(std::move(onDone))
    , m_start(new QPushButton(tr("Start"), this)) {
    setWindowTitle(u"Brevimar"_s);
    setFixedSize(380, 440);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 20);
    column->setSpacing(10);

    auto* drop = new QLabel(QString(Symbols::glyph(u"drop.fill"_s)), this);
    drop->setFont(Theme::symbolFont(36));
    QPalette tinted = drop->palette();
    tinted.setColor(QPalette::WindowText, accent(this));
    drop->setPalette(tinted);
    column->addWidget(drop, 0, Qt::AlignHCenter);

    QLabel* question = Theme::label(tr("How active should your day be?"), this, 17,
                                    Theme::Tone::primary, QFont::DemiBold, true);
    question->setAlignment(Qt::AlignHCenter);
    column->addWidget(question);
    column->addSpacing(4);
    addPresetRows(column);
    addEyeRestBox(column);
    QLabel* caption = Theme::label(
        tr("You can change everything later. Reminders pause on their own when you're away or on a "
           "call. Nothing here ever acts on your computer."),
        this, 12, Theme::Tone::secondary, QFont::Normal, true);
    caption->setAlignment(Qt::AlignHCenter);
    column->addWidget(caption);
    column->addStretch(1);

    m_start->setDefault(true);
    m_start->setMinimumWidth(120);
    connect(m_start, &QPushButton::clicked, this, [this] {
        m_settings.setHasCompletedOnboarding(true);
        m_onDone();
    });
    column->addWidget(m_start, 0, Qt::AlignHCenter);
    m_start->setFocus();
}

void OnboardingWindow::addPresetRows(QLayout* column) {
    static constexpr std::array offered{Preset::gentle, Preset::balanced, Preset::active};
    QList<PresetRow*> rows;
    for (const Preset preset : offered) {
        rows.append(new PresetRow(preset, this));
        column->addWidget(rows.back());
    }
    // A preset of one's own is none of these: the rows stop being exclusive for a moment, as
    // exclusive rows never all go unchecked.
    const auto markInForce = [this, rows] {
        for (qsizetype i = 0; i < rows.size(); ++i) {
            rows[i]->setAutoExclusive(false);
            rows[i]->setChecked(m_settings.preset() == offered[size_t(i)]);
            rows[i]->setAutoExclusive(true);
        }
    };
    for (qsizetype i = 0; i < rows.size(); ++i) {
        // A click has already toggled the row; the store has the last word, also when the
        // preset was in force and no change is announced.
        connect(rows[i], &QAbstractButton::clicked, this, [this, markInForce, i] {
            m_settings.setPreset(offered[size_t(i)]);
            markInForce();
        });
    }
    SettingsForm::follow(&m_settings, &AppSettings::presetChanged, this, markInForce);
}

void OnboardingWindow::addEyeRestBox(QLayout* column) {
    // Found by the template's look, not its title: the title was written in the language of the
    // day it was added, and the template's id is new in every run.
    const CustomReminder& made = CustomReminder::templates().constFirst();
    const auto eyeRest = [icon = made.icon,
                          tint = made.tintName](QList<CustomReminder>& reminders) {
        return std::find_if(reminders.begin(), reminders.end(), [&](const CustomReminder& r) {
            return r.icon == icon && r.tintName == tint;
        });
    };
    auto* box = new SettingsForm::Switch(
        tr("Also remind me to rest my eyes every 20 min"),
        [this, eyeRest] {
            QList<CustomReminder> reminders = m_settings.customReminders();
            const auto found = eyeRest(reminders);
            return found != reminders.end() && found->enabled;
        },
        [this, eyeRest](bool on) {
            QList<CustomReminder> reminders = m_settings.customReminders();
            if (const auto found = eyeRest(reminders); found != reminders.end()) {
                found->enabled = on;
            } else if (on) {
                // A copy of the template with an id of its own, so it does not pick up the counts
                // of an eye rest deleted earlier.
                CustomReminder added = CustomReminder::templates().constFirst();
                added.id = QUuid::createUuid();
                added.enabled = true;
                reminders.append(added);
            } else {
                return;
            }
            m_settings.setCustomReminders(reminders);
        },
        this);
    SettingsForm::follow(&m_settings, &AppSettings::customRemindersChanged, box,
                         [box] { box->refresh(); });
    column->addWidget(box);
}

void OnboardingWindow::present() {
    Theme::presentWindow(this, true);
}

// A plain window has no default button of its own: Return and Enter press Start wherever the
// focus is, unless the focused control used the key.
void OnboardingWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        m_start->click();
    else
        QWidget::keyPressEvent(event);
}
