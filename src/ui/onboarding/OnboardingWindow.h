#pragma once

#include <QWidget>

#include <functional>

class AppSettings;
class QPushButton;

// The first-run window: one question about the pace of the day, the eye-rest reminder, and Start.
// Every choice is stored the moment it is made, so closing the window early loses nothing. Unlike
// the reminder windows it takes the keyboard: the user asked for it by starting the app.
class OnboardingWindow : public QWidget {
    Q_OBJECT

public:
    // onDone runs after Start has marked onboarding as completed.
    OnboardingWindow(AppSettings& settings, std::function<void()> onDone);

    // Shows the window in front with the keyboard, centred on the screen under the pointer.
    void present();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addPresetRows(QLayout* column);
    void addEyeRestBox(QLayout* column);

    AppSettings& m_settings;
    std::function<void()> m_onDone;
    QPushButton* m_start;
};
