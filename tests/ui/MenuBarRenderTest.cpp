#include "RenderSupport.h"
#include "UiFixture.h"
#include "ui/MenuBarIcon.h"
#include "ui/MenuBarView.h"

#include <functional>

using namespace Qt::StringLiterals;

// Draws the panel in its main states, in a light and a dark palette, and the tray icon, as PNGs
// under the build tree for a person to look at.

namespace {

const NudgeKind& water = NudgeKind::water();
const NudgeKind& movement = NudgeKind::movement();

// A fixture outside a test, so each scene can set up its services from the outside.
class Stage : public UiFixture {
public:
    using UiFixture::clock;
    using UiFixture::dayLog;
    using UiFixture::engine;
    using UiFixture::monitor;
    using UiFixture::settings;
    using UiFixture::startCall;
    void TestBody() override {}
};

struct Scene {
    QString name;
    std::function<void(Stage&)> setUp;
};

const QList<Scene>& scenes() {
    static const QList<Scene> list{
        {u"nothing-logged"_s, [](Stage&) {}},
        {u"awaiting"_s,
         [](Stage& s) {
             s.engine.done(movement);
             s.clock.advance(25 * 60);
             s.engine.fire(water);
         }},
        {u"parked"_s,
         [](Stage& s) {
             s.engine.fire(water);
             s.engine.untilFree(water);
             s.startCall();
         }},
        {u"held"_s,
         [](Stage& s) {
             s.engine.done(water);
             s.engine.done(water);
             s.clock.advance(70 * 60);
             s.startCall();
         }},
        {u"paused"_s,
         [](Stage& s) {
             s.engine.done(water);
             s.monitor.pause(3600);
         }},
        {u"goals-met"_s,
         [](Stage& s) {
             s.settings.setDailyGoals({{u"water"_s, 2}, {u"movement"_s, 1}});
             s.engine.done(water);
             s.engine.done(water);
             s.engine.done(movement);
             s.clock.advance(12 * 60);
         }},
        {u"custom-awaiting"_s,
         [](Stage& s) {
             CustomReminder eyes;
             eyes.title = u"Look at something twenty feet away for twenty seconds"_s;
             eyes.icon = u"eye"_s;
             eyes.tintName = u"purple"_s;
             eyes.intervalMinutes = 20;
             s.settings.setCustomReminders({eyes});
             s.settings.setDailyGoals({{u"water"_s, 12}, {u"movement"_s, 8}});
             for (int i = 0; i < 10; ++i)
                 s.engine.done(water);
             s.engine.fire(s.settings.kinds().last());
             s.engine.fire(movement);
         }},
    };
    return list;
}

class MenuBarRenderTest : public ::testing::TestWithParam<std::tuple<int, bool>> {};

std::string sceneName(const ::testing::TestParamInfo<MenuBarRenderTest::ParamType>& param) {
    QString name = scenes().at(std::get<0>(param.param)).name;
    return name.replace(u'-', u'_').toStdString() + (std::get<1>(param.param) ? "_dark" : "_light");
}

} // namespace

TEST_P(MenuBarRenderTest, DrawsThePanel) {
    const auto [sceneIndex, dark] = GetParam();
    const Scene& scene = scenes().at(sceneIndex);
    const DesktopPalette palette(dark);
    Stage stage;
    scene.setUp(stage);
    MenuBarView view(stage.engine, stage.monitor, stage.dayLog, stage.settings, stage.clock);
    view.setShowHistory([] {});
    view.setShowSettings([] {});
    view.show();
    view.refresh();
    // Text is cut with an ellipsis when it does not fit; in these states everything should.
    if (scene.name != u"custom-awaiting"_s) {
        for (const QWidget* child : view.findChildren<QWidget*>()) {
            if (child->isVisibleTo(&view) && child->findChildren<QWidget*>().isEmpty()) {
                EXPECT_LE(child->sizeHint().width(), child->width())
                    << child->metaObject()->className() << " " << child->x() << ","
                    << child->mapTo(&view, QPoint()).y();
            }
        }
    }
    const QString file =
        screenshot(u"panel-%1-%2"_s.arg(scene.name, dark ? u"dark"_s : u"light"_s));
    EXPECT_TRUE(view.grab().save(file)) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(States, MenuBarRenderTest,
                         ::testing::Combine(::testing::Range(0, int(scenes().size())),
                                            ::testing::Bool()),
                         sceneName);

TEST(MenuBarIconRender, DrawsEveryLookAtTraySizes) {
    const std::pair<MenuBarIcon::Look, QString> looks[] = {
        {MenuBarIcon::Look::plain, u"normal"_s},
        {MenuBarIcon::Look::awaiting, u"awaiting"_s},
        {MenuBarIcon::Look::held, u"held"_s}};
    for (const int size : {22, 32}) {
        for (const auto& [look, name] : looks) {
            const QPixmap pixmap = MenuBarIcon::draw(look, size);
            EXPECT_EQ(pixmap.size(), QSize(size, size));
            EXPECT_TRUE(pixmap.save(screenshot(u"icon-%1-%2"_s.arg(name).arg(size))));
        }
    }
}
