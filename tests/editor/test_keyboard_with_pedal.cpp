// The editor worked with the keyboard alone against the virtual pedal: Tab moves the
// focus, Enter presses, the arrows and Page keys step a slider's stored value on its
// row's own grid, Space taps the tempo and does nothing else, Escape closes. A click
// that closes a screen goes no further. Last, the factory reset, which ends the editor.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "block_payloads.h"
#include "chain_block.h"
#include "effect_chain.h"
#include "effect_chain_view.h"
#include "g_slider.h"
#include "hy_slider.h"
#include "module_panel.h"
#include "module_table.h"
#include "preset_volume_popup.h"
#include "root_view_controller.h"
#include "settings_screens.h"
#include "two_way_switch.h"
#include "yj_ctrl_tab_view.h"
#include "yj_exp_view.h"
#include "yj_exp_vol_view.h"
#include "yj_fs_mode_view.h"
#include "yj_reset_view.h"
#include "yj_system_view.h"
#include "yj_text_field.h"

#include <QApplication>
#include <QButtonGroup>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace quorvex;
using namespace quorvex::settings;
using Bytes = std::vector<std::uint8_t>;

class TestKeyboardWithPedal : public QObject {
    Q_OBJECT

    testing::EditorWithPedal editor;
    pedal::VirtualPedal* pedal = nullptr;
    EditorWindow* window = nullptr;
    std::unique_ptr<QSignalSpy> taps;

    RootViewController* root() const { return window->rootViewController(); }
    SettingsScreens& screens() const { return *window->settingsScreens(); }
    YJSystemView* system() const { return screens().systemView(); }
    std::size_t countOf(std::uint8_t command) const { return testing::countOf(*pedal, command); }
    int byteOf(std::uint8_t command, std::size_t i) const {
        const Bytes payload = testing::lastPayload(*pedal, command);
        return i < payload.size() ? payload[i] : -1;
    }
    ModleView* blockOf(Module module) const {
        const auto& order = root()->effectChain().effectChainOrder();
        const auto at = std::find(order.begin(), order.end(), static_cast<std::uint32_t>(module)) - order.begin();
        return window->chainView()->block(static_cast<int>(at));
    }

    // Keys as the window system delivers them, to the window holding the focus.
    static void press(Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            QTest::keyClick(focus->window()->windowHandle(), key);
        }
    }
    // Tab until the control has the focus. Qt tabs into a group of buttons once (the
    // focused or checked one); the arrows move within it, across first, then down.
    static bool tabTo(QWidget* control) {
        const auto groupOf = [](QWidget* w) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            return button ? button->group() : nullptr;
        };
        QButtonGroup* group = groupOf(control);
        const auto arrived = [&] {
            QWidget* focus = QApplication::focusWidget();
            return focus == control || (group && groupOf(focus) == group);
        };
        for (int i = 0; i < 120 && !arrived(); ++i) press(Qt::Key_Tab);
        for (int i = 0; i < 12 && arrived() && QApplication::focusWidget() != control; ++i) {
            const QPoint way = control->mapToGlobal(QPoint()) - QApplication::focusWidget()->mapToGlobal(QPoint());
            press(way.x() > 0 ? Qt::Key_Right : way.x() < 0 ? Qt::Key_Left : way.y() > 0 ? Qt::Key_Down : Qt::Key_Up);
        }
        return QApplication::focusWidget() == control;
    }
    static void enterOn(QWidget* control) {
        QVERIFY(tabTo(control));
        press(Qt::Key_Return);
    }
    // The frames the pedal has, once the link has sent what the last action asked for.
    std::size_t settled() const {
        QTest::qWait(150);
        return pedal->receivedFrames().size();
    }
    // Tabs to a slider, presses a key and waits until the pedal holds what it should.
    template <typename Holds>
    static void stepTo(QWidget* slider, Qt::Key key, Holds holds) {
        QVERIFY(tabTo(slider));
        press(key);
        QVERIFY(QTest::qWaitFor(holds, 3000));
    }
    // Whether the open screen lies over this point of the window.
    bool covers(QWidget* screen, QPoint inWindow) const {
        return screen->geometry().contains(screen->parentWidget()->mapFrom(window, inWindow));
    }

