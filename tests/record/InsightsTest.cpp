#include "record/Insights.h"
#include "fakes/EventScript.h"
#include "fakes/QtPrinters.h"
#include "fakes/ScopedTimeZone.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Events written by hand, a number of days before "now" (Monday 7 December 2026, 20:00 in
// Berlin), in an English locale; build() sorts them.
class InsightsTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // The events of a day, as the event log reads them ("09:00 fired water, 09:02 done water").
    void log(int daysAgo, const QString& script) {
        events += scriptedEvents(now.date().addDays(-daysAgo), script);
    }
    // A break each evening of the last `days` days: use enough for insights, apart from water.
    void activeDays(int days) {
        for (int d = 0; d < days; ++d)
            log(d, "19:00 done movement");
    }
    Insights build(int rangeDays = 7) {
        std::stable_sort(events.begin(), events.end(),
                         [](const auto& a, const auto& b) { return a.at < b.at; });
        return Insights::build(events, kinds, rangeDays, now);
    }

    QDateTime now{QDate(2026, 12, 7), QTime(20, 0)};
    QList<EventStore::Event> events;
    QList<NudgeKind> kinds = NudgeKind::builtIns();
};

} // namespace

// Two active days give only the "few days" texts, even over a long range; two more, the week.
TEST_F(InsightsTest, AWeekReadsAsWritten) {
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); // English texts all the same
    log(4, "09:00 done custom-gone ×4"); // a deleted reminder: counted, never named
    log(2, "09:00 fired water, 09:02:30 done water, 09:05 fired movement, 09:15 done movement, "
           "11:00 fired water, 11:02:30 done water, 11:05 fired movement, 11:15 done movement, "
           "15:00 done water");
    const Insights twoDays = build(90);
    EXPECT_EQ(twoDays.sentences + twoDays.highlights,
              (QStringList{
                  u"Insights need a few days of use. Keep the app running and check back."_s,
                  u"Give it a few days. Patterns show up here once there's enough to compare."_s}));
    log(1, "09:00 done water");
    log(0, "09:00 done movement");

    const Insights insights = build();
    EXPECT_EQ(insights.days[2].done, (QHash<QString, int>{{u"custom-gone"_s, 4}}));
    EXPECT_EQ(std::pair(insights.activeDayCount, insights.totalDone), std::pair(4, 11));
    EXPECT_EQ(insights.medianResponse, 600.0) << "of 150, 150, 600, 600: the upper middle";
    EXPECT_EQ(insights.sentences,
              (QStringList{u"Best day: Sat, Dec 5 with 3 sips and 2 breaks."_s,
                           u"You answer water reminders in about 3 min, move takes 10 min."_s}))
        << "2.5 minutes round up";
    EXPECT_EQ(insights.highlights,
              QStringList{u"Your best day was Saturday, Dec 5, with 5 done."_s});
}

