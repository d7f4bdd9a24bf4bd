// The hub's routing in both directions, with fake screens and a link that has no pedal.
#include "app_delegate.h"
#include "virtual_bus_backend.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace quorvex;

namespace {

struct FakePanel : ModulePanelPort {
    std::vector<std::uint32_t> para = std::vector<std::uint32_t>(6, 0);
    std::vector<std::vector<std::uint32_t>> shown;
    std::vector<std::uint32_t> onOff;
    void changedModeValue(const std::vector<std::uint32_t>& v) override { shown.push_back(v); }
    void ModeOnOffChange(std::uint32_t s) override { onOff.push_back(s); }
    std::vector<std::uint32_t> block() const override { return para; }
};

struct FakeList : PresetListPort {
    QStringList entries;
    std::map<int, QString> entryUpdates;
    std::vector<int> selects;
    int reloads = 0;
    std::array<std::uint32_t, 18> chain{};
    std::map<int, int> status;
    int moduleSelected = -1;
    int volume = -1;
    int expVol = 0;
    std::array<int, 4> expStatus{-1, -1, -1, -1};
    std::pair<bool, bool> merge{false, false};
    std::pair<bool, bool> cab{false, false};
    int globalPanelsRemoved = 0;
    void UpdataPresetListName(const QStringList& e) override { entries = e; }
    void UpdataPresetListIndex(int slot, const QString& entry) override { entryUpdates[slot] = entry; }
    void UpdataCurrentPresetSelect(int slot) override { selects.push_back(slot); }
    int selectedCell() const override { return selects.empty() ? 0 : selects.back(); }
    void reloadData() override { ++reloads; }
    void changedModeValue(const std::array<std::uint32_t, 18>& c) override { chain = c; }
    void changedModeStatus(int module, std::int8_t s) override { status[module] = s; }
    void setFiveModeCurrentSelect(int module) override { moduleSelected = module; }
    void setPresetVolume(int v) override { volume = v; }
    void UpdataExpVol(std::int8_t v) override { expVol = v; }
    void UpdataExpStatus(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d) override {
        expStatus = {a, b, c, d};
    }
    void PresetUpdataExpStatus(bool a, bool b) override { merge = {a, b}; }
    std::array<bool, 2> isExpControlMerge() const override { return {merge.first, merge.second}; }
    void UpdataCabStatus(bool l, bool r) override { cab = {l, r}; }
    void removeGlobalPanels() override { ++globalPanelsRemoved; }
};

}  // namespace

class TestAppDelegate : public QObject {
    Q_OBJECT

private slots:
    void init() {
        bus_ = std::make_unique<QTemporaryDir>();
        hub_ = std::make_unique<AppDelegate>();
        panel_ = FakePanel{};
        list_ = FakeList{};
        hub_->setModulePanel(Module::Fx, &panel_);
        hub_->setPresetList(&list_);
        LinkOptions options;
        options.startDelay = std::chrono::milliseconds(0);
        hub_->startLink(std::make_unique<VirtualBusBackend>(bus_->path().toStdString()), options);
    }
    void cleanup() {
        hub_.reset();
        bus_.reset();
    }

    void pedalEventsReachTheScreensOnTheMainThread() {
        hub_->postEvent(EventCode::FxModeUpdateData, {0, 3, 1, 2, 3, 4});
        QVERIFY(panel_.shown.empty());  // nothing happens before the event loop turns
        QTRY_COMPARE(panel_.shown.size(), std::size_t(1));
        QCOMPARE(panel_.shown[0][1], 3u);
        QCOMPARE(list_.status[0], 0);
        QVERIFY2(panel_.onOff.empty(), "a report is not an edit");

        hub_->postEvent(EventCode::PresetVolUpdateData, {73});
        hub_->postEvent(EventCode::SystemUpdateData, {0, 0, 0, 0, 0, 1, 0, 0, 0, 0});
        hub_->postEvent(EventCode::ExpModeUpdateData, {0xF6, 2, 3, 9, 1, 0, 0});
        hub_->postEvent(EventCode::MergeStatusUpdateData, {0, 0xFF});
        hub_->postEvent(EventCode::GLBI_EQ_ReveiveDataUpdateData, {1, 2, 3, 4, 5, 6, 7, 8, 9});
        QTRY_VERIFY(list_.merge.second);
        QCOMPARE(list_.volume, 73);
        QVERIFY2(list_.cab == std::make_pair(true, false), "the global EQ report left the CAB switches");
        QCOMPARE(list_.expVol, -10);
        QVERIFY(list_.expStatus == (std::array<int, 4>{2, 3, 9, 1}));
        QVERIFY(!list_.merge.first);
    }

