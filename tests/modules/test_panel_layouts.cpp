// What the eight panels add to the shared panel: layouts by model, conversions, the
// elements a model leaves alone, the user slots and the CAB slot delete.
#include "amp_mode_controller.h"
#include "cab_mode_controller.h"
#include "delay_mode_controller.h"
#include "eq_mode_controller.h"
#include "g_pop_up_button.h"
#include "group_badge.h"
#include "hy_slider.h"
#include "mod_mode_controller.h"
#include "ns_mode_controller.h"
#include "reverb_mode_controller.h"
#include "yj_text_field.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QtTest>

using namespace quorvex;
using Block = std::vector<std::uint32_t>;

namespace {

// Shows a panel, as the window does, so that visibility can be asked.
template <typename Panel>
std::unique_ptr<Panel> shown() {
    auto panel = std::make_unique<Panel>();
    panel->resize(900, 640);
    panel->show();
    return panel;
}

void pick(ui::GPopUpButton* list, int position, ModulePanel& panel) {
    list->setIndexNumber(position);
    panel.popupButtonChange(list);
}

void type(ModulePanel& panel, int row, float number) {
    panel.pTextFieldVale(row)->setValue(number);
    panel.textFieldChange(panel.pTextFieldVale(row));
}

void slide(ModulePanel& panel, int row, double position) {
    panel.pSlider(row)->setFloatValue(position);
    panel.ModleViewAction(panel.pSlider(row));
}

QStringList visibleTitles(const ModulePanel& panel) {
    QStringList titles;
    for (int row = 0; row < panel.table().rows; ++row)
        if (panel.pSlider(row)->isVisible()) titles << panel.pSlider(row)->accessibleName();
    return titles;
}

}  // namespace

class TestPanelLayouts : public QObject {
    Q_OBJECT

private slots:
    void nsOneRowModelsKeepTheHiddenRows() {
        auto ns = shown<NsModeController>();
        ns->changedModeValue({1, 1, 30, 40, 50});
        QCOMPARE(visibleTitles(*ns), QStringList{"THRES"});
        QVERIFY(!ns->titleLab(1)->isVisible());
        pick(ns->popButton(), 2, *ns);
        QCOMPARE(visibleTitles(*ns), (QStringList{"ATTACK", "RELEASE", "THRES"}));
        QCOMPARE(ns->pTextFieldVale(2)->text(), QStringLiteral("50"));
        pick(ns->popButton(), 1, *ns);
        QCOMPARE(ns->titleLab(0)->text(), QStringLiteral("SENSITIVITY"));
        QVERIFY(ns->block() == (Block{1, 2, 30, 40, 50}));
    }

    void eqLeavesWhatTheModelDoesNotShow() {
        auto eq = shown<EqModeController>();
        eq->changedModeValue({1, 3, 1, 2, 3, 4, 5, 6, 0, 0, 0});
        QCOMPARE(eq->pTextFieldVale(5)->text(), QStringLiteral("-6"));
        // "CUSTOM EQ": a report does not copy elements 3, 5 and 7.
        eq->changedModeValue({1, 4, 20, 99, 18, 99, 16, 99, 120, 2000, 50});
        QVERIFY(eq->block() == (Block{1, 4, 20, 2, 18, 4, 16, 6, 120, 2000, 50}));
        QCOMPARE(eq->unitLab(3)->text(), QStringLiteral("Hz"));
        QCOMPARE(eq->pTextFieldVale(0)->text(), QStringLiteral("+8"));
        QCOMPARE(eq->pTextFieldVale(5)->text(), QStringLiteral("50"));  // below 60: shown, slider stays
        QCOMPARE(eq->pSlider(5)->floatValue(), 0.25);
        type(*eq, 3, 20000);
        QCOMPARE(eq->block()[8], 18000u);
        QCOMPARE(eq->pTextFieldVale(3)->text(), QStringLiteral("18000"));
        QCOMPARE(eq->pSlider(3)->floatValue(), 1.0);
        slide(*eq, 1, 0.3);
        QCOMPARE(eq->block()[4], 8u);
        // To "GUITAR EQ": row 6 hides, element 7 stays.
        pick(eq->popButton(), 0, *eq);
        QVERIFY(!eq->pSlider(5)->isVisible());
        QCOMPARE(eq->titleLab(0)->text(), QStringLiteral("100Hz"));
        QCOMPARE(eq->block()[7], 6u);
    }

    void modSignedPitchRowsAndLayouts() {
        auto mod = shown<ModModeController>();
        mod->changedModeValue({1, 10, 7, 8, 9, 10, 250});
        QCOMPARE(mod->pTextFieldVale(0)->text(), QStringLiteral("+5"));
        type(*mod, 0, 2.5f);
        QCOMPARE(mod->block()[6], 225u);
        QCOMPARE(mod->block()[2], 0u);  // not shown by "DETUNE", not copied
        QCOMPARE(mod->pTextFieldVale(0)->text(), QStringLiteral("+2.5"));
        pick(mod->popButton(), 8, *mod);  // "PITCH SHIFT"
        slide(*mod, 0, 1.0);
        QCOMPARE(mod->block()[2], 240u);
        QCOMPARE(mod->pTextFieldVale(0)->text(), QStringLiteral("+12"));
        pick(mod->popButton(), 0, *mod);  // "PHASER" lowers element 2 to 100
        QCOMPARE(mod->block()[2], 100u);
        pick(mod->popButton(), 17, *mod);
        QCOMPARE(visibleTitles(*mod), (QStringList{"RISE", "LEVEL"}));
        QVERIFY(!mod->titleLab(2)->isVisible());
        pick(mod->popButton(), 11, *mod);
        QCOMPARE(visibleTitles(*mod), (QStringList{"RATE", "MIX", "TONE", "DEPTH"}));
        mod->changedModeValue({0, 12, 1, 2, 3, 4, 5});
        QCOMPARE(mod->block()[0], 0u);  // the on/off state comes with the report
    }

