// The eight panels against the virtual pedal: an edit goes out with the focus message
// and every element the module carries, a knob on the pedal redraws without echo, the
// user slot names arrive, a record shows on every panel, and a CAB slot is emptied,
// but not by a request made before the pedal was plugged in.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "cab_mode_controller.h"
#include "diary.h"
#include "g_pop_up_button.h"
#include "hy_slider.h"
#include "yj_text_field.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvex;
using namespace std::chrono_literals;
using Knobs = std::vector<std::pair<int, std::uint32_t>>;

Q_DECLARE_METATYPE(quorvex::Module)

class TestPanelsWithPedal : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<Diary> diary;
    testing::EditorWithPedal editor;
    pedal::VirtualPedal* pedal = nullptr;
    AppDelegate* hub = nullptr;
    EditorWindow* window = nullptr;

    std::size_t countOf(std::uint8_t command) const { return testing::countOf(*pedal, command); }
    std::vector<std::uint8_t> last(std::uint8_t command) const { return testing::lastPayload(*pedal, command); }
    // Whether the pedal holds the panel's block in every element that travels (DELAY
    // sends element 6, or elements 7 and 8 for the dual delay).
    bool pedalHoldsPanelBlock(Module m) const {
        const auto panel = window->panel(m)->block();
        const auto held = pedal->block(m);
        for (std::size_t e = 0; e < panel.size(); ++e) {
            const bool dual = panel[1] == 9;
            if (m == Module::Delay && ((e == 6 && dual) || (e >= 7 && !dual))) continue;
            if (held[e] != panel[e]) return false;
        }
        return true;
    }

