#include "record/Insights.h"
#include "fakes/QtPrinters.h"
#include "fakes/ScopedTimeZone.h"
#include "fakes/SimulatedUsage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <numeric>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using Action = EventStore::Action;

namespace {

const QString fewDaysSentence =
    u"Insights need a few days of use. Keep the app running and check back."_s;

// Events written by hand, a number of days before "now" (Monday 7 December 2026, 20:00 in
// Berlin), in an English locale; build() sorts them.
class InsightsTest : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // One line an event, as the event log reads: "09:00 fired water", "10:01:30 snoozed water
    // 10", "10:00 hold_start call".
    void log(int daysAgo, std::initializer_list<const char*> lines) {
        for (const char* line : lines) {
            const QStringList parts = QString::fromLatin1(line).split(u' ');
            const Action action = *EventStore::actionFromRawValue(parts[1]);
            std::optional<QString> kind;
            std::optional<QString> meta;
            if (parts.size() > 2)
                (action <= Action::expired ? kind : meta) = parts[2];
            if (parts.size() > 3)
                meta = parts[3];
            const QTime time = QTime::fromString(parts[0], Qt::ISODate);
            events.append(
                {{}, QDateTime(now.date().addDays(-daysAgo), time).toUTC(), action, kind, meta});
        }
    }
    // count water reminders fired 5 seconds apart from the hour on, the first `answered` of them
    // skipped at once.
    void fires(int daysAgo, int hour, int count, int answered) {
        for (int i = 0; i < count; ++i) {
            const QDateTime at(now.date().addDays(-daysAgo), QTime(hour, 0).addSecs(5 * i));
            events.append({{}, at.toUTC(), Action::fired, u"water"_s, {}});
            if (i < answered)
                events.append({{}, at.addSecs(1).toUTC(), Action::skipped, u"water"_s, {}});
        }
    }
    // One break done in the evening of each of the last `days` days: enough use for insights
    // without touching water's answers.
    void activeDays(int days) {
        for (int d = 0; d < days; ++d)
            log(d, {"19:00 done movement"});
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

TEST_F(InsightsTest, TwoActiveDaysGiveOnlyTheFewDaysTexts) {
    fires(0, 9, 20, 20);
    fires(0, 14, 20, 0);
    activeDays(2);
    const Insights twoDays = build(90);
    EXPECT_EQ(twoDays.sentences, QStringList{fewDaysSentence});
    EXPECT_EQ(twoDays.highlights,
              QStringList{
                  u"Give it a few days. Patterns show up here once there's enough to compare."_s});
    EXPECT_EQ(twoDays.standoutHours, QSet<int>{14}) << "the figures are still there";

    activeDays(3);
    EXPECT_NE(build(90).sentences.first(), fewDaysSentence);
}

TEST_F(InsightsTest, AWeekReadsAsWritten) {
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); // English texts all the same
    log(4, {"09:00 done custom-gone", "09:01 done custom-gone", "09:02 done custom-gone",
            "09:03 done custom-gone"}); // a deleted reminder: counted, never named
    log(2, {"09:00 fired water", "09:02 done water", "09:05 fired movement", "09:15 done movement",
            "11:00 fired water", "11:02 done water", "11:05 fired movement", "11:15 done movement",
            "15:00 done water"});
    log(1, {"09:00 done water"});
    log(0, {"09:00 done movement"});

    const Insights insights = build();
    EXPECT_EQ(insights.days[2].done, (QHash<QString, int>{{u"custom-gone"_s, 4}}));
    EXPECT_EQ(insights.activeDayCount, 4);
    EXPECT_EQ(insights.totalDone, 11);
    EXPECT_EQ(insights.medianResponse, 600.0) << "of 120, 120, 600, 600: the upper middle";
    EXPECT_EQ(insights.sentences,
              (QStringList{u"Best day: Sat, Dec 5 with 3 sips and 2 breaks."_s,
                           u"You answer water reminders in about 2 min, move takes 10 min."_s}));
    EXPECT_EQ(insights.highlights,
              QStringList{u"Your best day was Saturday, Dec 5, with 5 done."_s});
}

TEST_F(InsightsTest, AFireIsAnsweredOnceAndADoneOnlyWithinTheHour) {
    struct Case {
        std::initializer_list<const char*> lines;
        int answered;
        std::optional<double> median;
    } const cases[] = {
        {{"10:00 fired water", "10:59 done water"}, 1, 59 * 60.0},
        {{"10:00 fired water", "11:01 done water"}, 0, std::nullopt},
        {{"10:00 fired water", "10:01 snoozed water 10", "10:11 done water"}, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*(c.lines.end() - 2));
        events.clear();
        log(0, c.lines);
        const Insights insights = build();
        EXPECT_EQ(insights.totalAnswered, c.answered);
        EXPECT_EQ(insights.missedByHour[10], 1 - c.answered);
        EXPECT_EQ(insights.medianResponse, c.median);
        EXPECT_EQ(insights.totalDone, 1);
    }
}

// A clock that ran fast leaves events dated after today: they count in every figure but the days.
TEST_F(InsightsTest, EventsAfterTodayCountInEverythingButTheDays) {
    activeDays(3);
    log(-1, {"09:00 fired water", "09:02 done water", "10:00 hold_start call", "10:30 hold_end"});
    const Insights insights = build();
    EXPECT_EQ(insights.totalAnswered, 1);
    EXPECT_EQ(insights.medianResponse, 120.0);
    EXPECT_EQ(insights.hours[9].fired, 1);
    EXPECT_EQ(insights.totalDone, 4);
    EXPECT_EQ(insights.kindStats[0].total, 0) << "no day of its own";
    EXPECT_EQ(insights.sentences.filter(u"held reminders for 30 min"_s).size(), 1);
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
        {"400 fired need 12 in the hour", 388, 388, 12, 0, true},
        {"389 + 11 fired", 389, 389, 11, 0, false},
        {"miss 0.6 against overall 0.4", 90, 56, 10, 4, true}, // the texts below read this one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        events.clear();
        activeDays(3);
        fires(1, 9, c.otherFired, c.otherAnswered);
        fires(1, 14, c.hourFired, c.hourAnswered);
        const Insights insights = build();
        EXPECT_EQ(insights.standoutHours.contains(14), c.standsOut);
        EXPECT_EQ(insights.standoutHours.size(), int(c.standsOut));
    }
    const Insights insights = build();
    EXPECT_TRUE(insights.sentences.contains(
        u"Reminders around 2 PM go unanswered most: 6 of 10. If that's focus time, a longer "
        u"interval there may suit you."_s));
    EXPECT_EQ(insights.highlights.first(),
              u"Afternoons are where you miss the most: 6 of 10 around 2 PM."_s);

