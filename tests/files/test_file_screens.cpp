// The slot chooser, and Import, Export and Backup in the editor against a virtual pedal.
#include "../support/editor_with_pedal.h"
#include "backup_window_controller.h"
#include "library_model.h"
#include "library_tab.h"
#include "preset_browser.h"
#include "preset_drag_model.h"
#include "search_field.h"
#include "slot_write_flow.h"
#include "file_chooser.h"
#include "multiple_select_window_controller.h"
#include "preset_file_actions.h"
#include "preset_file_names.h"
#include "root_view_controller.h"
#include "tv_backup.h"
#include "yj_preset_file.h"

#include <QDir>
#include <QFile>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvex;
using namespace std::chrono_literals;

namespace {

// Answers the file dialogs with the paths a test sets, and remembers what was proposed.
class FakeChooser : public FileChooser {
public:
    QString saveFile(QWidget*, const QString& proposedName, const QString&) override {
        proposed = proposedName;
        return savePath;
    }
    QString folder(QWidget*) override { return folderPath; }
    QStringList openFiles(QWidget*, const QString&, bool) override { return openPaths; }
    bool confirmReplace(QWidget*, const QStringList& paths) override {
        asked << paths;
        return replace;
    }

    QString proposed, savePath, folderPath;
    QStringList openPaths, asked;
    bool replace = false;
};

}  // namespace

class FileScreensTest : public QObject {
    Q_OBJECT
private slots:
    void chooserRowsSelectionAndSheets();
    void dialogsStartInTheFolderLastUsed();
    void editorFilesAgainstTheVirtualPedal();
    void librarianAgainstTheVirtualPedal();
};

void FileScreensTest::chooserRowsSelectionAndSheets() {
    FakeChooser files;
    MultipleSelectWindowController chooser(files);
    QStringList names;
    for (int i = 0; i < 300; ++i) names << QString::fromStdString(presetDisplayText(i, "TONE " + std::to_string(i)));
    chooser.setName(names);
    chooser.setIndex(4);
    QListWidget* table = chooser.MultipleSelectTableV();
    QCOMPARE(table->selectedItems().size(), 1);

    // One row: a file named after the preset; a dismissed sheet leaves the chooser open.
    chooser.show();
    chooser.ExportData();
    QCOMPARE(files.proposed, QString("TONE 4.kiro"));
    QVERIFY(chooser.isVisible());
    QVERIFY(chooser.isClickCancel());

    QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&chooser, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(table->selectedItems().size(), 300);
    files.folderPath = "/tmp/presets";
    chooser.ExportData();
    QVERIFY(!chooser.isClickCancel());
    QCOMPARE(chooser.path(), QString("/tmp/presets"));
    QCOMPARE(chooser.arr().size(), 300);
}

void FileScreensTest::dialogsStartInTheFolderLastUsed() {
    QTemporaryDir used;
    DialogFileChooser::rememberFolder(used.path());
    QCOMPARE(DialogFileChooser::startFolder(), used.path());
    const QString gone = used.path();
    used.remove();
    QVERIFY(DialogFileChooser::startFolder() != gone);
    QVERIFY(QFileInfo(DialogFileChooser::startFolder()).isDir());
}

