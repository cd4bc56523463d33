#include "RenderSupport.h"
#include "ui/MessageCardView.h"
#include "ui/NotchCardView.h"
#include "ui/NotchMessageView.h"
#include "ui/NudgeCardView.h"
#include "ui/ReminderContent.h"
#include "ui/Symbols.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

// Draws every reminder and message view in each of its looks, under a light and a dark desktop
// palette, as PNGs under the build tree for a person to look at.

namespace {

NudgeKind eyes() {
    NudgeKind kind;
    kind.id = u"custom-eyes"_s;
    kind.title = u"Look far away"_s;
    kind.icon = u"eye"_s;
    kind.tintName = u"purple"_s;
    kind.notificationTitle = u"Look at something twenty feet away"_s;
    kind.notificationBody = u"Twenty seconds, far away. Your eyes will thank you."_s;
    return kind;
}

const NotchGeometry notched{true, 185, 32};
const NotchGeometry flat{false, 200, 24};

struct Scene {
    QString name;
    bool notch; // drawn black whatever the desktop's palette
    std::function<QWidget*(NotchState&)> make;
};

const QList<Scene>& scenes() {
    using Mode = NotchCardView::Mode;
    const auto notchCard = [](NudgeKind kind, NotchGeometry geometry, Mode mode, bool completed,
                              std::optional<QString> reason) {
        return [=](NotchState& state) -> QWidget* {
            auto* view = new NotchCardView(kind, geometry, state, reason, 2, 8, {},
                                           mode == Mode::peek, completed);
            state.setExpanded(mode != Mode::closed);
            return view;
        };
    };
    const auto notchMessage = [](NotchGeometry geometry, bool expanded) {
        return [=](NotchState& state) -> QWidget* {
            auto* view = new NotchMessageView(
                u"Want to wrap up?"_s, u"Today: 6 sips of water, 4 breaks, 3 eye rests."_s,
                u"sunset.fill"_s, Symbols::tint(u"orange"_s), geometry, state, {});
            state.setExpanded(expanded);
            return view;
        };
    };
    static const QList<Scene> list{
        {u"card-water"_s, false,
         [](NotchState&) { return new NudgeCardView(NudgeKind::water(), {}, 2, 8, {}); }},
        {u"card-water-done"_s, false,
         [](NotchState&) { return new NudgeCardView(NudgeKind::water(), {}, 2, 8, {}, true); }},
        {u"card-movement-reason"_s, false,
         [](NotchState&) {
             return new NudgeCardView(NudgeKind::movement(), u"Back from a call"_s, 8, 8, {});
         }},
        {u"card-custom-no-goal"_s, false,
         [](NotchState&) { return new NudgeCardView(eyes(), {}, 3, 0, {}); }},
        {u"message-wind-down"_s, false,
         [](NotchState&) {
             return new MessageCardView(u"Want to wrap up?"_s,
                                        u"Today: 6 sips of water, 4 breaks, 3 eye rests."_s,
                                        u"sunset.fill"_s, Symbols::tint(u"orange"_s), {});
         }},
        {u"message-week"_s, false,
         [](NotchState&) {
             return new MessageCardView(
                 u"Your week"_s,
                 u"You drank water 41 times and moved 27 times. Tuesday was your best day."_s,
                 u"calendar"_s, Symbols::tint(u"blue"_s), {});
         }},
        {u"notch-closed"_s, true, notchCard(NudgeKind::water(), notched, Mode::closed, false, {})},
        {u"notch-peek"_s, true, notchCard(NudgeKind::water(), notched, Mode::peek, false, {})},
        {u"notch-full"_s, true,
         notchCard(NudgeKind::water(), notched, Mode::full, false, u"Back from a call"_s)},
        {u"notch-full-done"_s, true,
         notchCard(NudgeKind::movement(), notched, Mode::full, true, {})},
        {u"flat-closed"_s, true, notchCard(NudgeKind::water(), flat, Mode::closed, false, {})},
        {u"flat-peek"_s, true, notchCard(eyes(), flat, Mode::peek, false, {})},
        {u"flat-full"_s, true, notchCard(eyes(), flat, Mode::full, false, {})},
        {u"notch-folding"_s, true,
         [](NotchState& state) -> QWidget* {
             auto* view = new NotchCardView(NudgeKind::water(), notched, state, {}, 2, 8, {});
             view->show();
             state.setExpanded(true);
             view->finishAnimation();
             view->settle();
             view->seekAnimation(0.2);
             return view;
         }},
        {u"notch-message-open"_s, true, notchMessage(notched, true)},
        {u"notch-message-closed"_s, true, notchMessage(notched, false)},
        {u"flat-message-open"_s, true, notchMessage(flat, true)},
    };
    return list;
}

class NudgeViewsRender : public ::testing::TestWithParam<std::tuple<int, bool>> {};

std::string sceneName(const ::testing::TestParamInfo<NudgeViewsRender::ParamType>& param) {
    QString name = scenes().at(std::get<0>(param.param)).name;
    return name.replace(u'-', u'_').toStdString() + (std::get<1>(param.param) ? "_dark" : "_light");
}

} // namespace

TEST_P(NudgeViewsRender, DrawsTheView) {
    const auto [sceneIndex, dark] = GetParam();
    const Scene& scene = scenes().at(sceneIndex);
    const DesktopPalette palette(dark);
    NotchState state;
    std::unique_ptr<QWidget> view(scene.make(state));
    auto* notch = qobject_cast<NotchContainer*>(view.get());
    if (notch && !view->isVisible())
        notch->finishAnimation();
    view->resize(view->sizeHint());
    // Texts wrap rather than being cut off.
    for (const QLabel* label : view->findChildren<QLabel*>()) {
        if (label->isVisibleTo(view.get())) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width()))
                << label->text().toStdString();
            EXPECT_TRUE(QRect(QPoint(), view->size())
                            .contains(QRect(label->mapTo(view.get(), QPoint()), label->size())))
                << label->text().toStdString();
        }
    }
    const QImage image = view->grab().toImage();
    EXPECT_EQ(image.size(), view->sizeHint());
    if (scene.notch) {
        // Black at the top centre, whatever the desktop's palette.
        EXPECT_EQ(image.pixelColor(image.width() / 2, 2), QColor(Qt::black));
    }
    const QString file =
        screenshot(u"views-%1-%2"_s.arg(scene.name, dark ? u"dark"_s : u"light"_s));
    EXPECT_TRUE(image.save(file)) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Looks, NudgeViewsRender,
                         ::testing::Combine(::testing::Range(0, int(scenes().size())),
                                            ::testing::Bool()),
                         sceneName);