    // At most the two hours missing most; equal misses keep hour order.
    events.clear();
    activeDays(3);
    fires(1, 8, 6, 0);
    fires(1, 9, 8, 0);
    fires(1, 10, 8, 0);
    fires(1, 11, 22, 22);
    EXPECT_EQ(build().standoutHours, (QSet<int>{9, 10}));
    EXPECT_EQ(build().highlights.first(),
              u"Mornings are where you miss the most: 8 of 8 around 9 AM."_s);
}

TEST_F(InsightsTest, OnlyHoldsThatSparedTheUserAndRepeatedPausesAreTold) {
    struct Case {
        const char *start, *end;
        QString sentence, highlight;
    } const cases[] = {
        {"10:00 hold_start call", "10:29:59 hold_end", {}, {}},
        {"10:00 hold_start call", "10:30 hold_end",
         u"Brevimar held reminders for 30 min so they wouldn't interrupt you, mostly during calls."_s,
         u"Calls held 30 min of reminders, so nothing interrupted you."_s},
        {"10:00 hold_start idle", "12:00 hold_end", {}, {}},
        {"10:00 hold_start offHours", "12:00 hold_end", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.end);
        events.clear();
        activeDays(3);
        log(1, {c.start, c.end, "13:00 hold_start meeting"}); // the meeting never ends: not counted
        const Insights insights = build();
        EXPECT_EQ(insights.sentences.filter(u"held"_s),
                  c.sentence.isEmpty() ? QStringList{} : QStringList{c.sentence});
        EXPECT_EQ(insights.highlights.first(),
                  c.highlight.isEmpty() ? u"Your best day was Saturday, Dec 5, with 1 done."_s
                                        : c.highlight);
    }

    // Pausing by hand is told from the third time on.
    log(1, {"10:00 pause", "11:00 pause"});
    EXPECT_TRUE(build().sentences.filter(u"paused"_s).isEmpty());
    log(2, {"10:00 pause"});
    EXPECT_TRUE(build().sentences.contains(
        u"You paused reminders by hand 3 times. If it's always the same stretch, work hours in "
        u"Settings can do it for you."_s));
}

