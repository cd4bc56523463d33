#include "HistoryFixture.h"
#include "fakes/QtPrinters.h"
#include "ui/history/HistoryCharts.h"
#include "ui/theme/Symbols.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollArea>
#include <QTimer>

#include <gmock/gmock.h>

using namespace Qt::StringLiterals;
using ::testing::HasSubstr;

namespace {

class HistoryWindowTest : public HistoryFixture {
protected:
    // An Arabic desktop without a translation: the window speaks English, digits and all.
    HistoryWindowTest() { QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); }
    ~HistoryWindowTest() override { QLocale::setDefault(QLocale::system()); }
    // The window's texts in order, " | " between.
    std::string shown() const { return texts().join(u" | "_s).toStdString(); }
};

} // namespace

// A sip 30 seconds after its reminder; shown again while open with movement fired on five days of
// the week and done on two (0.4 a day) after 4 done over 5 days the week before (0.8): -0.4, no
// change once rounded; water from 3 a day to 1, and, at the minute's tick, to 5.
TEST_F(HistoryWindowTest, ShowingAgainAndEveryMinuteReloadAndTheRowsReadAsWritten) {
    on(12, 7, "09:00 fired water, 09:00:30 done water");
    window.present();
    EXPECT_EQ(texts().count(u"Not used yet"_s), 1);
    EXPECT_THAT(shown(),
                HasSubstr("1 active day in the last 7 days · 100% answered · usually done in "
                          "under a minute"));
    for (int day = 24; day <= 28; ++day)
        on(11, day,
           day < 28 ? "11:00 fired movement, 11:30 done movement" : "11:00 fired movement");
    on(11, 24, "12:00 done water ×3");
    on(11, 25, "12:00 done water ×3");
    for (int day = 1; day <= 5; ++day)
        on(12, day,
           day < 3 ? "11:00 fired movement, 11:02:30 done movement" : "11:00 fired movement");
    window.present();
    EXPECT_THAT(shown(), HasSubstr("3 active days in the last 7 days · 50% answered · usually done "
                                   "within 3 min"));
    EXPECT_THAT(shown(),
                HasSubstr("Water | 1 sip over 1 day | ↓ | 2 from last week | 1 | a day | "
                          "Move | 2 breaks over 5 days | Same as last week | 0.4 | a day"));

    QTimer* tick = window.findChild<QTimer*>(u"reload"_s);
    ASSERT_NE(tick, nullptr);
    on(12, 7, "10:00 done water ×4");
    clock.advance(5 * 60);
    QMetaObject::invokeMethod(tick, "timeout");
    EXPECT_THAT(shown(), HasSubstr("Water | 5 sips over 1 day | ↑ | 2 from last week"));
    EXPECT_EQ(tick->interval(), 60'000);
    EXPECT_TRUE(tick->isActive());
    window.close();
    EXPECT_FALSE(tick->isActive()) << "a closed window costs nothing";
}

// 90 days reload at once with 180 days read, and draw with every text whole inside the window.
TEST_F(HistoryWindowTest, ARangeChangeReloadsAtOnceWithTwiceItsDaysAndEveryTextFits) {
    simulate();
    window.present();
    EXPECT_EQ(askedFrom, clock.now().addDays(-14));
    choose(u"90 days"_s);
    EXPECT_EQ(askedFrom, clock.now().addDays(-180));
    EXPECT_EQ(texts().filter(u"in the last 90 days"_s).size(), 1) << shown();
    // Only the days 90 to 180 back give the trend its comparison.
    EXPECT_EQ(texts().filter(QRegularExpression(u"(Same as|from) the 90 days before$"_s)).size(), 2)
        << shown();

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

// Bars as high as the done counts, whatever fired; a screen reader hears the counts day by day.
TEST_F(HistoryWindowTest, PerDayBarsAndTheirReadingFollowTheDoneCounts) {
    on(12, 2, "10:00 done water ×3, 10:00 done movement");
    on(12, 5, "09:00 fired water ×10, 10:00 done water, 10:00 done movement");
    window.present();
    auto* chart = window.findChild<DailyChart*>();
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(chart);
    EXPECT_EQ(reading->role(), QAccessible::Chart);
    EXPECT_THAT(reading->text(QAccessible::Description).toStdString(),
                HasSubstr("Tuesday, Dec 1: nothing done\nWednesday, Dec 2: 3 sips and 1 break\n"
                          "Thursday, Dec 3: nothing done\nFriday, Dec 4: nothing done\n"
                          "Saturday, Dec 5: 1 sip and 1 break\n"));

    const QImage picture = chart->grab().toImage();
    auto drawn = [&](const NudgeKind& kind) { // pixels, the legend's dot among them
        int pixels = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x)
                pixels += picture.pixel(x, y) == Symbols::tint(kind.tintName).rgb();
        }
        return pixels;
    };
    const int breaks = drawn(NudgeKind::movement());
    EXPECT_NEAR(drawn(NudgeKind::water()), 2 * breaks, breaks / 20) << "4 sips, 2 breaks";
}
