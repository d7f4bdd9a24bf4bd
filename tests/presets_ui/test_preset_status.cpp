// The status side of the preset screen: the EXP and EXP2 summary with its range
// checks and merge marks, the CAB lamps, the preset volume read-out and its pop-up,
// the chain values kept for the chain display, the module selection signal, the
// global panels, and what assistive technology is told about each control.
#include <QAccessible>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "cab_lamp.h"
#include "down_menu_view.h"
#include "preset_screen_fixture.h"
#include "g_slider.h"
#include "preset_list_model.h"
#include "preset_volume_popup.h"
#include "root_view_controller.h"

using quorvex::CabLamp;
using quorvex::RootViewController;

namespace {

struct Screen : PresetScreen {
    using PresetScreen::PresetScreen;
    QStringList exp() const {
        return {root->ExpMode()->text(), root->ExpParameter()->text(), root->Exp2Mode()->text(),
                root->Exp2Parameter()->text()};
    }
};

QColor lampPixel(CabLamp* lamp) {
    const QPointF c = lamp->lampCentre();
    return lamp->grab().toImage().pixelColor(int(c.x()), int(c.y()));
}

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
    void expNumbersOutsideTheTablesAreRejected();
    void mergeMarksOverrideAndAreKept();
    void cabLampsAndSplitFlag();
    void volumeReadoutOpensPopupAndSliderReachesHub_data();
    void volumeReadoutOpensPopupAndSliderReachesHub();
    void pedalVolumeSetsReadoutAndSlider();
    void chainModuleAndPanelsAreKeptForTheWindow();
    void everyControlHasAnAccessibleName();
};

void PresetStatusTest::expSummaryShowsModuleAndParameter_data() {
    QTest::addColumn<int>("m1");
    QTest::addColumn<int>("p1");
    QTest::addColumn<int>("m2");
    QTest::addColumn<int>("p2");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("AMP gain, MOD pitch") << 2 << 0 << 6 << 1 << QStringList{"EXP:AMP", "GAIN", "EXP2:MOD", "PITCH"};
    QTest::newRow("first and last modules")
        << 0 << 0 << 8 << 3 << QStringList{"EXP:FX/COMP", "*POSITION*", "EXP2:REVERB", "TONE"};
    QTest::newRow("last EQ and DELAY captions")
        << 5 << 13 << 7 << 5 << QStringList{"EXP:EQ", "3.2KHZ", "EXP2:DELAY", "TIME B"};
    QTest::newRow("DS/OD, CAB, NS") << 1 << 2 << 3 << 1 << QStringList{"EXP:DS/OD", "GAIN", "EXP2:CAB", "DISTANCE"};
    QTest::newRow("NS release, FX level")
        << 4 << 3 << 0 << 9 << QStringList{"EXP:NS", "RELEASE", "EXP2:FX/COMP", "LEVEL"};
    QTest::newRow("MOD bit") << 6 << 11 << 2 << 5 << QStringList{"EXP:MOD", "BIT", "EXP2:AMP", "MST"};
}

void PresetStatusTest::expSummaryShowsModuleAndParameter() {
    QFETCH(int, m1);
    QFETCH(int, p1);
    QFETCH(int, m2);
    QFETCH(int, p2);
    QFETCH(QStringList, texts);
    Screen s;
    s.root->UpdataExpStatus(std::uint16_t(m1), std::uint16_t(p1), std::uint16_t(m2), std::uint16_t(p2));
    QCOMPARE(s.exp(), texts);
}

void PresetStatusTest::expNumbersOutsideTheTablesAreRejected() {
    Screen s;
    s.root->UpdataExpStatus(2, 1, 6, 4);
    const QStringList before{"EXP:AMP", "BASS", "EXP2:MOD", "MIX"};
    QCOMPARE(s.exp(), before);

    // Module above 8: neither label of that pedal changes.
    s.root->UpdataExpStatus(9, 0, 6, 4);
    QCOMPARE(s.exp(), before);
    s.root->UpdataExpStatus(2, 1, 0xFFFF, 0);
    QCOMPARE(s.exp(), before);

    // Parameter past the module's list: the module shows, the parameter stays.
    s.root->UpdataExpStatus(3, 2, 1, 3);  // CAB has 2 captions, DS/OD 3
    QCOMPARE(s.exp(), QStringList({"EXP:CAB", "BASS", "EXP2:DS/OD", "MIX"}));
    s.root->UpdataExpStatus(5, 14, 6, 12);  // EQ has 14, MOD 12
    QCOMPARE(s.exp(), QStringList({"EXP:EQ", "BASS", "EXP2:MOD", "MIX"}));
}