    void presetSwitchShowsTheStoredRecordAndSends166() {
        PresetRecord rec{};
        rec[28] = 5;   // FX model
        rec[29] = 1;   // FX on
        rec[30] = 42;  // FX parameter 1
        rec[record::kPresetVolume] = 64;
        std::memcpy(rec.data() + record::kName, "CRUNCH", 6);
        hub_->HidDevece()->presets().storeRecord(256, rec.data(), true);

        hub_->ChangeCurrentPreset(256);
        QCOMPARE(panel_.shown.size(), std::size_t(1));
        QVERIFY(panel_.shown[0] == (std::vector<std::uint32_t>{1, 5, 42, 0, 0, 0}));
        QCOMPARE(list_.volume, 64);
        hub_->HidDevece()->withLinkLock([](ParameterBlocks& b, CommandEncoder& enc) {
            QVERIFY(enc.dirty(166));
            QCOMPARE(b.CURRENT_Preset[0], 0u);
            QCOMPARE(b.CURRENT_Preset[1], 1u);
            QCOMPARE(b.UICMD_Block[0], 0u);
        });

        // The pedal switching presets does the same from its side, and sends nothing.
        panel_.shown.clear();
        hub_->SetIsChangeGuiData(true);
        hub_->postEvent(EventCode::PresetNowChangeUpdateData, {0, 1});
        QTRY_COMPARE(panel_.shown.size(), std::size_t(1));
        QVERIFY(list_.selects == (std::vector<int>{256, 256}));
        QCOMPARE(list_.entryUpdates[256], QStringLiteral("086B:CRUNCH"));

        // A record the pedal sent back later under a new name (command 169 leaves the
        // name table alone): the entry follows the record.
        std::memcpy(rec.data() + record::kName, "LEAD\0\0", 6);
        hub_->HidDevece()->presets().storeRecord(256, rec.data(), false);
        hub_->postEvent(EventCode::PresetNowChangeUpdateData, {0, 1});
        QTRY_COMPARE(list_.entryUpdates[256], QStringLiteral("086B:LEAD"));
        hub_->postEvent(EventCode::PresetNowChangeUpdateData, {44, 1});  // slot 300: ignored
        QTest::qWait(20);
        QCOMPARE(list_.selects.size(), std::size_t(4));
    }

    void savingNamesTheSlotSends168AndTheConfirmationStoresTheSound() {
        panel_.para = {1, 7, 10, 20, 30, 40};
        hub_->ModuleDataChangeAction(Module::Fx);
        hub_->SavePresetChange(260, QStringLiteral("rock!"));
        DeviceThread& link = *hub_->HidDevece();
        QCOMPARE(recordName(link.presets().record(260)), std::string("ROCK"));
        QCOMPARE(list_.entryUpdates[260], QStringLiteral("087C:ROCK"));
        link.withLinkLock([](ParameterBlocks& b, CommandEncoder& enc) {
            const std::array<std::uint32_t, 7> sent{4, 1, 'R', 'O', 'C', 'K', 0};
            QVERIFY(enc.dirty(168) && std::equal(sent.begin(), sent.end(), b.SAVE_Block.begin()));
        });
        // The confirmation carries slot 260 as its low byte, 4, and names the entry from
        // the pedal's bytes; the slot then holds the sound saved.
        list_.entryUpdates.clear();
        std::vector<std::uint32_t> confirm = {4, 'L', 'E', 'A', 'D'};
        confirm.resize(16, 0);
        hub_->postEvent(EventCode::SAVEDATA_ReveiveDataUpdateData, confirm);
        QTRY_COMPARE(list_.entryUpdates[260], QStringLiteral("087C:LEAD"));
        QVERIFY2(!list_.entryUpdates.count(4), "slot 4 is not the one saved");
        QVERIFY(link.presets().arrived(260));
        QCOMPARE(link.presets().name(260), std::string("LEAD"));
        QCOMPARE(moduleValuesFromRecord(link.presets().record(260), Module::Fx)[5], 40u);
        QVERIFY2(panel_.shown.empty(), "no current record received yet, nothing to show again");

        // Once confirmed the save is done: a second confirmation is taken as sent.
        hub_->postEvent(EventCode::SAVEDATA_ReveiveDataUpdateData, confirm);
        QTRY_COMPARE(list_.entryUpdates[4], QStringLiteral("002B:LEAD"));
    }

    void volumeChainAndOnOffFromScreens() {
        hub_->PresetVolChange(0.999);
        QCOMPARE(list_.volume, 99);
        hub_->NineModeOnOffDataChange(0, 0);
        QVERIFY(panel_.onOff == std::vector<std::uint32_t>{0});
        hub_->NineModeOnOffDataChange(9, 1);  // no such module
        QCOMPARE(panel_.onOff.size(), std::size_t(1));
        hub_->HidDevece()->withLinkLock([](ParameterBlocks& b, CommandEncoder& enc) {
            QVERIFY(enc.dirty(162));
            QCOMPARE(b.PRESET_VOL_Value, 99u);
        });
    }

private:
    std::unique_ptr<QTemporaryDir> bus_;
    std::unique_ptr<AppDelegate> hub_;
    FakePanel panel_;
    FakeList list_;
};

QTEST_GUILESS_MAIN(TestAppDelegate)
#include "test_app_delegate.moc"
