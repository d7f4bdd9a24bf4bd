// The guitarist's edits taken back and made again, the stored preset compared with the
// edited sound, and a saved-over preset put back from the history, against the virtual
// pedal.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "edit_buttons.h"
#include "edit_history.h"
#include "effect_chain.h"
#include "history_window.h"
#include "hy_slider.h"
#include "module_panel.h"
#include "preset_file_actions.h"
#include "preset_history.h"
#include "preset_list_model.h"
#include "root_view_controller.h"
#include "yj_preset_file.h"
#include "yj_text_field.h"

#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace quorvex;
using Bytes = std::vector<std::uint8_t>;

class TestUndoAndCompare : public QObject {
    Q_OBJECT

    QTemporaryDir data;  // the user's data folder
    testing::EditorWithPedal editor;
    pedal::VirtualPedal* pedal = nullptr;
    AppDelegate* hub = nullptr;
    EditorWindow* window = nullptr;

    std::size_t countOf(std::uint8_t command) const { return testing::countOf(*pedal, command); }
    Bytes last(std::uint8_t command) const { return testing::lastPayload(*pedal, command); }
    ModulePanel* fx() const { return window->panel(Module::Fx); }
    EditButtons& buttons() const { return *window->editButtons(); }
    QUndoStack& history() const { return window->editHistory().stack(); }
    QString editedMark() const {
        RootViewController* root = window->rootViewController();
        return root->tableView()->model()->index(root->selectedCell(), 0).data(PresetListModel::EditedMarkRole).toString();
    }
    // Keys as the window system delivers them, to the focused control.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(window->windowHandle(), k, modifiers);
    }
    void type(ui::YJTextField* field, const QString& text) const {
        field->setFocus();
        field->selectAll();
        for (const QChar c : text) QTest::keyClick(window->windowHandle(), c.toLatin1());
        key(Qt::Key_Return);
    }