void PresetStatusTest::mergeMarksOverrideAndAreKept() {
    Screen s;
    s.root->UpdataExpStatus(2, 0, 6, 1);

    s.root->PresetUpdataExpStatus(true, false);
    QCOMPARE(s.exp(), QStringList({"EXP:MERGE", "-----", "EXP2:MOD", "PITCH"}));
    QCOMPARE(s.root->isExpControlMerge(), (std::array<bool, 2>{true, false}));

    s.root->PresetUpdataExpStatus(false, true);
    // A clear mark leaves the texts as they are.
    QCOMPARE(s.exp(), QStringList({"EXP:MERGE", "-----", "EXP2:MERGE", "-----"}));
    QCOMPARE(s.root->isExpControlMerge(), (std::array<bool, 2>{false, true}));

    s.root->PresetUpdataExpStatus(false, false);
    QCOMPARE(s.exp(), QStringList({"EXP:MERGE", "-----", "EXP2:MERGE", "-----"}));
    QCOMPARE(s.root->isExpControlMerge(), (std::array<bool, 2>{false, false}));

    s.root->UpdataExpStatus(7, 2, 8, 0);
    QCOMPARE(s.exp(), QStringList({"EXP:DELAY", "TIME", "EXP2:REVERB", "PRE DELAY"}));
}

void PresetStatusTest::cabLampsAndSplitFlag() {
    Screen s;
    QVERIFY(s.exposed);
    CabLamp* l = s.root->Cab_L();
    CabLamp* r = s.root->Cab_R();
    QCOMPARE(l->caption(), QString("CAB L"));
    QCOMPARE(r->caption(), QString("CAB R"));
    const QColor unlitL = lampPixel(l);
    QVERIFY(!l->isLit() && !r->isLit());
    QVERIFY(!s.root->CabSimThtuStatus());

    s.root->UpdataCabStatus(true, false);
    QVERIFY(l->isLit());
    QVERIFY(!r->isLit());
    QVERIFY(s.root->CabSimThtuStatus());
    const QColor lit = lampPixel(l);
    const QColor teal = QColor::fromRgbF(0.0f, 0.9f, 0.77f);
    QVERIFY2(std::abs(lit.green() - teal.green()) < 12 && std::abs(lit.blue() - teal.blue()) < 12 && lit.red() < 20,
             qPrintable(lit.name()));
    QCOMPARE(lampPixel(r), unlitL);
    QVERIFY(unlitL.green() < 80);

    s.root->UpdataCabStatus(true, true);
    QVERIFY(l->isLit() && r->isLit());
    QVERIFY(!s.root->CabSimThtuStatus());
    QCOMPARE(lampPixel(r), lit);

    s.root->UpdataCabStatus(false, true);
    QVERIFY(s.root->CabSimThtuStatus());
    QCOMPARE(lampPixel(l), unlitL);
    QCOMPARE(accessibleText(l, QAccessible::Value), QString("off"));
    QCOMPARE(accessibleText(r, QAccessible::Value), QString("on"));
}

void PresetStatusTest::volumeReadoutOpensPopupAndSliderReachesHub_data() {
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::newRow("down the side") << Qt::Vertical;
    QTest::newRow("across the top") << Qt::Horizontal;
}

