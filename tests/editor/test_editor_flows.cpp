// The editor's screens, hub and link against a virtual pedal, as a guitarist uses them.
#include "../support/editor_with_pedal.h"
#include "../support/received_frames.h"
#include "down_menu_view.h"
#include "fx_mode_controller.h"
#include "preset_list_model.h"
#include "root_view_controller.h"
#include "yj_text_field.h"

#include <QListView>
#include <QtTest>

using namespace quorvex;
using namespace std::chrono_literals;

class TestEditorFlows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::EditorWithPedal> editor;
    pedal::VirtualPedal* pedal = nullptr;
    AppDelegate* hub = nullptr;
    EditorWindow* window = nullptr;

    std::size_t countOf(std::uint8_t command) const { return testing::countOf(*pedal, command); }
    std::vector<std::uint8_t> last(std::uint8_t command) const { return testing::lastPayload(*pedal, command); }
    QString editedMark(int row) const {
        const QModelIndex index = window->rootViewController()->tableView()->model()->index(row, 0);
        return index.data(PresetListModel::EditedMarkRole).toString();
    }
    ModulePanel* fx() const { return window->panel(Module::Fx); }

private slots:
    void init() {
        editor = std::make_unique<testing::EditorWithPedal>();
        QVERIFY(editor->start());
        pedal = editor->pedal.get();
        hub = editor->hub.get();
        window = editor->window.get();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The pedal names its current preset last; after it the loaded preset reads as
        // unedited.
        QTRY_VERIFY_WITH_TIMEOUT(!hub->GetIsChangeGuiData(), 3000);
    }
    void cleanup() { editor.reset(); }

    void loadedPresetsAndCurrentSoundAreShown() {
        QCOMPARE(window->rootViewController()->presetNameArr().at(4), QStringLiteral("002B:CLEAN"));
        const auto live = pedal->block(Module::Fx);
        QCOMPARE(fx()->block()[1], live[1]);
        QCOMPARE(fx()->pTextFieldVale(0)->text(), QString::number(live[2]));
        QCOMPARE(window->windowTitle(), QStringLiteral("QUORVEX III"));
    }

    void pickingASlotSends166AndShowsItsRecord() {
        QVERIFY(!hub->GetIsChangeGuiData());  // else the pick would ask to save first
        QVERIFY(window->rootViewController()->tableViewShouldSelectRow(4));
        QVERIFY(pedal->waitForCommand(166, 3000ms));
        QCOMPARE(last(166), (std::vector<std::uint8_t>{4, 0}));
        const auto stored = moduleValuesFromRecord(pedal->record(4), Module::Fx);
        QCOMPARE(fx()->block()[1], stored[1]);
        QCOMPARE(fx()->block()[5], stored[5]);
        QCOMPARE(window->rootViewController()->presetNameHY()->text(), QStringLiteral("002B:CLEAN"));
        QTRY_COMPARE(pedal->currentPreset(), 4);
    }
};

QTEST_MAIN(TestEditorFlows)
#include "test_editor_flows.moc"
