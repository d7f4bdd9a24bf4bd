// The settings screens in the editor against the virtual pedal: what each edit sends,
// what a report shows and the pedal's page command. The keyboard test drives them with
// keys, closes them and answers the factory reset.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "cab_lamp.h"
#include "g_slider.h"
#include "hy_slider.h"
#include "root_view_controller.h"
#include "settings_screens.h"
#include "two_way_switch.h"
#include "yj_ctrl_tab_view.h"
#include "yj_exp_view.h"
#include "yj_exp_vol_view.h"
#include "yj_fs_mode_view.h"
#include "yj_system_view.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace quorvex;
using namespace quorvex::settings;
using Bytes = std::vector<std::uint8_t>;

class TestSettingsWithPedal : public QObject {
    Q_OBJECT

private:
    testing::EditorWithPedal editor;
    pedal::VirtualPedal* pedal = nullptr;
    AppDelegate* hub = nullptr;
    EditorWindow* window = nullptr;

    SettingsScreens& screens() const { return *window->settingsScreens(); }
    YJSystemView& system() const { return *screens().systemView(); }
    Bytes last(std::uint8_t command) const { return testing::lastPayload(*pedal, command); }
    // Byte i of the last frame with this command; -1 while there is none.
    int byteOf(std::uint8_t command, std::size_t i) const {
        const Bytes payload = last(command);
        return i < payload.size() ? payload[i] : -1;
    }
    std::size_t countOf(std::uint8_t command) const { return testing::countOf(*pedal, command); }

private slots:
    void initTestCase() {
        QVERIFY(editor.start());
        pedal = editor.pedal.get();
        hub = editor.hub.get();
        window = editor.window.get();
    }

    void thePedalsPageCommandOpensAndClosesEachScreen() {
        YJExpView* exp = screens().expView();
        struct Case { std::uint8_t b, c; QWidget* shown; QWidget* also; };
        for (const Case& c : {Case{1, 0, screens().systemView(), nullptr}, Case{2, 0, screens().ctrlTabView(), nullptr},
                              Case{3, 0, exp, nullptr}, Case{3, 1, exp, exp->image_expvolView()}}) {
            pedal->showSettingsPage(c.b, c.c);
            QTRY_VERIFY(c.shown->isVisible());
            for (QWidget* panel : screens().panels())
                QCOMPARE(panel->isVisible(), panel == c.shown || panel == c.also);
            pedal->showSettingsPage(0);
            QTRY_VERIFY(!c.shown->isVisible());
        }
    }

    void eqEditsAndReportsGoOutInWireForm() {
        system().hySlider(0)->setValueByUser(1.0);  // LOW FREQ at its right end: 18000 Hz
        QTRY_COMPARE(pedal->settings().globalEq[1], std::uint8_t(0x46));
        QCOMPARE(pedal->settings().globalEq[0], std::uint8_t(0x50));
        QTRY_COMPARE(last(130), (Bytes{18, 0}));

        pedal->changeSetting(159, {0xE8, 0x03, 13, 0x10, 0x27, 1, 0x20, 0x4E, 25});
        QTRY_COMPARE(system().hyTextFieldVale(0)->text(), QStringLiteral("1000HZ"));
        QCOMPARE(system().hyTextFieldVale(1)->text(), QStringLiteral("0 dB"));
        QCOMPARE(system().hyTextFieldVale(5)->text(), QStringLiteral("+12 dB"));
        const std::size_t sent = countOf(159);
        QTest::qWait(200);
        QCOMPARE(countOf(159), sent);  // a report is not echoed

        system().refreshModuleView(YJSystemView::kUsbAudio);
        QTest::mouseClick(system().pPoint(1)->button(TwoWaySwitch::kRight), Qt::LeftButton);
        QTRY_COMPARE(pedal->settings().system[1], std::uint8_t(1));
        QTRY_COMPARE(last(159), (Bytes{0xE8, 0x03, 13, 0x10, 0x27, 1, 0x20, 0x4E, 25}));
    }

    void cabSimSwitchLightsTheLampAtOnce() {
        pedal->changeSetting(161, {9, 0, 0, 50, 50, 0, 0, 0, 7, 8});
        QTRY_COMPARE(system().pPoint(3)->position(), TwoWaySwitch::kRight);
        CabLamp* lamp = window->rootViewController()->Cab_L();
        QVERIFY(!lamp->isLit());
        system().refreshModuleView(YJSystemView::kCabSim);
        QTest::mouseClick(system().pPoint(3)->button(TwoWaySwitch::kLeft), Qt::LeftButton);
        QTRY_VERIFY(lamp->isLit());
        QTRY_COMPARE(last(161), (Bytes{9, 0, 0, 50, 50, 1, 0, 0, 7, 8}));
        QTRY_COMPARE(last(130), (Bytes{11, 4}));
    }

    void valuesOutOfRangeShowClampedAndGoBackUnchanged() {
        pedal->changeSetting(161, {30, 0, 0, 150, 7, 1, 0, 0, 0, 0});
        QTRY_COMPARE(system().pTextFieldVale(1)->text(), QStringLiteral("100"));
        QCOMPARE(system().pTextFieldVale(0)->text(), QStringLiteral("6.0dB"));
        QCOMPARE(system().pSlider(0)->floatValue(), 1.0);
        system().refreshModuleView(YJSystemView::kUsbAudio);
        QTest::mouseClick(system().pPoint(2)->button(TwoWaySwitch::kRight), Qt::LeftButton);
        QTRY_COMPARE(last(161), (Bytes{30, 0, 1, 150, 7, 1, 0, 0, 0, 0}));
    }

