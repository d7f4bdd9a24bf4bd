// What the panels add to the shared panel: layouts by model, the elements a model
// leaves alone, where each row stores, and the CAB user-slot layout.
#include "cab_mode_controller.h"
#include "delay_mode_controller.h"
#include "eq_mode_controller.h"
#include "g_pop_up_button.h"
#include "group_badge.h"
#include "hy_slider.h"
#include "mod_mode_controller.h"
#include "yj_text_field.h"

#include <QLabel>
#include <QtTest>

using namespace quorvex;
using Block = std::vector<std::uint32_t>;

class TestPanelLayouts : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ModulePanel> panel;

    template <typename Panel>
    Panel* show() {
        panel = std::make_unique<Panel>();
        panel->show();  // so that visibility can be asked
        return static_cast<Panel*>(panel.get());
    }
    void pick(ui::GPopUpButton* list, int position) {
        list->setIndexNumber(position);
        panel->popupButtonChange(list);
    }
    void type(int row, float number) {
        panel->pTextFieldVale(row)->setValue(number);
        panel->textFieldChange(panel->pTextFieldVale(row));
    }
    void slide(int row, double position) {
        panel->pSlider(row)->setFloatValue(position);
        panel->ModleViewAction(panel->pSlider(row));
    }
    QStringList visibleRows() const {
        QStringList titles;
        for (int row = 0; row < panel->table().rows; ++row)
            if (panel->pSlider(row)->isVisible()) titles << panel->pSlider(row)->accessibleName();
        return titles;
    }

private slots:
    void eqLeavesWhatTheModelDoesNotShow() {
        show<EqModeController>()->changedModeValue({1, 3, 1, 2, 3, 4, 5, 6, 0, 0, 0});
        // "CUSTOM EQ": a report does not copy elements 3, 5 and 7.
        panel->changedModeValue({1, 4, 20, 99, 18, 99, 16, 99, 120, 2000, 50});
        QVERIFY(panel->block() == (Block{1, 4, 20, 2, 18, 4, 16, 6, 120, 2000, 50}));
        QCOMPARE(panel->unitLab(3)->text(), QStringLiteral("Hz"));
        QCOMPARE(panel->pTextFieldVale(3)->accessibleName(), QStringLiteral("FREQ 1 value"));
        QCOMPARE(panel->pTextFieldVale(5)->text(), QStringLiteral("50"));  // below 60: shown, slider stays
        QCOMPARE(panel->pSlider(5)->floatValue(), 0.25);
        slide(1, 0.3);  // the second gain of "CUSTOM EQ" is element 4
        QCOMPARE(panel->block()[4], 8u);
        pick(panel->popButton(), 0);  // "GUITAR EQ": row 6 hides, element 7 stays
        QVERIFY(!panel->pSlider(5)->isVisible());
        QCOMPARE(panel->block()[7], 6u);
    }

    void modPitchRowsAndLayouts() {
        show<ModModeController>()->changedModeValue({1, 10, 7, 8, 9, 10, 250});
        QCOMPARE(panel->pTextFieldVale(0)->text(), QStringLiteral("+5"));
        QCOMPARE(panel->block()[2], 0u);  // not shown by "DETUNE", not copied
        type(0, 2.5f);
        QCOMPARE(panel->block()[6], 225u);
        QCOMPARE(panel->pTextFieldVale(0)->text(), QStringLiteral("+2.5"));
        pick(panel->popButton(), 8);  // "PITCH SHIFT" keeps its pitch in element 2
        slide(0, 1.0);
        QCOMPARE(panel->block()[2], 240u);
        pick(panel->popButton(), 9);  // "DETUNE" lowers it to 100 though it shows element 6
        QCOMPARE(panel->block()[2], 100u);
        QCOMPARE(panel->block()[6], 225u);
        pick(panel->popButton(), 17);
        QCOMPARE(visibleRows(), (QStringList{"RISE", "LEVEL"}));
        QVERIFY(!panel->titleLab(2)->isVisible());
        panel->changedModeValue({0, 12, 1, 2, 3, 4, 5});
        QCOMPARE(visibleRows(), (QStringList{"RATE", "MIX", "TONE", "DEPTH"}));
        QCOMPARE(panel->block()[0], 0u);  // the on/off state comes with the report
    }

    void delayLayoutsAndSubdivisions() {
        auto* delay = show<DelayModeController>();
        delay->changedModeValue({1, 4, 50, 60, 1000, 3, 70, 2000, 9});
        QCOMPARE(visibleRows(), (QStringList{"LEVEL", "F.BACK", "TIME"}));
        QVERIFY(!delay->popButtonSubB()->isVisible());
        QVERIFY(!delay->valueName()->isVisible());
        QCOMPARE(delay->extraListTitle(0)->text(), QStringLiteral("SUB-D"));
        QCOMPARE(delay->popButtonSubA()->itemLabel(), QStringLiteral("1/4D"));
        pick(delay->popButton(), 8);
        QCOMPARE(visibleRows(), (QStringList{"LEVEL", "F.BACK", "TIME.A", "TIME.B"}));
        QCOMPARE(delay->extraListTitle(1)->text(), QStringLiteral("SUB-B"));
        QCOMPARE(delay->pTextFieldVale(3)->text(), QStringLiteral("2000"));
        pick(delay->popButtonSubA(), 5);
        pick(delay->popButton(), 7);  // "DYNAMIC": row 4 is THRES in element 6
        QCOMPARE(delay->pTextFieldVale(3)->text(), QStringLiteral("70"));
        type(2, 3000);
        QVERIFY(delay->block() == (Block{1, 8, 50, 60, 2500, 5, 70, 2000, 9}));
    }

    void cabUserSlotLayout() {
        auto* cab = show<CabModeController>();
        // Tube and microphone picks before any preset arrived keep the cabinet layout.
        pick(cab->popButtonTube(), 2);
        pick(cab->popButtonMic(), 3);
        QVERIFY(cab->popButtonMic()->isVisible());
        QCOMPARE(visibleRows(), (QStringList{"CENTER", "DISTANCE"}));
        QVERIFY(cab->block() == (Block{0, 0, 3, 0, 0, 2}));
        cab->changedModeValue({1, 27, 9, 10, 20, 1});
        QVERIFY(!cab->popButtonMic()->isVisible());
        QCOMPARE(cab->popButtonMic()->itemLabel(), QStringLiteral("C4000B"));
        QVERIFY(visibleRows().isEmpty());
        cab->changedModeValue({1, 0, 0, 10, 20, 1});  // outside the list: user-slot layout, list kept
        QCOMPARE(cab->popButtonEffice()->indexNumber(), 26);
        pick(cab->popButtonEffice(), 25);
        QVERIFY(cab->popButtonMic()->isVisible());
        QCOMPARE(visibleRows(), (QStringList{"CENTER", "DISTANCE"}));
        pick(cab->popButtonTube(), 4);
        QVERIFY(cab->block() == (Block{1, 26, 0, 10, 20, 4}));
        cab->popButtonEffice()->showList();
        QVERIFY(cab->popButtonEffice()->slotButton(29, true)->isVisible());
        QVERIFY(cab->popButtonEffice()->slotButton(29, false)->isVisible());
    }
};

QTEST_MAIN(TestPanelLayouts)
#include "test_panel_layouts.moc"
