// The fault matrix of the editor: the save, the numbered import and the backup from the
// editor's own screens, against a pedal that unplugs, does not acknowledge or confirms a
// save without sending the stored preset back. Each row names the alerts
// shown (in order), whether the editor ends with the disconnect alert, and what the
// pedal and the guitarist's file hold afterwards.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "backup_blocks.h"
#include "backup_window_controller.h"
#include "file_chooser.h"
#include "module_panel.h"
#include "multiple_select_window_controller.h"
#include "preset_file_actions.h"
#include "preset_file_names.h"
#include "root_view_controller.h"
#include "whole_pedal_transfers.h"
#include "yj_preset_file.h"
#include "yj_text_field.h"

#include <QDir>
#include <QPushButton>
#include <QtTest>

using namespace quorvex;
using namespace std::chrono_literals;

namespace {

enum Transfer { Save, PresetWrite, Backup };
enum Fault { None, UnplugEarly, UnplugEnd, NoAcks, NoEcho };

class FixedChooser : public FileChooser {
public:
    QString saveFile(QWidget*, const QString&, const QString&) override { return savePath; }
    QString folder(QWidget*) override { return {}; }
    QStringList openFiles(QWidget*, const QString&, bool) override { return openPaths; }
    QString savePath;
    QStringList openPaths;
};

constexpr int kSaveSlot = 20, kBatchSlot = 10;
const QByteArray kUserFile = "the guitarist's own backup\n";

}  // namespace

class TestEditorFaults : public QObject {
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
};

void TestEditorFaults::rows_data() {
    QTest::addColumn<int>("transfer");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QStringList>("alerts");
    QTest::addColumn<bool>("disconnected");
    const QString backupAt = QStringLiteral("user amp 1, block 1 (step 1 of 91)");
    QTest::newRow("save, confirmed with the stored preset") << int(Save) << int(None) << QStringList{} << false;
    QTest::newRow("save, unplugged") << int(Save) << int(UnplugEarly) << QStringList{} << true;
    QTest::newRow("save, unconfirmed") << int(Save) << int(NoAcks) << QStringList{} << false;
    QTest::newRow("save, confirmed without the stored preset") << int(Save) << int(NoEcho) << QStringList{} << false;
    QTest::newRow("numbered, unplugged at the end")
        << int(PresetWrite) << int(UnplugEnd)
        << QStringList{"The pedal was disconnected while importing P13-MOVED 2.kiro into 005A. The files before it were imported; "
                       "the rest were not."}
        << true;
    QTest::newRow("numbered, unconfirmed")
        << int(PresetWrite) << int(NoAcks)
        << QStringList{"The pedal did not confirm P11-MOVED 0.kiro into 004B. The files before it were imported; the rest were not."}
        << false;
    QTest::newRow("backup, unplugged early")
        << int(Backup) << int(UnplugEarly)
        << QStringList{QStringLiteral("The pedal was disconnected during the backup, at %1. No file was written.").arg(backupAt)}
        << true;
    QTest::newRow("backup, unanswered")
        << int(Backup) << int(NoAcks)
        << QStringList{QStringLiteral("The pedal stopped answering during the backup, at %1. No file was written.").arg(backupAt)}
        << false;
}