private slots:
    // quorvex-cli with the test's data folder; its standard output.
    QString cli(const QStringList& arguments) const {
        QProcess process;
        process.start(QStringLiteral(QUORVEX_CLI), arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) return QStringLiteral("failed: ") + process.readAllStandardError();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    void initTestCase() {
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QVERIFY(editor.start());
        keepReplacedPresets(*editor.hub->HidDevece());
        pedal = editor.pedal.get();
        hub = editor.hub.get();
        window = editor.window.get();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_VERIFY_WITH_TIMEOUT(!hub->GetIsChangeGuiData(), 3000);
    }

    void aDragIsOneStepThatUndoAndRedoSendAgain() {
        const ModuleBlock before = pedal->block(Module::Fx);
        const QString shownBefore = fx()->pTextFieldVale(1)->text();
        QVERIFY(!buttons().undoButton()->isEnabled());
        ui::HYSlider* slider = fx()->pSlider(1);
        const QPoint end(slider->width() - 1, slider->height() / 2);
        // Each step of the drag reaches the hub before the next one, as in a real drag.
        const auto reachesHub = [] { for (int turn = 0; turn < 3; ++turn) QCoreApplication::processEvents(); };
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->width() / 3, slider->height() / 2));
        reachesHub();
        QTest::mouseMove(slider, QPoint(slider->width() * 2 / 3, slider->height() / 2));
        reachesHub();
        QTest::mouseMove(slider, end);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, end);
        // The drag goes out with the focus message and marks the preset edited.
        QTRY_COMPARE_WITH_TIMEOUT(pedal->block(Module::Fx)[3], 100u, 3000);
        QTRY_COMPARE(last(130), (Bytes{1, 0}));
        QTRY_COMPARE(editedMark(), QStringLiteral("*"));
        const ModuleBlock after = pedal->block(Module::Fx);

        QTRY_VERIFY(buttons().undoButton()->isEnabled());
        const std::size_t focus = countOf(130);
        QTest::mouseClick(buttons().undoButton(), Qt::LeftButton);
        // The whole drag goes back at once, with the focus message, and stays edited.
        QTRY_VERIFY_WITH_TIMEOUT(pedal->block(Module::Fx) == before, 3000);
        QTRY_VERIFY(countOf(130) > focus && last(130) == (Bytes{1, 0}));
        const Bytes undone = last(144);
        QCOMPARE(fx()->pTextFieldVale(1)->text(), shownBefore);
        QVERIFY(!buttons().undoButton()->isEnabled());
        QVERIFY(buttons().redoButton()->isEnabled());
        QVERIFY(hub->GetIsChangeGuiData());
        QCOMPARE(editedMark(), QStringLiteral("*"));

        QTest::mouseClick(buttons().redoButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(pedal->block(Module::Fx) == after, 3000);

        // Typing the old value back sends what the undo sent.
        type(fx()->pTextFieldVale(1), shownBefore);
        QTRY_VERIFY_WITH_TIMEOUT(pedal->block(Module::Fx) == before, 3000);
        QCOMPARE(last(144), undone);
    }

    void undoKeepsAKnobTurnedOnThePedalAndWorksFromANumberField() {
        const std::uint32_t level = pedal->block(Module::Fx)[2];
        type(fx()->pTextFieldVale(0), QStringLiteral("30"));
        QTRY_COMPARE_WITH_TIMEOUT(pedal->block(Module::Fx)[2], 30u, 3000);
        pedal->turnKnob(Module::Fx, 3, 7);
        QTRY_COMPARE_WITH_TIMEOUT(fx()->block()[3], 7u, 3000);
        // Ctrl+Z with the focus in a number field is the sound's undo, not the field's.
        fx()->pTextFieldVale(0)->setFocus();
        key(Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(pedal->block(Module::Fx)[2], level, 3000);
        QCOMPARE(pedal->block(Module::Fx)[3], 7u);
        QCOMPARE(fx()->pTextFieldVale(0)->text(), QString::number(level));
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE_WITH_TIMEOUT(pedal->block(Module::Fx)[2], 30u, 3000);
    }

    void aChainMoveUndoneSendsTheOldOrderOnce() {
        EffectChain& chain = window->rootViewController()->effectChain();
        const auto order = chain.effectChainOrder();
        const auto wire = pedal->chain();
        const std::size_t moves = countOf(160);
        chain.DropAction(0, 4);
        QTRY_COMPARE_WITH_TIMEOUT(countOf(160), moves + 1, 3000);
        QTest::mouseClick(buttons().undoButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(countOf(160), moves + 2, 3000);
        QVERIFY(pedal->chain() == wire);
        QVERIFY(chain.effectChainOrder() == order);

        // So are the preset volume and the CTRL and EXP assignments.
        const PresetRecord sound = pedal->liveRecord();
        const pedal::LiveSound live = pedal->liveSound();
        hub->PresetVolChange(live.volume == 37 ? 0.38 : 0.37);
        hub->TabCtrlDataChangeAction({live.ctrl[0], live.ctrl[1] + 1, live.ctrl[2], live.ctrl[3], live.ctrl[4], live.ctrl[5],
                                      live.ctrl[6], live.ctrl[7], live.ctrl[8], live.ctrl[9], live.ctrl[10]});
        hub->ExpDataChangeAction({live.exp[0], live.exp[1] + 1, live.exp[2], live.exp[3], live.exp[4], 200, 200}, 0, false);
        for (int step = 0; step < 3; ++step) buttons().undoButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(pedal->liveRecord() == sound, 3000);
    }

    void compareplaysTheStoredPresetAndGivesTheEditedSoundBack() {
        const int slot = window->rootViewController()->selectedCell();
        type(fx()->pTextFieldVale(0), QStringLiteral("42"));
        QTRY_COMPARE_WITH_TIMEOUT(pedal->block(Module::Fx)[2], 42u, 3000);
        const PresetRecord edited = pedal->liveRecord();
        const PresetRecord stored = pedal->record(slot);
        QVERIFY(edited != stored);
        const std::size_t loads = countOf(131);

        key(Qt::Key_B, Qt::ControlModifier);
        QTRY_COMPARE_WITH_TIMEOUT(countOf(131), loads + 1, 3000);
        QCOMPARE(last(131), Bytes(stored.begin(), stored.end()));
        QVERIFY(buttons().compareButton()->isChecked());
        QCOMPARE(fx()->block()[2], moduleValuesFromRecord(stored, Module::Fx)[2]);
        // Editing waits meanwhile.
        QVERIFY(!fx()->isEnabled());
        QVERIFY(!buttons().undoButton()->isEnabled());

        QTest::mouseClick(buttons().compareButton(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(countOf(131), loads + 2, 3000);
        QVERIFY(pedal->liveRecord() == edited);
        QCOMPARE(fx()->block()[2], 42u);
        QVERIFY(fx()->isEnabled());
        QVERIFY(buttons().undoButton()->isEnabled());
        QCOMPARE(editedMark(), QStringLiteral("*"));
    }

    void anotherPresetStartsAnEmptyHistoryAndEndsTheComparison() {
        QVERIFY(history().canUndo());
        pedal->selectPreset(7);
        QTRY_VERIFY_WITH_TIMEOUT(!history().canUndo(), 3000);
        type(fx()->pTextFieldVale(0), QStringLiteral("55"));
        QTRY_VERIFY_WITH_TIMEOUT(history().canUndo(), 3000);
        buttons().compareButton()->click();
        QVERIFY(buttons().compareButton()->isChecked());
        hub->ChangeCurrentPreset(4);
        QVERIFY(!history().canUndo());
        QVERIFY(!buttons().compareButton()->isChecked());
        QVERIFY(fx()->isEnabled());
    }

    // Numbered files written into their slots, one of them the slot that plays: that
    // file's record is the sound now, so undo has nothing of the sound before.
    void aFileWrittenIntoTheSlotPlayingStartsAnEmptyHistory() {
        constexpr int slot = 10;
        pedal->selectPreset(slot);
        QTRY_COMPARE_WITH_TIMEOUT(window->rootViewController()->selectedCell(), slot, 3000);
        type(fx()->pTextFieldVale(0), QStringLiteral("44"));
        QTRY_VERIFY_WITH_TIMEOUT(history().canUndo(), 3000);
        const int entries = int(PresetHistory().entries().size());
        QTemporaryDir files;
        QStringList paths;
        for (const int s : {slot, slot + 1}) {
            paths << files.filePath(QStringLiteral("P%1-TAKEN OVER.kiro").arg(s + 1));
            QVERIFY(YJPresetInOut::ExportPresetFilePath(paths.back(), pedal->record(7).data(), kRecordSize));
        }
        window->fileActions()->importFiles(paths);
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(recordName(pedal->record(slot + 1))), QStringLiteral("TAKEN OVER"), 5000);
        QVERIFY(!history().canUndo());
        // Both replaced presets are kept.
        QTRY_COMPARE_WITH_TIMEOUT(int(PresetHistory().entries().size()), entries + 2, 3000);
    }

    void aPresetSavedOverComesBackFromTheHistory() {
        constexpr int kClean = 4, kLast = 299;
        const PresetRecord clean = pedal->record(kClean), last = pedal->record(kLast);
        const int earlier = int(PresetHistory().entries().size());
        const auto saveOver = [&](int slot, int entries) {
            const PresetRecord before = pedal->record(slot);
            hub->SavePresetChange(slot, QStringLiteral("Stage Lead"));
            QTRY_VERIFY_WITH_TIMEOUT(pedal->record(slot) != before, 3000);
            QTRY_COMPARE_WITH_TIMEOUT(int(PresetHistory().entries().size()), earlier + entries, 3000);
        };
        // From the window, into a slot that only a load and a save reach...
        saveOver(kLast, 1);
        buttons().historyButton()->click();
        HistoryWindow* history = window->showHistory();
        QCOMPARE(history->entryList()->count(), earlier + 1);
        QVERIFY(history->entryList()->item(0)->text().contains(
            QStringLiteral("100C   %1 → STAGE LEAD   (save)").arg(QString::fromStdString(recordName(last)))));
        history->entryList()->setCurrentRow(0);
        history->putBackButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(pedal->record(kLast) == last, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(int(PresetHistory().entries().size()), earlier + 2, 3000);
        QCOMPARE(PresetHistory().entries().front().writer, QStringLiteral("put back"));

        // ...and with quorvex-cli, which lists the newest first.
        saveOver(kClean, 3);
        const QStringList listed = cli({QStringLiteral("history")}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(listed.size(), earlier + 3);
        const QStringList fields = listed.front().split(QLatin1Char('\t'));
        QCOMPARE(fields.mid(2), (QStringList{"002B", "CLEAN", "STAGE LEAD", "save"}));
        // The editor lets go of the pedal for quorvex-cli.
        hub->stopLink();
        QCOMPARE(cli({QStringLiteral("put-back"), fields[0], QStringLiteral("--bus"), editor.dir.filePath(QStringLiteral("bus"))}),
                 QStringLiteral("002B <- CLEAN\n"));
        QVERIFY(pedal->record(kClean) == clean);
        QCOMPARE(int(PresetHistory().entries().size()), earlier + 4);
    }
};

QTEST_MAIN(TestUndoAndCompare)
#include "test_undo_and_compare.moc"