TEST_F(InsightsTest, ATrendNeedsAChangeOfOneADayAndNamesThePeriod) {
    struct Case {
        int rangeDays, previousPerDay, days, done;
        QString highlight;
    } const cases[] = {
        {7, 6, 3, 6, u"Water dipped to about 2 sips a day, from 6 last week."_s},
        {30, 4, 10, 50, u"Water is up to about 5 sips a day, from 4 the month before."_s},
        {30, 4, 10, 49, {}}, // 4.0 to 4.9
        {90, 3, 3, 22, u"Water is up to about 7 sips a day, from 3 the 90 days before."_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.done);
        events.clear();
        for (int i = 0; i < 2 * c.previousPerDay; ++i)
            log(c.rangeDays + i % 2, {"08:00 done water"});
        for (int i = 0; i < c.done; ++i)
            log(i % c.days, {"08:00 done water"});
        const Insights insights = build(c.rangeDays);
        EXPECT_EQ(insights.highlights.filter(u"a day, from"_s),
                  c.highlight.isEmpty() ? QStringList{} : QStringList{c.highlight});
    }
}

// Numbers, dates and hours follow the language of the texts, not the desktop's locale: English
// texts under a French or an Arabic locale that has no translation, then German texts.
TEST_F(InsightsTest, NumbersFollowTheLanguageOfTheTexts) {
    for (const QLocale& desktop : {QLocale(u"fr_FR"_s), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(desktop);
        const std::pair<QString, QString> cases[] = {
            {Insights::formatDuration(30), u"under a minute"_s},
            {Insights::formatDuration(5400), u"1.5 h"_s},
            {Insights::formatHours(5400), u"1.5 hours"_s},
            {Insights::formatHours(3599), u"59 min"_s},
            {Insights::joinList({u"a"_s, u"b"_s, u"c"_s}), u"a, b and c"_s},
            {Insights::hourLabel(0), u"12 AM"_s},
            {Insights::periodPhrase(90), u"the 90 days before"_s},
        };
        for (const auto& [actual, expected] : cases)
            EXPECT_EQ(actual, expected) << desktop.name().toStdString();
    }
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
        log(3, {"00:30 done water", "03:30 done water", "23:30 done water"});
        log(2, {"00:30 done water"});
        const Insights insights = build();
        ASSERT_EQ(insights.days.size(), 7);
        for (int d = 0; d < 7; ++d)
            EXPECT_EQ(insights.days[d].date, change.addDays(d - 3).startOfDay());
        EXPECT_EQ(insights.days[3].done.value(u"water"_s), 3);
        EXPECT_EQ(insights.days[4].done.value(u"water"_s), 1);
        EXPECT_EQ(insights.doneByHour[u"water"_s][0], 2);
        EXPECT_EQ(insights.doneByHour[u"water"_s][3], 1);
        EXPECT_EQ(insights.doneByHour[u"water"_s][23], 1);
    }
}

TEST_F(InsightsTest, NinetyDaysOfAWorkingLife) {
    // The range holds October's daylight-saving change.
    const QDate previousStart = now.date().addDays(-179);
    events = simulatedUsage({.intervalMinutes = 60}, previousStart, 90);
    events += simulatedUsage({.intervalMinutes = 30, .seed = 2}, previousStart.addDays(90), 90);
    const Insights insights = Insights::build(events, kinds, 90, now);

    int fired = 0;
    int done = 0;
    for (const Insights::Day& day : insights.days) {
        fired += std::accumulate(day.fired.cbegin(), day.fired.cend(), 0);
        done += std::accumulate(day.done.cbegin(), day.done.cend(), 0);
    }
    EXPECT_EQ(fired, insights.totalFired);
    EXPECT_EQ(done, insights.totalDone);
    EXPECT_EQ(insights.activeDayCount, 90 - 13); // Sundays off
    EXPECT_EQ(insights.standoutHours, QSet<int>{14});
    // Each rule has its own test; here all six speak on realistic data.
    EXPECT_EQ(insights.sentences.size(), 6) << insights.sentences.join(u'\n').toStdString();
}