void FileScreensTest::editorFilesAgainstTheVirtualPedal() {
    QTemporaryDir dir;
    testing::EditorWithPedal editor;
    LinkOptions link;
    link.tick = 1ms;
    QVERIFY(editor.start({}, link));
    pedal::VirtualPedal& pedal = *editor.pedal;
    AppDelegate& hub = *editor.hub;
    EditorWindow& window = *editor.window;
    QTRY_VERIFY_WITH_TIMEOUT(!hub.GetIsChangeGuiData(), 3000);

    PresetFileActions& actions = *window.fileActions();
    auto files = std::make_shared<FakeChooser>();
    actions.setFileChooser(files);
    actions.setPollInterval(1ms);
    QStringList alerts;
    actions.setAlert([&alerts](QWidget*, QMessageBox::Icon, const QString& text) { alerts << text; });
    std::function<void(QDialog&)> answer;
    actions.setDialogRunner([&answer](QDialog& dialog) { answer(dialog); });
    const auto exportRows = [&](std::vector<int> rows) {
        answer = [rows](QDialog& dialog) {
            auto& chooser = static_cast<MultipleSelectWindowController&>(dialog);
            chooser.setIndex(rows[0]);
            for (const int row : rows) chooser.MultipleSelectTableV()->item(row)->setSelected(true);
            chooser.ExportData();
        };
        window.rootViewController()->exportButton()->click();
    };

    // Export is written before it is told; a path that cannot be written is told instead,
    // with the reason. A name typed without its extension: the file written is asked about.
    files->savePath = dir.filePath("clean.kiro");
    exportRows({4});
    QCOMPARE(alerts.value(0), QString("export PRESET successful!"));
    files->savePath = dir.filePath("missing/folder/x.kiro");
    exportRows({4});
    QVERIFY2(alerts.value(1).contains("missing/folder/x.kiro\" could not be written: No such file"), qPrintable(alerts.value(1)));
    files->savePath = dir.filePath("clean");
    exportRows({5});
    QCOMPARE(files->asked, QStringList{dir.filePath("clean.kiro")});
    QCOMPARE(alerts.size(), 2);

    // Several slots into a folder: names a USB stick's FAT or exFAT takes there, the
    // list's names elsewhere; files already there are asked about.
    for (const auto& [folder, fileSystem, name] :
         {std::tuple{"stick", "vfat", "002B_CLEAN.kiro"}, std::tuple{"disk", "ext4", "002B:CLEAN.kiro"}}) {
        QVERIFY(QDir(dir.path()).mkpath(folder));
        files->folderPath = dir.filePath(folder);
        actions.setFileSystemProbe([type = QByteArray(fileSystem)](const QString&) { return type; });
        exportRows({4, 5});
        QVERIFY(QFile::exists(files->folderPath + "/" + name));
    }
    exportRows({4, 5});
    QCOMPARE(files->asked.size(), 3);
    QCOMPARE(alerts.size(), 4);

    // One file: the pedal's current sound under the file's name, marked as edited.
    QVERIFY(QFile::copy(dir.filePath("clean.kiro"), dir.filePath("My-Tone 1.kiro")));
    files->openPaths = {dir.filePath("My-Tone 1.kiro")};
    window.rootViewController()->importButton()->click();
    QTRY_VERIFY(pedal.liveRecord()[record::kName] == 'T');
    QCOMPARE(recordName(pedal.liveRecord()), std::string("TONE 1"));
    QVERIFY(hub.GetIsChangeGuiData());
    QTRY_COMPARE(alerts.value(4), QString("import PRESET successful!"));

    // Several: each into its slot; the editor keeps the record the pedal received.
    QVERIFY(QFile::copy(dir.filePath("clean.kiro"), dir.filePath("P12-Abc-Def.kiro")));
    QVERIFY(QFile::copy(dir.filePath("clean.kiro"), dir.filePath("P13-X.kiro")));
    files->openPaths = {dir.filePath("P12-Abc-Def.kiro"), dir.filePath("P13-X.kiro")};
    QSignalSpy imported(&actions, &PresetFileActions::importEnded);
    window.rootViewController()->importButton()->click();
    QVERIFY(imported.wait(15000));
    QCOMPARE(alerts.size(), 5);
    QCOMPARE(recordName(pedal.record(11)), std::string("ABCDEF"));
    QCOMPARE(hub.HidDevece()->presets().record(11), pedal.record(11));
    QCOMPARE(hub.HidDevece()->presets().record(12), pedal.record(12));

    // Backup from the dialog; a damaged file is refused before anything is sent.
    files->savePath = dir.filePath("XB420BackupFile.tbf");
    answer = [](QDialog& dialog) {
        auto& backup = static_cast<BackupWindowController&>(dialog);
        QSignalSpy ended(&backup, &BackupWindowController::transferEnded);
        backup.backupButton();
        QVERIFY(backup.transfer() != nullptr);
        QVERIFY(!backup.backupButtonWidget()->isEnabled());
        QVERIFY(ended.wait(30000));
    };
    window.rootViewController()->backupButton()->click();
    QCOMPARE(alerts.size(), 5);
    Tv_Backup written = Tv_Backup::forThisPedal();
    QCOMPARE(written.readFile(files->savePath), Tv_Backup::Check::Valid);

    QFile cut(files->savePath);
    QVERIFY(cut.resize(40000));
    files->openPaths = {files->savePath};
    answer = [](QDialog& dialog) { static_cast<BackupWindowController&>(dialog).recallButton(); };
    window.rootViewController()->backupButton()->click();
    QVERIFY(alerts.value(5).contains("cannot be restored"));
    for (const auto& f : pedal.receivedFrames()) QVERIFY(f.command != 171);

    // Named without its extension, a backup asks before replacing the file it would write.
    files->savePath = dir.filePath("XB420BackupFile");
    answer = [](QDialog& dialog) { static_cast<BackupWindowController&>(dialog).backupButton(); };
    window.rootViewController()->backupButton()->click();
    QCOMPARE(files->asked.last(), files->openPaths[0]);
    QCOMPARE(QFileInfo(files->openPaths[0]).size(), 40000);
    files->savePath = files->openPaths[0];

    // A restore that the pedal confirms block by block ends the editor.
    Tv_Backup system = Tv_Backup::forThisPedal();
    system.setDataHeadForDataName("XB420_SYSTEM", 3, 10, 1, 226, 1, 226, 1);
    const std::array<std::uint8_t, 15> settings = {9, 0, 1, 50, 33, 1, 1, 0, 3, 1, 7, 7, 7, 7, 7};
    system.addData(settings.data(), settings.size(), 1);
    QVERIFY(system.exportBackupFileForPath(files->savePath));
    bool quit = false;
    answer = [&quit](QDialog& dialog) {
        auto& backup = static_cast<BackupWindowController&>(dialog);
        backup.setQuit([&quit] { quit = true; });
        QSignalSpy ended(&backup, &BackupWindowController::transferEnded);
        backup.recallButton();
        QVERIFY(ended.wait(10000));
    };
    window.rootViewController()->backupButton()->click();
    QCOMPARE(alerts.value(6), QString("Recall Success!"));
    QVERIFY(quit);
    QCOMPARE(pedal.settings().system[4], 33);
}

