#include "FindWidget.h"
#include "fakes/StoredServices.h"
#include "ui/onboarding/OnboardingWindow.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The first-run window over the settings of a fresh installation.
class OnboardingTest : public ::testing::Test {
protected:
    QAbstractButton* button(const QString& text) { return findWidget(window, text); }
    QAbstractButton* eyeRestBox() {
        return button(u"Also remind me to rest my eyes every 20 min"_s);
    }
    QList<CustomReminder> reminders() const { return stored.settings.customReminders(); }

    StoredServices stored{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    int done = 0;
    OnboardingWindow window{stored.settings, [this] { ++done; }};
};

// Catches: rows not following the store (also to a pace of one's own, none of them), a second Eye
// rest next to the disabled default one, a preset written only at Start, Return not reaching Start.
TEST_F(OnboardingTest, FreshInstallEnablesTheDefaultEyeRestAndStoresEveryChoiceAtOnce) {
    EXPECT_TRUE(button(u"Balanced"_s)->isChecked());
    EXPECT_FALSE(eyeRestBox()->isChecked());
    CustomReminder eyeRest = reminders().constFirst();
    eyeRestBox()->click();
    eyeRest.enabled = true;
    EXPECT_EQ(reminders(), QList{eyeRest});

    button(u"Gentle"_s)->click();
    button(u"Gentle"_s)->click(); // the preset in force stays marked
    EXPECT_EQ(stored.settings.preset(), Preset::gentle);
    EXPECT_TRUE(button(u"Gentle"_s)->isChecked());
    stored.settings.setPreset(Preset::active);
    EXPECT_TRUE(button(u"Active"_s)->isChecked());
    EXPECT_FALSE(button(u"Gentle"_s)->isChecked());
    stored.settings.setPreset(Preset::custom);
    EXPECT_FALSE(button(u"Active"_s)->isChecked());

    QTest::keyClick(eyeRestBox(), Qt::Key_Return);
    EXPECT_TRUE(stored.settings.hasCompletedOnboarding());
    EXPECT_EQ(done, 1);
}

// Catches: nothing added once Eye rest was deleted, the copy sharing the template's id,
// unchecking removing the reminder, an eye rest added in another language not found.
TEST_F(OnboardingTest, AfterEyeRestWasDeletedCheckingAppendsOneThatUncheckingOnlyDisables) {
    const CustomReminder posture = CustomReminder::templates().at(2);
    stored.settings.setCustomReminders({posture});
    eyeRestBox()->click();
    CustomReminder added = reminders().value(1);
    EXPECT_EQ(added.title, u"Eye rest"_s);
    EXPECT_NE(added.id, CustomReminder::templates().constFirst().id);

    eyeRestBox()->click();
    added.enabled = false;
    EXPECT_EQ(reminders(), (QList<CustomReminder>{posture, added}));

    added.title = u"Augenpause"_s;
    stored.settings.setCustomReminders({posture, added});
    eyeRestBox()->click();
    added.enabled = true;
    EXPECT_EQ(reminders(), (QList<CustomReminder>{posture, added}));
}