void PresetStatusTest::volumeReadoutOpensPopupAndSliderReachesHub() {
    QFETCH(Qt::Orientation, orientation);
    Screen s(orientation);
    QVERIFY(s.exposed);
    auto* readout = s.root->presetVolue();
    auto* popup = s.root->PresetVoluePopView();
    auto* slider = s.root->PresetVolueSlider();
    QCOMPARE(slider->parentWidget(), popup);
    QVERIFY(!s.root->isPresetVolumePopupShown());

    QTest::mouseClick(readout, Qt::LeftButton);
    QVERIFY(s.root->isPresetVolumePopupShown());
    QCOMPARE(popup->parentWidget(), &s.window);
    QVERIFY(readout->isOpen());
    // Under the read-out, inside the window.
    const QPoint readoutBottom = readout->mapTo(&s.window, QPoint(0, readout->height()));
    QVERIFY(popup->geometry().top() >= readoutBottom.y());
    QVERIFY(s.window.rect().contains(popup->geometry()));
    QCOMPARE(s.window.childAt(popup->geometry().center()), slider);

    // The slider reports on the next turn of the event loop; the hub shows the value back.
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, slider->height() / 2));
    QCOMPARE(s.hub.count("PresetVolChange"), 0);
    QTRY_COMPARE(s.hub.count("PresetVolChange"), 1);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->width() / 2, slider->height() / 2));
    QVERIFY(std::abs(s.hub.calls.back().value - 0.5) < 0.01);
    QCOMPARE(readout->text(), QString::number(int(s.hub.calls.back().value * 100.0)));
    QVERIFY(s.root->isPresetVolumePopupShown());

    QTest::mouseMove(slider, QPoint(slider->width() - 1, 5));
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() - 1, 5));
    QTRY_COMPARE(s.hub.count("PresetVolChange"), 2);
    QCOMPARE(s.hub.calls.back().value, 1.0);
    QCOMPARE(readout->text(), QString("100"));

    // A press outside closes it; the read-out toggles it.
    QTest::mouseClick(&s.window, Qt::LeftButton, {}, QPoint(640, 600));
    QVERIFY(!s.root->isPresetVolumePopupShown());
    QVERIFY(!readout->isOpen());
    QTest::mouseClick(readout, Qt::LeftButton);
    QVERIFY(s.root->isPresetVolumePopupShown());
    QTest::mouseClick(readout, Qt::LeftButton);
    QVERIFY(!s.root->isPresetVolumePopupShown());

    // Escape inside the pop-up closes it as well.
    QTest::mouseClick(readout, Qt::LeftButton);
    QTest::keyClick(slider, Qt::Key_Escape);
    QVERIFY(!s.root->isPresetVolumePopupShown());
}

void PresetStatusTest::pedalVolumeSetsReadoutAndSlider() {
    Screen s;
    s.root->setPresetVolume(80);
    QCOMPARE(s.root->presetVolue()->text(), QString("80"));
    QCOMPARE(s.root->PresetVolueSlider()->floatValue(), 0.8);
    s.root->setPresetVolume(0);
    QCOMPARE(s.root->presetVolue()->text(), QString("0"));
    QCOMPARE(s.root->PresetVolueSlider()->floatValue(), 0.0);
    // A value the slider cannot show leaves it where it was.
    s.root->setPresetVolume(37);
    s.root->setPresetVolume(150);
    QCOMPARE(s.root->presetVolue()->text(), QString("150"));
    QCOMPARE(s.root->PresetVolueSlider()->floatValue(), 0.37);
    QCOMPARE(s.hub.count("PresetVolChange"), 0);  // showing a value sends nothing
}