// The searchable list and the library folder: filters as typed, drags that move, copy
// (also above slot 255), write and export, each checked in the pedal's own slots.
void FileScreensTest::librarianAgainstTheVirtualPedal() {
    QTemporaryDir dir;
    testing::EditorWithPedal editor;
    LinkOptions link;
    link.tick = 1ms;
    QVERIFY(editor.start({}, link));
    pedal::VirtualPedal& pedal = *editor.pedal;
    RootViewController& root = *editor.window->rootViewController();
    PresetBrowser& browser = *editor.window->presetBrowser();
    QAbstractItemModel& rows = *browser.presetList()->model();
    SlotWriteFlow& writes = *browser.writes();
    writes.setPollInterval(1ms);
    QStringList alerts;
    writes.setAlert([&alerts](QWidget*, QMessageBox::Icon, const QString& text) { alerts << text; });
    const auto entry = [&rows](int row) { return rows.index(row, 0).data().toString(); };

    QTest::keyClicks(browser.searchField(), "clea");
    QVERIFY(rows.rowCount() > 0 && rows.rowCount() < 300);
    for (int row = 0; row < rows.rowCount(); ++row) QVERIFY2(entry(row).contains("CLEA"), qPrintable(entry(row)));
    QTest::keyClick(browser.searchField(), Qt::Key_Escape);
    QTest::keyClicks(browser.searchField(), "002b");
    QCOMPARE(rows.rowCount(), 1);
    QTest::mouseClick(browser.presetList()->viewport(), Qt::LeftButton, {},
                      browser.presetList()->visualRect(rows.index(0, 0)).center());
    QTRY_COMPARE(root.selectedCell(), 4);
    QTest::keyClick(browser.searchField(), Qt::Key_Escape);
    QCOMPARE(rows.rowCount(), 300);

    PresetDragModel& model = *browser.presetModel();
    QSignalSpy finished(&writes, &SlotWriteFlow::finished);
    const auto drop = [&](QMimeData* data, Qt::DropAction action, int to) {
        model.dropMimeData(data, action, -1, 0, model.index(to, 0));
        delete data;
        QVERIFY(finished.wait(15000));
    };
    std::vector<PresetRecord> before;
    for (int slot = 0; slot < 300; ++slot) before.push_back(pedal.record(slot));
    drop(model.mimeData({model.index(0, 0)}), Qt::MoveAction, 3);
    QCOMPARE(pedal.record(0), before[1]);
    QCOMPARE(pedal.record(2), before[3]);
    QCOMPARE(pedal.record(3), before[0]);
    QCOMPARE(pedal.record(4), before[4]);
    QCOMPARE(entry(3), QString::fromStdString(presetDisplayText(3, recordName(before[0]))));
    const PresetRecord playing = pedal.liveRecord();
    drop(model.mimeData({model.index(4, 0)}), Qt::CopyAction, 299);
    QCOMPARE(pedal.record(299), before[4]);
    QCOMPARE(pedal.liveRecord(), playing);
    QCOMPARE(pedal.record(43), before[43]);
    QCOMPARE(entry(299), QString::fromStdString(presetDisplayText(299, recordName(before[4]))));
    QCOMPARE(entry(43), QString::fromStdString(presetDisplayText(43, recordName(before[43]))));
    QCOMPARE(editor.hub->HidDevece()->presets().record(299), before[4]);

    // The library: a row dropped in is exported, a file dropped on a row is written there.
    LibraryTab& library = *browser.library();
    library.setAlert([&alerts](QWidget*, QMessageBox::Icon, const QString& text) { alerts << text; });
    library.setFolder(dir.filePath("library"));
    const std::unique_ptr<QMimeData> row(model.mimeData({model.index(4, 0)}));
    library.files()->dropMimeData(row.get(), Qt::CopyAction, -1, 0, {});
    library.files()->dropMimeData(row.get(), Qt::CopyAction, -1, 0, {});
    QCOMPARE(library.files()->stringList(), (QStringList{"CLEAN (2).kiro", "CLEAN.kiro"}));
    QTest::keyClicks(library.searchField(), "(2");
    QCOMPARE(library.fileList()->model()->rowCount(), 1);
    drop(library.fileList()->model()->mimeData({library.fileList()->model()->index(0, 0)}), Qt::CopyAction, 7);
    QCOMPARE(recordName(pedal.record(7)), std::string("CLEAN 2"));
    QVERIFY(alerts.isEmpty());
}

QTEST_MAIN(FileScreensTest)
#include "test_file_screens.moc"
