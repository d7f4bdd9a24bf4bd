// The status side of the preset screen: the EXP and EXP2 summary with its range checks
// and merge marks, the CAB lamps, the preset volume read-out and its pop-up, the global
// panels, and what assistive technology is told about the preset header and list.
#include <QAccessible>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QtTest>

#include <cmath>

#include "app_delegate.h"
#include "cab_lamp.h"
#include "down_menu_view.h"
#include "g_slider.h"
#include "preset_screen_fixture.h"
#include "preset_volume_popup.h"
#include "root_view_controller.h"

using quorvex::RootViewController;

namespace {

struct Screen : PresetScreen {
    QStringList exp() const {
        return {root->ExpMode()->text(), root->ExpParameter()->text(), root->Exp2Mode()->text(),
                root->Exp2Parameter()->text()};
    }
};

QString accessibleText(QObject* o, QAccessible::Text t) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(t) : QStringLiteral("<none>");
}

}  // namespace

class PresetStatusTest : public QObject {
    Q_OBJECT
private slots:
    void expSummaryShowsModuleAndParameter_data();
    void expSummaryShowsModuleAndParameter();
    void mergeMarksOverrideAndAreKept();
    void cabLampsAndSplitFlag();
    void pedalVolumeSetsReadoutAndSlider();
    void draggedVolumeSliderStaysWhereThePointerPutIt();
    void headerAndListTellAssistiveTechnology();
};

void PresetStatusTest::expSummaryShowsModuleAndParameter_data() {
    QTest::addColumn<QList<int>>("numbers");  // EXP module, parameter, EXP2 module, parameter
    QTest::addColumn<QStringList>("texts");    // shown after AMP BASS, MOD MIX
    QTest::newRow("first and last modules")
        << QList<int>{0, 0, 8, 3} << QStringList{"EXP:FX/COMP", "*POSITION*", "EXP2:REVERB", "TONE"};
    QTest::newRow("last EQ and DELAY captions")
        << QList<int>{5, 13, 7, 5} << QStringList{"EXP:EQ", "3.2KHZ", "EXP2:DELAY", "TIME B"};
    // A module above 8 leaves both labels of its pedal; a parameter past the module's
    // list leaves the parameter label.
    QTest::newRow("no such module") << QList<int>{9, 0, 0xFFFF, 0} << QStringList{"EXP:AMP", "BASS", "EXP2:MOD", "MIX"};
    QTest::newRow("no such parameter")
        << QList<int>{3, 2, 6, 12} << QStringList{"EXP:CAB", "BASS", "EXP2:MOD", "MIX"};
}

void PresetStatusTest::expSummaryShowsModuleAndParameter() {
    QFETCH(QList<int>, numbers);
    QFETCH(QStringList, texts);
    Screen s;
    s.root->UpdataExpStatus(2, 1, 6, 4);
    s.root->UpdataExpStatus(std::uint16_t(numbers[0]), std::uint16_t(numbers[1]), std::uint16_t(numbers[2]),
                            std::uint16_t(numbers[3]));
    QCOMPARE(s.exp(), texts);
}

void PresetStatusTest::mergeMarksOverrideAndAreKept() {
    Screen s;
    s.root->UpdataExpStatus(2, 0, 6, 1);
    s.root->PresetUpdataExpStatus(true, false);
    QCOMPARE(s.exp(), QStringList({"EXP:MERGE", "-----", "EXP2:MOD", "PITCH"}));
    s.root->PresetUpdataExpStatus(false, true);
    // A clear mark leaves the texts as they are.
    QCOMPARE(s.exp(), QStringList({"EXP:MERGE", "-----", "EXP2:MERGE", "-----"}));
    QCOMPARE(s.root->isExpControlMerge(), (std::array<bool, 2>{false, true}));
    s.root->UpdataExpStatus(7, 2, 8, 0);
    QCOMPARE(s.exp(), QStringList({"EXP:DELAY", "TIME", "EXP2:REVERB", "PRE DELAY"}));
}

void PresetStatusTest::cabLampsAndSplitFlag() {
    Screen s;
    for (const auto& [left, right] : {std::pair{true, false}, std::pair{true, true}, std::pair{false, true}}) {
        s.root->UpdataCabStatus(left, right);
        QCOMPARE(s.root->Cab_L()->isLit(), left);
        QCOMPARE(s.root->Cab_R()->isLit(), right);
        QCOMPARE(s.root->CabSimThtuStatus(), left != right);
        QCOMPARE(accessibleText(s.root->Cab_L(), QAccessible::Value), QString(left ? "on" : "off"));
    }
}

void PresetStatusTest::pedalVolumeSetsReadoutAndSlider() {
    Screen s;
    s.root->setPresetVolume(80);
    QCOMPARE(s.root->presetVolue()->text(), QString("80"));
    QCOMPARE(s.root->PresetVolueSlider()->floatValue(), 0.8);
    // A value the slider cannot show leaves it where it was.
    s.root->setPresetVolume(150);
    QCOMPARE(s.root->presetVolue()->text(), QString("150"));
    QCOMPARE(s.root->PresetVolueSlider()->floatValue(), 0.8);
    QCOMPARE(s.hub.count("PresetVolChange"), 0);  // showing a value sends nothing
}

void PresetStatusTest::draggedVolumeSliderStaysWhereThePointerPutIt() {
    // The real hub, which shows the dragged value in the read-out.
    quorvex::AppDelegate hub;
    QWidget window;
    auto* root = new RootViewController(hub, &window);
    hub.setPresetList(root);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    root->showPresetVolumePopup();
    auto* slider = root->PresetVolueSlider();
    const int x = slider->width() / 3;
    const double pointed = slider->valueAtPointer(x);
    QVERIFY(pointed * 100.0 != std::floor(pointed * 100.0));  // between two whole numbers
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(x, 5));
    QTRY_COMPARE(root->presetVolue()->text(), QString::number(int(pointed * 100.0)));
    QCOMPARE(slider->floatValue(), pointed);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(x, 5));
}

void PresetStatusTest::headerAndListTellAssistiveTechnology() {
    Screen s;
    s.root->UpdataPresetListIndex(0, "001A:CLEAN");
    QAccessibleInterface* header = QAccessible::queryAccessibleInterface(s.root->presetNameHY());
    QVERIFY(header);
    QCOMPARE(header->role(), QAccessible::ButtonDropDown);
    QCOMPARE(header->text(QAccessible::Name), QString("presetNameHY"));
    QCOMPARE(header->text(QAccessible::Value), QString("001A:CLEAN"));
    QVERIFY(header->state().collapsed);
    header->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(s.root->isPresetListShown());
    QVERIFY(header->state().expanded);

    // The list's rows, with the mark in the text of the edited current row.
    s.hub.edited = true;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(s.root->tableView());
    QVERIFY(list && list->tableInterface());
    QCOMPARE(list->tableInterface()->rowCount(), 300);
    QCOMPARE(list->tableInterface()->cellAt(0, 0)->text(QAccessible::Name), QString("001A:CLEAN *"));
    QCOMPARE(list->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), QString("001B"));
}

QTEST_MAIN(PresetStatusTest)
#include "test_preset_status.moc"
