#include "AppServices.h"
#include "fakes/QtPrinters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

class UrlCommandsTest : public ::testing::Test, protected AppServices {
protected:
    qint64 pausedMinutes(const QString& minutes) {
        delegate.open({u"brevimar://pause?minutes="_s + minutes});
        const auto until = delegate.context().manualPauseUntil();
        return until ? clock.now().secsTo(*until) / 60 : -1;
    }

    AppDelegate delegate{services, desktop};
};

} // namespace

TEST_F(UrlCommandsTest, AnswersReachActiveKindsOnly) {
    const CustomReminder meds{.title = u"Meds"_s};
    services.settings.setCustomReminders({meds});
    services.settings.setWaterEnabled(false);
    delegate.open({u"brevimar://done/water"_s, u"brevimar://done"_s, u"brevimar://done/"_s,
                   u"brevimar://done/"_s + meds.kindID(), u"brevimar://skip/movement"_s});
    EXPECT_EQ(eventLog(services.events), QStringList({u"launch"_s, u"done "_s + meds.kindID()}));

    RhythmEngine& engine = delegate.engine();
    engine.fire(NudgeKind::movement());
    delegate.open({u"brevimar://snooze/movement?minutes=30"_s});
    EXPECT_EQ(clock.now().secsTo(engine.nextAt().value(NudgeKind::movement())), 600)
        << "always ten minutes";
    EXPECT_TRUE(log.lines().filter(u"unknown"_s).isEmpty());
}

TEST_F(UrlCommandsTest, PauseReadsTheFirstMinutesAsADecimalNumber) {
    EXPECT_EQ(pausedMinutes(u"30&minutes=5"_s), 30);
    EXPECT_EQ(pausedMinutes(u"+45"_s), 45);
    // Caught: a number past 64 bits paused for the rest of the day, a large one overflowed.
    EXPECT_EQ(pausedMinutes(u"99999999999999999999"_s), std::numeric_limits<int>::max());
    EXPECT_EQ(pausedMinutes(u"9223372036854775807"_s), std::numeric_limits<int>::max());
    const QDateTime midnight = clock.now().date().addDays(1).startOfDay();
    for (const QString& url :
         {u"brevimar://pause?minutes=abc"_s, u"brevimar://pause"_s, u"brevimar://pause?minutes="_s,
          u"brevimar://pause?minutes=1e3"_s,
          u"brevimar://pause?minutes=0"_s, // caught: it paused until now
          u"brevimar://pause?minutes=-5"_s, u"brevimar://pause?minutes=-99999999999999999999"_s}) {
        delegate.open({u"brevimar://resume"_s, url});
        EXPECT_EQ(delegate.context().manualPauseUntil(), midnight) << url.toStdString();
    }
    delegate.open({u"BREVIMAR://resume"_s});
    EXPECT_TRUE(delegate.context().manualPauseUntil()) << "the scheme is compared exactly";
    delegate.open({u"brevimar://resume"_s});
    EXPECT_FALSE(delegate.context().manualPauseUntil());
}

TEST_F(UrlCommandsTest, OnlyUnknownCommandsAreLogged) {
    const qsizetype before = log.lines().size();
    delegate.open({u"brevimar://"_s, u"brevimar://Dance/water?x=1"_s, u"https://resume"_s,
                   u"brevimar://history"_s, u"brevimar://settings"_s,
                   u"brevimar://x\nBrevimar fire water"_s});
    EXPECT_EQ(log.lines().mid(before),
              QStringList({u"Brevimar: unknown URL brevimar://"_s,
                           u"Brevimar: unknown URL brevimar://Dance/water?x=1"_s,
                           u"Brevimar: unknown URL brevimar://x%0ABrevimar%20fire%20water"_s}))
        << "a link cannot forge a log line";

    // The command is the host alone, whatever port or user the link names.
    delegate.open({u"brevimar://me@done:80/water"_s});
    EXPECT_EQ(eventLog(services.events).last(), u"done water"_s);
}