private slots:
    void initTestCase() {
        diary = std::make_unique<Diary>(dir.filePath("rigDiary").toStdString());
        LinkOptions link;
        link.diary = diary.get();
        QVERIFY(editor.start({}, link));
        pedal = editor.pedal.get();
        hub = editor.hub.get();
        window = editor.window.get();
        QTRY_VERIFY_WITH_TIMEOUT(!hub->GetIsChangeGuiData(), 3000);
    }

    void knobRedrawsWithoutEchoAndEditGoesOut_data() {
        QTest::addColumn<Module>("module");
        QTest::addColumn<Knobs>("knobs");  // (element, value) turned on the pedal, in order
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shown");
        QTest::newRow("DS/OD") << Module::Ds << Knobs{{2, 33}} << 0 << "33";
        QTest::newRow("AMP") << Module::Amp << Knobs{{7, 44}} << 5 << "44";
        QTest::newRow("CAB") << Module::Cab << Knobs{{1, 5}, {3, 60}} << 0 << "60";
        QTest::newRow("NS") << Module::Ns << Knobs{{1, 3}, {4, 70}} << 2 << "70";
        QTest::newRow("EQ") << Module::Eq << Knobs{{1, 4}, {8, 1234}} << 3 << "1234";
        QTest::newRow("MOD") << Module::Mod << Knobs{{1, 10}, {6, 150}} << 0 << "-5";
        QTest::newRow("DELAY") << Module::Delay << Knobs{{1, 9}, {7, 800}} << 3 << "800";
        QTest::newRow("REVERB") << Module::Reverb << Knobs{{2, 30}} << 0 << "150";
    }
    void knobRedrawsWithoutEchoAndEditGoesOut() {
        QFETCH(Module, module);
        QFETCH(Knobs, knobs);
        QFETCH(int, row);
        QFETCH(QString, shown);
        ModulePanel* panel = window->panel(module);
        const std::uint8_t command = kModuleCommands[static_cast<std::size_t>(module)];
        const std::size_t sent = countOf(command);
        for (const auto& [element, value] : knobs) pedal->turnKnob(module, element, value);
        QTRY_COMPARE(panel->pTextFieldVale(row)->text(), shown);
        QTest::qWait(300);  // more than a scheduler cycle
        QCOMPARE(countOf(command), sent);

        panel->pSlider(row)->setFloatValue(1.0);
        panel->ModleViewAction(panel->pSlider(row));
        QTRY_VERIFY_WITH_TIMEOUT(pedalHoldsPanelBlock(module), 3000);
        QCOMPARE(countOf(command), sent + 1);
        const auto focus = static_cast<std::uint8_t>(static_cast<int>(module) + 1);
        QTRY_COMPARE(last(130), (std::vector<std::uint8_t>{focus, 0}));
    }

    void userSlotsCarryThePedalsNames() {
        const QStringList cabinets = window->panel(Module::Cab)->popButton()->dataArray();
        QCOMPARE(cabinets.mid(26, 3), (QStringList{"GREENBACK", "V30 OPEN", ""}));
        QCOMPARE(cabinets.at(30), QStringLiteral("ROOM 57"));
        QCOMPARE(window->panel(Module::Cab)->popButton()->rowText(28), QStringLiteral("29 EMPTY"));
        const QStringList amps = window->panel(Module::Amp)->popButton()->dataArray();
        QCOMPARE(amps.size(), 65);
        QCOMPARE(amps.at(55), QStringLiteral("MY PLEXI"));
        QCOMPARE(amps.at(57), QStringLiteral("HOT ROD 50"));
    }

    void aRecordShowsOnEveryPanel() {
        // A slot whose EQ is "CUSTOM EQ": its frequencies stand in 16-bit fields far
        // from the module's other bytes.
        int slot = 0;
        while (pedal->record(slot)[68] != 4) ++slot;
        hub->ChangeCurrentPreset(slot);
        const PresetRecord rec = pedal->record(slot);
        for (const Module m : {Module::Ds, Module::Amp, Module::Cab, Module::Ns, Module::Delay, Module::Reverb}) {
            auto values = moduleValuesFromRecord(rec, m);
            values.resize(window->panel(m)->block().size());
            QVERIFY2(window->panel(m)->block() == values, moduleName(m));
        }
        QCOMPARE(window->panel(Module::Eq)->block()[10], std::uint32_t(rec[348] | rec[349] << 8));
    }

    void emptyingAnIrSlotSends228AndWritesTheDiary() {
        auto* cab = static_cast<CabModeController*>(window->panel(Module::Cab));
        // Asked first: "NO" changes nothing, "OK" empties the slot.
        for (const QString answer : {"NO", "OK"}) {
            qobject_cast<QAbstractButton*>(cab->popButtonEffice()->slotButton(26, false))->click();
            QTRY_VERIFY(cab->deleteQuestion());
            QCOMPARE(cab->deleteQuestion()->informativeText(), QStringLiteral("Do you want to delete IR Data?"));
            for (QAbstractButton* button : cab->deleteQuestion()->buttons())
                if (button->text() == answer) button->click();
            QTRY_VERIFY(!cab->deleteQuestion());
        }
        QVERIFY(pedal->waitForCommand(228, 3000ms));
        QCOMPARE(countOf(228), std::size_t(1));
        QCOMPARE(last(228), std::vector<std::uint8_t>{0});
        QVERIFY(!pedal->irSlot(0).present);
        QCOMPARE(cab->popButtonEffice()->dataArray().at(26), QStringLiteral("EMPTY"));
        QFile trace(dir.filePath("rigDiary"));
        QVERIFY(trace.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(trace.readAll())
                    .contains(QString::fromUtf8("\u2601\ufe0f\u2601\ufe0f\u2601\ufe0f\u2601\ufe0f\u2601\ufe0f\u2601\ufe0f"
                                                "\u2601\ufe0fopenAlertPanel = true;\u2601\ufe0f")));
    }

    // Before a pedal is plugged in every user slot reads "EMPTY": its "-" cannot be
    // pressed, and a slot emptied meanwhile stays as it is on the pedal that comes.
    void noSlotIsEmptiedBeforeThePedalCame() {
        testing::EditorWithPedal late;
        late.startWithoutPedal();
        ui::GPopUpButton* cabinets = late.window->panel(Module::Cab)->popButton();
        QVERIFY(!cabinets->slotButton(30, false)->isEnabled());
        late.hub->IrDeleteAction(4);
        QVERIFY(late.plugInPedal());
        QVERIFY(cabinets->slotButton(30, false)->isEnabled());  // the rows were rebuilt with the pedal's names
        QTest::qWait(400);  // more than a turn of the scheduler's ring
        QCOMPARE(testing::countOf(*late.pedal, 228), std::size_t(0));
        QVERIFY(late.pedal->irSlot(4).present);
    }
};

QTEST_MAIN(TestPanelsWithPedal)
#include "test_panels_with_pedal.moc"