void PresetStatusTest::chainModuleAndPanelsAreKeptForTheWindow() {
    Screen s;
    QCOMPARE(s.root->currentModule(), 0);

    QSignalSpy chainSpy(s.root, &RootViewController::effectChainChanged);
    std::array<std::uint32_t, 18> chain{1, 2, 3, 8, 4, 5, 6, 7, 9, 0, 1, 0, 0, 1, 0, 0, 0, 1};
    s.root->changedModeValue(chain);
    QCOMPARE(chainSpy.count(), 1);
    QCOMPARE(s.root->effectChainValues(), chain);

    QSignalSpy statusSpy(s.root, &RootViewController::moduleStatusChanged);
    s.root->changedModeStatus(3, 1);
    s.root->changedModeStatus(8, -1);
    s.root->changedModeStatus(9, 1);
    s.root->changedModeStatus(-1, 1);
    QCOMPARE(statusSpy.count(), 2);
    QCOMPARE(s.root->moduleStatus(3), std::int8_t(1));
    QCOMPARE(s.root->moduleStatus(8), std::int8_t(-1));
    QCOMPARE(s.root->moduleStatus(0), std::int8_t(0));

    QSignalSpy moduleSpy(s.root, &RootViewController::moduleSelected);
    s.root->setFiveModeCurrentSelect(2);
    s.root->setFiveModeCurrentSelect(9);
    QCOMPARE(moduleSpy.count(), 1);
    QCOMPARE(moduleSpy.at(0).at(0).toInt(), 2);
    QCOMPARE(s.root->currentModule(), 2);
    QCOMPARE(s.hub.calls.size(), std::size_t(0));  // the pedal's choice is not echoed

    auto* system = new QWidget(&s.window);
    auto* ctrl = new QWidget(&s.window);
    auto* gone = new QWidget(&s.window);
    for (QWidget* w : {system, ctrl, gone}) {
        s.root->addGlobalPanel(w);
        w->show();
    }
    s.root->addGlobalPanel(nullptr);
    // A panel deleted after registering is skipped, not touched.
    delete gone;
    s.root->removeGlobalPanels();
    QVERIFY(system->isHidden());
    QVERIFY(ctrl->isHidden());
    auto* notRegistered = new QWidget(&s.window);
    notRegistered->show();
    s.root->removeGlobalPanels();
    QVERIFY(notRegistered->isVisible());
}

void PresetStatusTest::everyControlHasAnAccessibleName() {
    Screen s;
    s.root->UpdataPresetListIndex(0, "001A:CLEAN");
    QAccessibleInterface* header = QAccessible::queryAccessibleInterface(s.root->presetNameHY());
    QVERIFY(header);
    QCOMPARE(header->role(), QAccessible::ButtonDropDown);
    QCOMPARE(header->text(QAccessible::Name), QString("presetNameHY"));
    QCOMPARE(header->text(QAccessible::Value), QString("001A:CLEAN"));
    QVERIFY(header->state().collapsed && !header->state().expanded);
    header->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(s.root->isPresetListShown());
    QVERIFY(header->state().expanded);

    QCOMPARE(accessibleText(s.root->presetVolue(), QAccessible::Name), QString("presetVolue"));
    s.root->setPresetVolume(64);
    QCOMPARE(accessibleText(s.root->presetVolue(), QAccessible::Value), QString("64"));
    QCOMPARE(accessibleText(s.root->PresetVolueSlider(), QAccessible::Name), QString("PresetVolueSlider"));
    QCOMPARE(accessibleText(s.root->PresetVoluePopView(), QAccessible::Name), QString("PresetVoluePopView"));
    QCOMPARE(accessibleText(s.root->saveButton(), QAccessible::Name), QString("SAVE"));
    QCOMPARE(accessibleText(s.root->Cab_L(), QAccessible::Name), QString("CAB L"));
    QCOMPARE(accessibleText(s.root->Cab_R(), QAccessible::Name), QString("CAB R"));
    QCOMPARE(accessibleText(s.root->presetName(), QAccessible::Name), QString("001A:CLEAN"));
    s.root->UpdataExpStatus(2, 0, 6, 1);
    QCOMPARE(accessibleText(s.root->ExpMode(), QAccessible::Name), QString("EXP:AMP"));

    // The list's rows, with the mark in the text of the edited current row.
    s.hub.edited = true;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(s.root->tableView());
    QVERIFY(list && list->tableInterface());
    QCOMPARE(list->tableInterface()->rowCount(), 300);
    QAccessibleInterface* first = list->tableInterface()->cellAt(0, 0);
    QAccessibleInterface* second = list->tableInterface()->cellAt(1, 0);
    QVERIFY(first && second);
    QCOMPARE(first->text(QAccessible::Name), QString("001A:CLEAN *"));
    QCOMPARE(second->text(QAccessible::Name), QString("001B"));
}

QTEST_MAIN(PresetStatusTest)
#include "test_preset_status.moc"