    void tapsSendHalfTheTempoAndReportsShowIt() {
        YJCtrlTabView* ctrl = screens().ctrlTabView();
        const bool mode = ctrl->isCtrlMode();
        pedal->changeSetting(164, {0x00, 0x78, 0, 0, 0, 1, 0, 0, 0, 0, 0, std::uint8_t(mode ? 0 : 1)});
        QTRY_COMPARE(ctrl->tabData()->text(), QStringLiteral("120"));
        QCOMPARE(ctrl->isCtrlMode(), mode);  // a report keeps the mode shown
        const std::size_t sent = countOf(164);
        const double t0 = 1.8e12;
        ctrl->tapAt(t0);
        ctrl->tapAt(t0 + 1000);  // 60 BPM
        ctrl->tapAt(t0 + 1500);  // 120 BPM
        QTRY_COMPARE(countOf(164), sent + 1);
        QCOMPARE(byteOf(164, 0), 0x00);
        QCOMPARE(byteOf(164, 1), 0x3C);
        QCOMPARE(byteOf(164, 5), 1);
        // The space key taps while the screen is closed: two at once give the top tempo.
        emit hub->keySpaceClick();
        emit hub->keySpaceClick();
        QTRY_COMPARE(pedal->liveSound().ctrl[0], 260u);
    }

    void expressionChoiceSends163AndEndsTheMerge() {
        YJExpView* exp = screens().expView();
        RootViewController* root = window->rootViewController();
        root->PresetUpdataExpStatus(true, true);
        QTest::mouseClick(root->expButton(), Qt::LeftButton);
        const std::size_t merges = countOf(135);
        QTest::mouseClick(exp->tabButton(2), Qt::LeftButton);
        QTest::mouseClick(exp->tabButton(1), Qt::LeftButton);
        QTest::qWait(100);
        QCOMPARE(countOf(135), merges);  // switching inputs ends no merge
        QTest::mouseClick(exp->moduleButton(3), Qt::LeftButton);  // AMP
        QTest::mouseClick(exp->box(2), Qt::LeftButton);           // its second target
        QTRY_COMPARE(byteOf(163, 2), 1);
        QCOMPARE(byteOf(163, 1), 2);
        QTRY_COMPARE(last(135), Bytes{1});
        QCOMPARE(root->ExpMode()->text(), QStringLiteral("EXP:AMP"));
        QCOMPARE(root->ExpParameter()->text(), QStringLiteral("BASS"));
        QCOMPARE(root->Exp2Mode()->text(), QStringLiteral("EXP2:MERGE"));
        const std::size_t sent = countOf(163);
        QVERIFY(!exp->box(13)->isVisible());  // AMP has no thirteenth target
        exp->ControlImageViewA(3, 13);
        QTest::qWait(100);
        QCOMPARE(countOf(163), sent);
        QTest::mouseClick(exp->okButton(), Qt::LeftButton);
    }

    void footswitchModeGoesOutAndReportsShow() {
        YJFsModeView* fs = system().fsView();
        QTest::mouseClick(window->rootViewController()->systemButton(), Qt::LeftButton);
        QTest::mouseClick(system().fsModeButton(), Qt::LeftButton);
        QTest::mouseClick(fs->modeSwitch()->button(TwoWaySwitch::kRight), Qt::LeftButton);
        QTRY_COMPARE(pedal->settings().fsMode, std::uint8_t(1));
        QTRY_COMPARE(last(130), (Bytes{11, 5}));
        pedal->changeSetting(137, {0});
        QTRY_COMPARE(fs->modeSwitch()->position(), TwoWaySwitch::kLeft);
        QTest::mouseClick(fs->okButton(), Qt::LeftButton);
        QTest::mouseClick(system().okButton(), Qt::LeftButton);
    }

    void volumeRangeKeepsItsOrderAndSurvivesAPresetLoad() {
        YJExpVolView* vol = screens().expView()->image_expvolView();
        pedal->changeSetting(163, {1, 2, 1, 0, 0, 30, 70});
        QTRY_COMPARE(vol->textfiledMaxVol()->text(), QStringLiteral("70"));
        vol->sliderMinVol()->setValueByUser(0.9);  // pushes the maximum up
        QTRY_COMPARE(byteOf(163, 6), 90);
        QCOMPARE(byteOf(163, 5), 90);
        QCOMPARE(vol->textfiledMaxVol()->text(), QStringLiteral("90"));

        // A preset brings its targets, its EXP VOL switch and CTRL mode, not the range or tempo.
        YJCtrlTabView* ctrl = screens().ctrlTabView();
        const QString tempo = ctrl->tabData()->text();
        int slot = 0;
        while (slot < kSlotCount && pedal->record(slot)[125] != 1) ++slot;  // a preset in CTRL mode
        QVERIFY(slot < kSlotCount);
        hub->ChangeCurrentPreset(slot);
        const PresetRecord rec = pedal->record(slot);
        QCOMPARE(vol->VolValue().minimum, 90u);
        QCOMPARE(vol->VolValue().maximum, 90u);
        QCOMPARE(vol->VolValue().on, std::uint32_t(rec[114]));
        QCOMPARE(screens().expView()->targets().module(0), std::uint32_t(rec[356]));
        QVERIFY(ctrl->isCtrlMode());
        QCOMPARE(ctrl->tabData()->text(), tempo);
    }
};

QTEST_MAIN(TestSettingsWithPedal)
#include "test_settings_with_pedal.moc"