    void delayLayoutsAndSubdivisions() {
        auto delay = shown<DelayModeController>();
        QCOMPARE(delay->extraListTitle(1)->text(), QStringLiteral("SUB-B"));
        delay->changedModeValue({1, 4, 50, 60, 1000, 3, 70, 2000, 9});
        QCOMPARE(visibleTitles(*delay), (QStringList{"LEVEL", "F.BACK", "TIME"}));
        QVERIFY(!delay->popButtonSubB()->isVisible());
        QVERIFY(!delay->valueName()->isVisible());
        QCOMPARE(delay->extraListTitle(0)->text(), QStringLiteral("SUB-D"));
        QCOMPARE(delay->popButtonSubA()->itemLabel(), QStringLiteral("1/4D"));
        pick(delay->popButton(), 8, *delay);
        QCOMPARE(visibleTitles(*delay), (QStringList{"LEVEL", "F.BACK", "TIME.A", "TIME.B"}));
        QVERIFY(delay->popButtonSubB()->isVisible());
        QCOMPARE(delay->pTextFieldVale(3)->text(), QStringLiteral("2000"));
        QCOMPARE(delay->valueName()->picture(), QStringLiteral("229"));
        pick(delay->popButtonSubA(), 5, *delay);
        QCOMPARE(delay->block()[5], 5u);
        pick(delay->popButton(), 7, *delay);  // "DYNAMIC": row 4 is THRES in element 6
        QCOMPARE(delay->pTextFieldVale(3)->text(), QStringLiteral("70"));
        type(*delay, 2, 3000);
        QVERIFY(delay->block() == (Block{1, 8, 50, 60, 2500, 5, 70, 2000, 9}));
    }

    void reverbPreDelayIsShownFiveTimes() {
        auto reverb = shown<ReverbModeController>();
        reverb->changedModeValue({1, 2, 20, 30, 40, 50});
        QCOMPARE(reverb->pTextFieldVale(0)->text(), QStringLiteral("100"));
        QCOMPARE(reverb->pSlider(0)->floatValue(), 0.2);
        type(*reverb, 0, 123);
        QCOMPARE(reverb->block()[2], 24u);
        QCOMPARE(reverb->pTextFieldVale(0)->text(), QStringLiteral("120"));
    }

    void ampUserSlotsTakeTheReportedNames() {
        auto amp = shown<AmpModeController>();
        QCOMPARE(amp->popButton()->dataArray().size(), 61);
        pick(amp->popButton(), 13, *amp);  // the second "EG E650 A"
        QCOMPARE(amp->block()[1], 14u);
        amp->changedModeValue({1, 63, 0, 0, 0, 0, 0, 0});  // before the names: not in the list
        QCOMPARE(amp->popButton()->indexNumber(), 13);
    }

    void cabUserSlotLayoutAndDelete() {
        auto cab = shown<CabModeController>();
        cab->changedModeValue({1, 27, 9, 10, 20, 1});
        QVERIFY(!cab->popButtonMic()->isVisible());
        QCOMPARE(cab->popButtonMic()->itemLabel(), QStringLiteral("C4000B"));
        QVERIFY(visibleTitles(*cab).isEmpty());
        QCOMPARE(cab->extraListTitle(0)->text(), QStringLiteral("TUBE"));
        cab->changedModeValue({1, 0, 0, 10, 20, 1});  // outside the list: user-slot layout, list kept
        QCOMPARE(cab->popButtonEffice()->indexNumber(), 26);
        pick(cab->popButtonEffice(), 25, *cab);
        QVERIFY(cab->popButtonMic()->isVisible());
        QCOMPARE(visibleTitles(*cab), (QStringList{"CENTER", "DISTANCE"}));
        pick(cab->popButtonTube(), 4, *cab);
        QVERIFY(cab->block() == (Block{1, 26, 0, 10, 20, 4}));

        // "-" on the row of cabinet 30: asked first; "NO" changes nothing, "OK" empties slot 3.
        QSignalSpy deleted(cab.get(), &CabModeController::irSlotDeleted);
        cab->popButtonEffice()->showList();
        QVERIFY(!cab->popButtonEffice()->slotButton(29, true)->isVisible());  // the import comes later
        for (const QString answer : {"NO", "OK"}) {
            qobject_cast<QAbstractButton*>(cab->popButtonEffice()->slotButton(29, false))->click();
            QTRY_VERIFY(cab->deleteQuestion());
            QCOMPARE(cab->deleteQuestion()->text(), QStringLiteral("warning"));
            QCOMPARE(cab->deleteQuestion()->informativeText(), QStringLiteral("Do you want to delete IR Data?"));
            for (QAbstractButton* button : cab->deleteQuestion()->buttons())
                if (button->text() == answer) button->click();
            QTRY_VERIFY(!cab->deleteQuestion());
        }
        QCOMPARE(deleted.size(), 1);
        QCOMPARE(deleted[0][0].toInt(), 3);
        QCOMPARE(cab->irOperateIndex(), 30);
        QCOMPARE(cab->popButtonEffice()->dataArray().at(29), QStringLiteral("EMPTY"));
        QCOMPARE(cab->popButtonEffice()->cabAddDelete(), ui::GPopUpButton::kSlotMode);
        QCOMPARE(cab->block()[1], 26u);  // the delete is no pick
    }
};

QTEST_MAIN(TestPanelLayouts)
#include "test_panel_layouts.moc"