// A clock that ran fast leaves events dated after today: they count in every figure but the days.
TEST_F(InsightsTest, AFireIsAnsweredOnceAndADoneOnlyWithinTheHourWhateverItsDate) {
    const struct {
        int daysAgo;
        const char* script;
        int answered;
        std::optional<double> median;
    } cases[] = {
        {0, "10:00 fired water, 10:59 done water", 1, 59 * 60.0},
        {0, "10:00 fired water, 11:01 done water", 0, std::nullopt},
        {0, "10:00 fired water, 10:01 snoozed water 10, 10:11 done water", 1, std::nullopt},
        {-1, "10:00 fired water, 10:02 done water", 1, 120.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        events.clear();
        log(c.daysAgo, c.script);
        const Insights insights = build();
        EXPECT_EQ(insights.totalAnswered, c.answered);
        EXPECT_EQ(insights.missedByHour[10], 1 - c.answered);
        EXPECT_EQ(insights.medianResponse, c.median);
        EXPECT_EQ(insights.totalDone, 1);
        EXPECT_EQ(insights.kindStats[0].total, int(c.daysAgo >= 0)) << "no day after today";
    }
}

TEST_F(InsightsTest, AtMostTwoHoursStandOutAndOnlyPastBothThresholds) {
    struct Case {
        const char* name;
        int otherFired, otherAnswered, hourFired, hourAnswered;
        bool standsOut;
    } const cases[] = {
        {"miss 0.6 against overall 0.5", 90, 46, 10, 4, false},
        {"100 fired need 5 in the hour", 95, 95, 5, 0, true},
        {"96 + 4 fired", 96, 96, 4, 0, false},
        {"250 fired need 7 (3 % truncated)", 243, 243, 7, 0, true},
        {"400 fired need 12 in the hour", 388, 388, 12, 0, true},
        {"389 + 11 fired", 389, 389, 11, 0, false},
        {"miss 0.6 against overall 0.4", 90, 56, 10, 4, true}, // the texts below read this one
    };
    for (const Case& c : cases) {
        events.clear();
        activeDays(3);
        // Each fire of the hour, the first ones skipped a second later.
        log(1, QString::asprintf("09:00 fired water ×%d, 09:00:01 skipped water ×%d, 14:00 fired "
                                 "water ×%d, 14:00:01 skipped water ×%d",
                                 c.otherFired, c.otherAnswered, c.hourFired, c.hourAnswered));
        EXPECT_EQ(build().standoutHours, c.standsOut ? QSet<int>{14} : QSet<int>{}) << c.name;
    }
    EXPECT_TRUE(build().sentences.contains(
        u"Reminders around 2 PM go unanswered most: 6 of 10. If that's focus time, a longer "
        u"interval there may suit you."_s));

    // At most the two hours missing most; equal misses keep hour order, and mornings say so.
    events.clear();
    activeDays(3);
    log(1, "08:00 fired water ×6, 09:00 fired water ×8, 10:00 fired water ×8, "
           "11:00 fired water ×22, 11:00:01 skipped water ×22");
    EXPECT_EQ(build().standoutHours, (QSet<int>{9, 10}));
    EXPECT_EQ(build().highlights.first(),
              u"Mornings are where you miss the most: 8 of 8 around 9 AM."_s);
}

// Holds that spared the user, start to end; a start replaces an open hold, a lone end is nothing.
TEST_F(InsightsTest, OnlyHoldsThatSparedTheUserAndRepeatedPausesAreTold) {
    const struct {
        int daysAgo;
        QString held, during, label; // none: no sentence and no highlight
        const char* script;
    } cases[] = {
        {1, u""_s, u""_s, u""_s,
         "10:00 hold_start call, 10:29:59 hold_end, 11:00 hold_start idle, 12:00 hold_end, "
         "12:00 hold_start offHours, 12:59 hold_end"},
        {1, u"30 min"_s, u"calls"_s, u"Calls"_s,
         "09:00 hold_end, 10:00 hold_start call, 10:30 hold_end, 11:00 hold_end"},
        {-1, u"30 min"_s, u"calendar meetings"_s, u"Meetings"_s,
         "10:00 hold_start call, 10:20 hold_start meeting, 10:50 hold_end"},
        {1, u"31 min"_s, u"calendar meetings"_s, u"Meetings"_s,
         "09:00 hold_start call, 09:09 hold_end, 09:10 hold_start screenShare, 09:18 hold_end, "
         "09:20 hold_start meeting, 09:30 hold_end, 09:40 hold_start fullScreen, 09:42 hold_end, "
         "09:50 hold_start appRule, 09:52 hold_end"},
        {1, u"45 min"_s, u"Do Not Disturb"_s, u"Do Not Disturb"_s,
         "14:00 hold_start doNotDisturb, 14:45 hold_end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        events.clear();
        activeDays(3);
        log(c.daysAgo, c.script);
        log(1, "13:00 hold_start meeting"); // never ends: not counted
        const Insights insights = build();
        EXPECT_EQ(insights.sentences.filter(u"held"_s).join(QString()),
                  c.held.isEmpty() ? QString()
                                   : u"Brevimar held reminders for %1 so they wouldn't interrupt "
                                     u"you, mostly during %2."_s.arg(c.held, c.during));
        EXPECT_EQ(insights.highlights.first(),
                  c.held.isEmpty() ? u"Your best day was Saturday, Dec 5, with 1 done."_s
                                   : c.label + u" held "_s + c.held +
                                         u" of reminders, so nothing interrupted you."_s);
    }

    // Pausing by hand is told from the third time on.
    log(1, "10:00 pause, 11:00 pause");
    EXPECT_TRUE(build().sentences.filter(u"paused"_s).isEmpty());
    log(2, "10:00 pause");
    EXPECT_TRUE(build().sentences.contains(
        u"You paused reminders by hand 3 times. If it's always the same stretch, work hours in "
        u"Settings can do it for you."_s));
}

// The period before is as long as the range, right before it, and needs two active days.
TEST_F(InsightsTest, ThePeriodBeforeTheRange) {
    log(14, "23:59:59 done water");
    log(7, "23:59 done water ×2, 23:59:59 done water");
    log(6, "00:00 done water");
    EXPECT_EQ(build().kindStats[0].previousAverage, std::nullopt) << "one active day";
    log(13, "00:00 done water");
    EXPECT_EQ(build().kindStats[0].previousAverage, 2.0);
}

// The largest change of one a day or more, of a kind used on two days, in whole numbers cut short.
TEST_F(InsightsTest, ATrendNeedsAChangeOfOneADayAndNamesThePeriod) {
    const struct {
        int rangeDays, waterBefore, waterDays, water, movesBefore, moveDays, moves;
        QString highlight;
    } cases[] = {
        {7, 12, 3, 6, 0, 0, 0, u"Water dipped to about 2 sips a day, from 6 last week."_s},
        {30, 8, 10, 50, 0, 0, 0, u"Water is up to about 5 sips a day, from 4 the month before."_s},
        {30, 8, 10, 49, 0, 0, 0, {}}, // 4.0 to 4.9
        {90, 7, 3, 23, 0, 0, 0, u"Water is up to about 7 sips a day, from 3 the 90 days before."_s},
        {7, 4, 3, 12, 12, 3, 9, u"Move dipped to about 3 breaks a day, from 6 last week."_s},
        {7, 4, 1, 10, 0, 3, 3, {}}, // water on one day only
    };
    for (const auto& c : cases) {
        events.clear();
        const auto use = [&](const char* kind, int before, int days, int done) {
            log(c.rangeDays, u"08:00 done %1 ×%2"_s.arg(kind).arg((before + 1) / 2));
            log(c.rangeDays + 1, u"08:00 done %1 ×%2"_s.arg(kind).arg(before / 2));
            for (int d = 0; d < days; ++d)
                log(d, u"08:00 done %1 ×%2"_s.arg(kind).arg(done / days + (d < done % days)));
        };
        use("water", c.waterBefore, c.waterDays, c.water);
        use("movement", c.movesBefore, c.moveDays, c.moves);
        EXPECT_EQ(build(c.rangeDays).highlights.filter(u"a day, from"_s).join(QString()),
                  c.highlight)
            << c.water;
    }
}

// Fourteen days back from a Monday, today first, hold each weekday twice.
TEST_F(InsightsTest, TheWeekdaysCompareAveragesByAThird) {
    const std::pair<const char*, QString> cases[] = {
        {"10 13 10 10 10 10 10 10 13 10 10 10 10 10", {}}, // 10 × 1.3 is not below 13
        {"10 14 10 10 10 10 10 10 14 10 10 10 10 10",
         u"Mondays are your quietest day, Sundays your most active."_s},
        {"10 14 0 10 10 10 10 10 14 18 10 10 10 10", // Saturday's total is the lowest
         u"Mondays are your quietest day, Saturdays your most active."_s},
    };
    for (const auto& [perDay, sentence] : cases) {
        events.clear();
        const QStringList done = QString::fromLatin1(perDay).split(u' ');
        for (int d = 0; d < 14; ++d)
            log(d, u"08:00 done water ×"_s + done[d]);
        EXPECT_EQ(build(14).sentences.filter(u"quietest"_s).join(QString()), sentence) << perDay;
    }
}

// Numbers and hours follow the texts' language: English on an untranslated Arabic desktop, German.
TEST_F(InsightsTest, NumbersFollowTheLanguageOfTheTexts) {
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    const std::pair<QString, QString> cases[] = {
        {Insights::formatDuration(30), u"under a minute"_s},
        {Insights::formatDuration(5400), u"1.5 h"_s},
        {Insights::formatHours(5400), u"1.5 hours"_s},
        {Insights::formatHours(3599), u"59 min"_s},
        {Insights::hourLabel(0), u"12 AM"_s},
    };
    for (const auto& [actual, expected] : cases)
        EXPECT_EQ(actual, expected);
    // A translation says which language it is in.
    struct German : QTranslator {
        QString translate(const char* context, const char* source, const char*,
                          int) const override {
            return qstrcmp(context, "Translations") || qstrcmp(source, "en") ? QString() : u"de"_s;
        }
        bool isEmpty() const override { return false; }
    } german;
    QCoreApplication::installTranslator(&german);
    EXPECT_EQ(Insights::formatDuration(5400), u"1,5 h"_s);
}

// The nights the clocks change: days stay calendar days, hours stay wall-clock hours.
TEST_F(InsightsTest, DaysAndHoursAcrossADaylightSavingChange) {
    const ScopedTimeZone berlin("Europe/Berlin");
    for (const QDate change : {QDate(2026, 3, 29), QDate(2026, 10, 25)}) {
        SCOPED_TRACE(change.toString().toStdString());
        now = QDateTime(change.addDays(3), QTime(20, 0));
        events.clear();
        log(3, "00:30 done water, 03:30 done water, 23:30 done water");
        log(2, "00:30 done water");
        const Insights insights = build();
        ASSERT_EQ(insights.days.size(), 7);
        for (int d = 0; d < 7; ++d)
            EXPECT_EQ(insights.days[d].date, change.addDays(d - 3).startOfDay());
        EXPECT_EQ(insights.days[3].done.value(u"water"_s), 3);
        EXPECT_EQ(insights.days[4].done.value(u"water"_s), 1);
        const QList<int>& hours = insights.doneByHour[u"water"_s];
        EXPECT_EQ((std::array{hours[0], hours[3], hours[23]}), (std::array{2, 1, 1}));
    }
}