private slots:
    void initTestCase() {
        LinkOptions link;
        link.tick = std::chrono::milliseconds(2);  // the many edits go out sooner
        QVERIFY(editor.start({}, link));
        pedal = editor.pedal.get();
        window = editor.window.get();
        editor.hub->installKeyHook(qApp);
        taps = std::make_unique<QSignalSpy>(editor.hub.get(), &AppDelegate::keySpaceClick);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        blockOf(Module::Fx)->setFocus();
    }

    void spaceOnlyTapsAndEnterPresses() {
        // The DELAY block: spaces leave it alone; Enter shows its panel, then switches it.
        QVERIFY(tabTo(blockOf(Module::Delay)));
        const std::size_t delayFrames = countOf(152);
        press(Qt::Key_Space, 3);
        QCOMPARE(taps->size(), 3);
        settled();
        QCOMPARE(countOf(152), delayFrames);
        press(Qt::Key_Return);
        QTRY_COMPARE(testing::lastPayload(*pedal, 130), (Bytes{8, 0}));
        QTRY_COMPARE(pedal->block(Module::Delay)[0], 1u);  // a module opened is on
        press(Qt::Key_Return);
        QTRY_COMPARE(pedal->block(Module::Delay)[0], 0u);

        // A space typed into a number field is text, not a tap.
        taps->clear();
        QVERIFY(tabTo(window->panel(Module::Delay)->pTextFieldVale(0)));
        press(Qt::Key_Space);
        QCOMPARE(taps->size(), 0);

        // CTRL/TAP: a focused module button keeps its membership under spaces; Enter toggles it.
        YJCtrlTabView* ctrl = screens().ctrlTabView();
        enterOn(root()->ctrlTabButton());
        QVERIFY(ctrl->isVisible());
        if (!ctrl->isCtrlMode()) enterOn(ctrl->modeTab(true));
        QTRY_COMPARE(byteOf(164, 11), 1);
        QVERIFY(tabTo(ctrl->moduleButton(4)));  // CAB
        settled();
        const int cab = byteOf(164, 5);
        press(Qt::Key_Space, 2);
        settled();
        QCOMPARE(byteOf(164, 5), cab);
        press(Qt::Key_Return);
        QTRY_COMPARE(byteOf(164, 5), 1 - cab);
        QTRY_COMPARE(testing::lastPayload(*pedal, 130), (Bytes{16, 1}));

        // TAP mode: two quick spaces on a focused "-" give the top tempo, no less; Enter lowers it.
        enterOn(ctrl->modeTab(false));
        QTRY_VERIFY(!ctrl->isCtrlMode());
        QPushButton* down = nullptr;
        for (auto* button : ctrl->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("-")) down = button;
        QVERIFY(tabTo(down));
        press(Qt::Key_Space, 2);
        QTRY_COMPARE(pedal->liveSound().ctrl[0], 260u);
        settled();
        QCOMPARE(pedal->liveSound().ctrl[0], 260u);
        QCOMPARE(ctrl->tabData()->text(), QStringLiteral("260"));
        press(Qt::Key_Return);
        QCOMPARE(ctrl->tabData()->text(), QStringLiteral("259"));
        QTRY_VERIFY(pedal->liveSound().ctrl[0] < 260u);  // the wire carries half the tempo
        press(Qt::Key_Escape);
        QVERIFY(!ctrl->isVisible());
    }

    void aClickThatClosesAScreenGoesNoFurther() {
        ModleView* fx = blockOf(Module::Fx);
        const std::uint32_t fxOn = pedal->block(Module::Fx)[0];
        const auto closesAndNothingElse = [&](QWidget* screen, QWidget* target) {
            QVERIFY(screen->isVisible());
            QVERIFY(!covers(screen, target->mapTo(window, target->rect().center())));
            const std::size_t frames = settled();
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, target->mapTo(window, target->rect().center()));
            QVERIFY(!screen->isVisible());
            QCOMPARE(settled(), frames);
            QCOMPARE(pedal->block(Module::Fx)[0], fxOn);
        };
        enterOn(root()->systemButton());
        QTRY_COMPARE(testing::lastPayload(*pedal, 130), (Bytes{11, 0}));
        enterOn(system()->fsModeButton());
        closesAndNothingElse(system()->fsView(), fx);  // the footswitch overlay first
        closesAndNothingElse(system(), fx);
        enterOn(root()->expButton());
        closesAndNothingElse(screens().expView(), fx);
        enterOn(root()->ctrlTabButton());
        closesAndNothingElse(screens().ctrlTabView(), fx);
        enterOn(root()->presetVolue());
        closesAndNothingElse(root()->PresetVoluePopView(), fx);

        // Nor does a drag that starts with the closing press move a slider beneath.
        ui::HYSlider* slider = window->panel(Module::Delay)->pSlider(0);
        const double position = slider->floatValue();
        enterOn(root()->systemButton());
        const std::size_t frames = settled();
        const QPoint start = slider->mapTo(window, QPoint(slider->width() - 70, slider->height() / 2));
        QVERIFY(!covers(system(), start));
        QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, start);
        QTest::mouseMove(window->windowHandle(), start + QPoint(60, 0));
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, start + QPoint(60, 0));
        QVERIFY(!system()->isVisible());
        QCOMPARE(slider->floatValue(), position);
        QCOMPARE(settled(), frames);
    }

    // Every row of every module panel: Right raises the stored value by one step of its
    // grid (10 on the long ranges of times and frequencies), Left brings it back exactly;
    // on the first row Page Up/Down move ten steps and End goes to the top, where Right
    // sends nothing more. Each press that changes the value sends the block once.
    void moduleSlidersStepOnTheirGrid() {
        for (int m = 0; m < kModuleCount; ++m) {
            const auto module = static_cast<Module>(m);
            const std::uint8_t command = pedal::moduleCommand(module);
            ModulePanel* panel = window->panel(module);
            enterOn(blockOf(module));
            QTRY_VERIFY(panel->isVisible());
            const auto& rows = panel->table().groups[static_cast<std::size_t>(panel->currentGroup())].rows;
            settled();
            const std::size_t sent = countOf(command);
            for (std::size_t row = 0; row < rows.size(); ++row) {
                const RowSpec& spec = rows[row];
                const auto e = static_cast<std::size_t>(spec.element);
                const auto low = static_cast<std::uint32_t>(spec.scale.low), high = static_cast<std::uint32_t>(spec.scale.high);
                const std::uint32_t step = high - low > 1000 ? 10 : 1;
                const auto stored = [&](std::uint32_t v) { return [&, v] { return pedal->block(module)[e] == v; }; };
                // The first row from 57 % of the way, where a position in hundredths is not
                // the stored value; the others from where they are when that is inside.
                const std::uint32_t now = pedal->block(module)[e];
                const bool keep = row > 0 && now >= low && now + step <= high;
                const std::uint32_t start = keep ? now : low + (high - low) * 57 / 100;
                if (!keep) pedal->turnKnob(module, spec.element, start);
                QVERIFY(QTest::qWaitFor([&] { return panel->pTextFieldVale(int(row))->text() == spec.scale.text(start); }));
                ui::HYSlider* slider = panel->pSlider(static_cast<int>(row));
                stepTo(slider, Qt::Key_Right, stored(start + step));
                stepTo(slider, Qt::Key_Left, stored(start));
                if (row > 0) continue;
                stepTo(slider, Qt::Key_PageUp, stored(std::min(high, start + 10 * step)));
                stepTo(slider, Qt::Key_PageDown, stored(start));
                press(Qt::Key_End);
                stepTo(slider, Qt::Key_Right, stored(high));
            }
            settled();
            QCOMPARE(countOf(command), sent + 2 * rows.size() + 3);
        }
    }

    void settingsSlidersStepOnTheirGrid() {
        // SYSTEM: the level in its 22 steps, the USB amounts in units.
        pedal->changeSetting(161, {10, 0, 0, 57, 29, 1, 1, 0, 0, 0});
        QTRY_COMPARE(system()->pTextFieldVale(1)->text(), QStringLiteral("57"));
        const auto holds = [this](std::size_t i, int v) { return [=, this] { return pedal->settings().system[i] == v; }; };
        enterOn(root()->systemButton());
        stepTo(system()->pSlider(0), Qt::Key_Right, holds(0, 11));
        stepTo(system()->pSlider(0), Qt::Key_PageUp, holds(0, 21));
        enterOn(system()->tabButton(YJSystemView::kUsbAudio));
        stepTo(system()->pSlider(1), Qt::Key_Right, holds(3, 58));
        stepTo(system()->pSlider(2), Qt::Key_Left, holds(4, 28));

        // GLOBAL EQ: gains by one dB, frequencies by 10 Hz (100 Hz with the Page keys).
        pedal->changeSetting(159, {0xE8, 0x03, 13, 0x10, 0x27, 1, 0x20, 0x4E, 25});
        QTRY_COMPARE(system()->hyTextFieldVale(1)->text(), QStringLiteral("0 dB"));
        const auto eq = [this](int hz, int gain) {
            return [=, this] { const auto b = pedal->settings().globalEq; return b[0] + 256 * b[1] == hz && b[2] == gain + 1; };
        };
        enterOn(system()->tabButton(YJSystemView::kGlobalEq));
        stepTo(system()->hySlider(1), Qt::Key_Right, eq(1000, 13));
        QCOMPARE(system()->hyTextFieldVale(1)->text(), QStringLiteral("+1 dB"));
        stepTo(system()->hySlider(0), Qt::Key_Right, eq(1010, 13));
        stepTo(system()->hySlider(0), Qt::Key_PageDown, eq(910, 13));
        // The arrows walk the tabs past FACTORY RESET without choosing any: the page and
        // the pedal's screen stay, and no question opens.
        QVERIFY(tabTo(system()->tabButton(YJSystemView::kGlobalEq)));
        std::size_t frames = settled();
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), system()->tabButton(YJSystemView::kUsbAudio));
        QCOMPARE(settled(), frames);
        QVERIFY(!system()->resetView()->isVisible());
        QVERIFY(system()->tabButton(YJSystemView::kGlobalEq)->isChecked());
        press(Qt::Key_Escape);
        QVERIFY(!system()->isVisible());

        // EXP VOL: each end in units.
        YJExpVolView* vol = screens().expView()->image_expvolView();
        pedal->changeSetting(163, {1, 2, 1, 0, 0, 30, 70});
        QTRY_COMPARE(vol->textfiledMaxVol()->text(), QStringLiteral("70"));
        enterOn(root()->expButton());
        // The arrows move between EXP's modules and parameters and choose none.
        YJExpView* exp = screens().expView();
        exp->moduleButton(1)->setFocus();
        frames = settled();
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), exp->moduleButton(5));
        QCOMPARE(settled(), frames);
        enterOn(screens().expView()->tabButton(3));
        stepTo(vol->sliderMaxVol(), Qt::Key_Right, [this] { return byteOf(163, 6) == 71; });
        stepTo(vol->sliderMinVol(), Qt::Key_PageUp, [this] { return byteOf(163, 5) == 40; });
        press(Qt::Key_Escape, 2);
        QVERIFY(!screens().expView()->isVisible());

        // The preset volume pop-up.
        enterOn(root()->presetVolue());
        for (const auto& [key, volume] : {std::pair{Qt::Key_End, 100u}, std::pair{Qt::Key_Left, 99u},
                                          std::pair{Qt::Key_PageDown, 89u}, std::pair{Qt::Key_Right, 90u}})
            stepTo(root()->PresetVolueSlider(), key, [&] { return pedal->liveSound().volume == volume; });
        press(Qt::Key_Escape);
        QVERIFY(!root()->PresetVoluePopView()->isVisible());
    }

    // Last: the confirmed reset ends the editor.
    void factoryResetTakesOnlyItsOwnButton() {
        YJResetView* reset = system()->resetView();
        const auto ask = [&] {
            if (!system()->isVisible()) enterOn(root()->systemButton());
            enterOn(system()->tabButton(YJSystemView::kReset));
            QVERIFY(reset->isVisible());
            enterOn(reset->choice()->button(TwoWaySwitch::kLeft));  // YES
            QTRY_COMPARE(pedal->settings().system[7], std::uint8_t(1));
            enterOn(reset->okButton());
            QTRY_VERIFY(reset->question() && reset->question()->isVisible());
            QTRY_COMPARE(QApplication::focusWidget(), reset->question()->defaultButton());
            QCOMPARE(reset->question()->defaultButton()->text(), QStringLiteral("Cancel"));
            QVERIFY(reset->question()->text().contains(QStringLiteral("All presets will be lost")));
        };
        for (Qt::Key answer : {Qt::Key_Return, Qt::Key_Escape}) {
            ask();
            press(Qt::Key_Space, 2);
            settled();
            QVERIFY(reset->question());
            press(answer);
            QTRY_COMPARE(pedal->settings().system[7], std::uint8_t(0));
            window->activateWindow();  // as the desktop does when the question closes
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        ask();
        QPushButton* confirm = nullptr;
        for (QAbstractButton* button : reset->question()->buttons())
            if (button->text() == QStringLiteral("Reset")) confirm = qobject_cast<QPushButton*>(button);
        QVERIFY(tabTo(confirm));
        press(Qt::Key_Space);
        settled();
        QCOMPARE(pedal->settings().system[7], std::uint8_t(1));
        QSignalSpy closed(window, &EditorWindow::closed);
        press(Qt::Key_Return);
        QTRY_COMPARE(pedal->settings().system[7], std::uint8_t(2));
        QVERIFY(closed.isEmpty());  // a second later, once the block is out
        QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, 3000);
    }
};

QTEST_MAIN(TestKeyboardWithPedal)
#include "test_keyboard_with_pedal.moc"
