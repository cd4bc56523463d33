#include "HistoryFixture.h"
#include "fakes/QtPrinters.h"
#include "platform/LocalCalendar.h"
#include "ui/history/HistoryCharts.h"
#include "ui/theme/Symbols.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QTimer>

using namespace Qt::StringLiterals;
using Action = EventStore::Action;

namespace {

class HistoryWindowTest : public HistoryFixture {
protected:
    // An Arabic desktop without a translation: the window speaks English, digits and all.
    HistoryWindowTest() { QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); }
    ~HistoryWindowTest() override { QLocale::setDefault(QLocale::system()); }
    void add(int month, int day, int hour, int minute, Action action, const NudgeKind& kind) {
        const QDateTime at = LocalCalendar::atTime(QDate(2026, month, day), hour, minute);
        log.append({QString::number(log.size()), at.toUTC(), action, kind.id, {}});
    }

    const NudgeKind& water = NudgeKind::water();
    const NudgeKind& movement = NudgeKind::movement();
};

} // namespace

// Shown empty, then again while open after water once today; movement fired on five days of the
// week and done on two (0.4 a day) after 4 done over 5 days the week before (0.8): a change of
// -0.4, which rounds to none.
TEST_F(HistoryWindowTest, ShowingAgainReloadsAndTheRowsReadAsWritten) {
    window.present();
    EXPECT_EQ(texts().count(u"Not used yet"_s), 2);
    for (int day = 24; day <= 28; ++day) {
        add(11, day, 11, 0, Action::fired, movement);
        if (day < 28)
            add(11, day, 11, 30, Action::done, movement);
    }
    for (int day = 1; day <= 5; ++day) {
        add(12, day, 11, 0, Action::fired, movement);
        if (day < 3)
            add(12, day, 11, 30, Action::done, movement);
    }
    add(12, 7, 9, 0, Action::fired, water);
    add(12, 7, 9, 2, Action::done, water);
    window.present();

    const QStringList shown = texts();
    EXPECT_TRUE(shown.contains(
        u"3 active days in the last 7 days · 50% answered · usually done within 30 min"_s))
        << shown.join(u" | "_s).toStdString();
    EXPECT_TRUE(shown.contains(u"1 sip over 1 day"_s)) << "no plural for one";
    EXPECT_TRUE(shown.contains(u"2 breaks over 5 days"_s)) << shown.join(u" | "_s).toStdString();
    EXPECT_TRUE(shown.contains(u"0.4"_s)) << "below one a day keeps its decimal";
    EXPECT_TRUE(shown.contains(u"Same as last week"_s)) << "-0.4 rounds to no change";

    const QTimer* tick = window.findChild<QTimer*>(u"reload"_s);
    ASSERT_NE(tick, nullptr);
    EXPECT_TRUE(tick->isActive());
    window.close();
    EXPECT_FALSE(tick->isActive()) << "a closed window costs nothing";
}

TEST_F(HistoryWindowTest, ARangeChangeReloadsAtOnceWithTwiceItsDays) {
    simulate();
    window.present();
    EXPECT_EQ(askedFrom, clock.now().addDays(-14));
    choose(u"90 days"_s);
    EXPECT_EQ(askedFrom, clock.now().addDays(-180));
    const QStringList shown = texts();
    EXPECT_TRUE(shown.filter(u"in the last 90 days"_s).size() == 1)
        << shown.join(u" | "_s).toStdString();
    // Only the days 90 to 180 back give the trend its comparison.
    EXPECT_EQ(shown.filter(QRegularExpression(u"(Same as|from) the 90 days before$"_s)).size(), 2)
        << shown.join(u" | "_s).toStdString();
}

// Ninety busy days drawn offscreen: every text whole and inside the window.
TEST_F(HistoryWindowTest, NinetyDaysDrawWithEveryTextWhole) {
    simulate();
    window.present();
    choose(u"90 days"_s);
    QCoreApplication::processEvents();

    const QWidget* viewport = window.findChild<QScrollArea*>()->viewport();
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QRect box(label->mapTo(&window, QPoint(0, 0)), label->size());
        EXPECT_LE(box.right(), viewport->mapTo(&window, viewport->rect().topRight()).x())
            << label->text().toStdString();
        if (label->wordWrap())
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << label->text().toStdString();
        else
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
}

// Bars as high as the done counts in the kinds' colours, however many fired; a screen reader
// reads the same counts day by day.
TEST_F(HistoryWindowTest, PerDayBarsAndTheirReadingFollowTheDoneCounts) {
    for (int minute = 0; minute < 10; ++minute) {
        add(12, 5, 9, minute, Action::fired, water);
        if (minute < 4)
            add(12, minute < 2 ? 5 : 2, 10, minute, Action::done, minute % 2 ? movement : water);
    }
    add(12, 2, 11, 0, Action::done, water);
    add(12, 2, 11, 1, Action::done, water);
    window.present();
    auto* chart = window.findChild<DailyChart*>();
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(chart);
    EXPECT_EQ(reading->role(), QAccessible::Chart);
    EXPECT_EQ(
        reading->text(QAccessible::Description).split(u'\n').mid(0, 5),
        (QStringList{u"Tuesday, Dec 1: nothing done"_s, u"Wednesday, Dec 2: 3 sips and 1 break"_s,
                     u"Thursday, Dec 3: nothing done"_s, u"Friday, Dec 4: nothing done"_s,
                     u"Saturday, Dec 5: 1 sip and 1 break"_s}));

    // The height of each bar of a colour, left to right.
    const QImage picture = chart->grab().toImage();
    auto bars = [&](const QString& tint) {
        QList<int> heights;
        for (int x = 0, was = 0; x < picture.width(); ++x) {
            int height = 0;
            for (int y = 0; y < picture.height(); ++y)
                height += picture.pixel(x, y) == Symbols::tint(tint).rgb();
            if (height > 8 && was <= 8) // taller than the legend's dot
                heights.append(0);
            if (height > 8)
                heights.last() = std::max(heights.last(), height);
            was = height;
        }
        return heights;
    };
    const QList<int> sips = bars(water.tintName);
    const QList<int> breaks = bars(movement.tintName);
    ASSERT_EQ(sips.size() + breaks.size(), 4);
    for (const int height : {sips[0] / 3, breaks[0], breaks[1]})
        EXPECT_NEAR(height, sips[1], 2) << "one done is one step, in either colour";
}