void TestEditorFaults::rows() {
    QFETCH(int, transfer);
    QFETCH(int, fault);
    QFETCH(QStringList, alerts);
    QFETCH(bool, disconnected);
    constexpr int commands[] = {168, 229, 170};
    const int frames[] = {1, 3, int(backupRequests().size())};  // of that command in the transfer
    pedal::PedalOptions options;
    options.faultsFromCommand = commands[transfer];
    options.noAcks = fault == NoAcks;
    options.echoSaves = fault != NoEcho;
    if (fault == UnplugEarly || fault == UnplugEnd) {
        options.unplugOnCommand = commands[transfer];
        options.unplugOnOccurrence = fault == UnplugEarly ? 1 : frames[transfer];
    }
    testing::EditorWithPedal editor;
    LinkOptions fastTick;
    fastTick.tick = 1ms;
    QVERIFY(editor.start(options, fastTick));
    pedal::VirtualPedal& pedal = *editor.pedal;
    AppDelegate& hub = *editor.hub;
    QSignalSpy fatal(&hub, &AppDelegate::fatalAlert);
    PresetFileActions& actions = *editor.window->fileActions();
    QTemporaryDir dir;
    auto files = std::make_shared<FixedChooser>();
    actions.setFileChooser(files);
    actions.setPollInterval(1ms);
    QStringList shown;
    actions.setAlert([&shown](QWidget*, QMessageBox::Icon, const QString& text) { shown << text; });
    const auto factory = pedal::VirtualPedal::factoryPresets();
    const auto exportFile = [&](const QString& name, int slot) {
        files->openPaths << dir.filePath(name);
        QVERIFY(YJPresetInOut::ExportPresetFilePath(files->openPaths.back(), factory[slot].data(), kRecordSize));
    };
    files->savePath = dir.filePath("pedal.tbf");
    QFile user(files->savePath);
    QVERIFY(user.open(QIODevice::WriteOnly) && user.write(kUserFile) == kUserFile.size());
    user.close();

    switch (transfer) {
    case Save: {
        // The sound saved is the current preset with edits of its own.
        ui::YJTextField* field = editor.window->panel(Module::Fx)->pTextFieldVale(0);
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("50\r"));
        hub.PresetVolChange(0.37);
        hub.EffectChainChangeAction({8, 7, 6, 5, 4, 3, 2, 1, 0}, {1, 1, 1, 1, 1, 1, 1, 1, 1});
        QTRY_VERIFY(pedal.liveRecord()[record::kPresetVolume] == 37 && pedal.block(Module::Fx)[2] == 50);
        hub.SavePresetChange(kSaveSlot, QStringLiteral("Stage Lead"));
        QTRY_VERIFY_WITH_TIMEOUT(testing::countOf(pedal, 168) > 0 || !pedal.pluggedIn(), 5000);
        QTest::qWait(300);  // time for the confirmation
        break;
    }
    case PresetWrite: {
        for (int i = 0; i < 3; ++i) exportFile(QStringLiteral("P%1-MOVED %2.kiro").arg(kBatchSlot + 1 + i).arg(i), 150 + i);
        QSignalSpy ended(&actions, &PresetFileActions::importEnded);
        editor.window->rootViewController()->importButton()->click();
        QVERIFY(ended.wait(20000));
        break;
    }
    case Backup:
        actions.setDialogRunner([](QDialog& dialog) {
            auto& backup = static_cast<BackupWindowController&>(dialog);
            QSignalSpy ended(&backup, &BackupWindowController::transferEnded);
            backup.backupButton();
            QVERIFY(ended.wait(30000));
        });
        editor.window->rootViewController()->backupButton()->click();
        break;
    }
    QCOMPARE(shown, alerts);
    QTRY_COMPARE_WITH_TIMEOUT(fatal.size(), disconnected ? 1 : 0, 5000);
    if (disconnected) QCOMPARE(fatal[0][0].toString(), QString(kDisconnectMessage));
    // The guitarist's file at the backup's place and nothing beside the inputs.
    QVERIFY(user.open(QIODevice::ReadOnly));
    QCOMPARE(user.readAll(), kUserFile);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), files->openPaths.size() + 1);

    if (transfer == Save) {
        // A save reaches the pedal unless it was unplugged; the list shows the name anyway,
        // as the editor wrote it before sending.
        QCOMPARE(recordName(pedal.record(kSaveSlot)), std::string(disconnected ? recordName(factory[kSaveSlot]) : "STAGE LEAD"));
        QCOMPARE(editor.window->rootViewController()->presetNameArr().at(kSaveSlot), QStringLiteral("007C:STAGE LEAD"));
        // A save the pedal did not confirm is neither exported nor backed up from the old
        // copy; a confirmed one is, with the sound saved, whether or not the pedal sent
        // the stored preset back.
        const bool confirmed = !disconnected && fault != NoAcks;
        DeviceThread& link = *hub.HidDevece();
        QCOMPARE(missingBackupPresets(link), confirmed ? std::vector<int>{} : std::vector<int>{kSaveSlot});
        if (disconnected) return;
        QCOMPARE(moduleValuesFromRecord(pedal.record(kSaveSlot), Module::Fx)[2], 50u);
        files->savePath = dir.filePath("saved.kiro");
        actions.setDialogRunner([](QDialog& dialog) {
            auto& chooser = static_cast<MultipleSelectWindowController&>(dialog);
            chooser.setIndex(kSaveSlot);
            chooser.ExportData();
        });
        hub.SetIsChangeGuiData(false);  // as the save window does
        actions.ExportButtonClick();
        YJPresetFile exported;
        std::int32_t error = 0;
        PresetRecord record{};
        QCOMPARE(exported.ReadFileToPresetPath(files->savePath, error) && exported.ReadPresetBufferPresetData(record.data(), kRecordSize), confirmed);
        QVERIFY(confirmed ? record == pedal.record(kSaveSlot) : shown.last().startsWith("Exporting is not possible"));
    }
}

QTEST_MAIN(TestEditorFaults)
#include "test_editor_faults.moc"
