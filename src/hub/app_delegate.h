#pragma once
#include "current_sound.h"
#include "device_thread.h"
#include "link_events.h"
#include "parameter_blocks.h"
#include "preset_record.h"
#include "screen_ports.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace quorvex {

// The editor's hub: the one object that talks to both the screens and the link.
// Screen edits arrive as calls on the main thread and go to the encoder; pedal events
// arrive from the link threads, are moved to the main thread and go to the screens.
class AppDelegate : public QObject, public LinkEvents, public PresetHubPort {
    Q_OBJECT
public:
    using EventHandler = std::function<void(const std::vector<std::uint32_t>&)>;

    explicit AppDelegate(QObject* parent = nullptr);
    ~AppDelegate() override;

    // Screens plug in here; a screen of a later kind registers its own event rows.
    void setModulePanel(Module module, ModulePanelPort* panel);
    void setPresetList(PresetListPort* list);
    void route(EventCode code, EventHandler handler);

    // Watches the application's key presses: the space bar taps the tempo wherever the
    // focus is, except in a text entry, and goes no further. Other keys reach their widget.
    void installKeyHook(QObject* application);

    // Starts the link on a backend (the real pedal or the virtual bus).
    void startLink(std::unique_ptr<HidBackend> backend, LinkOptions options = {});
    void stopLink();
    DeviceThread* HidDevece() { return link_.get(); }
    // Whether a pedal is connected, as last told on the main thread.
    bool isPedalConnected() const { return pedalConnected_; }

    // Screen to pedal.
    void ModuleDataChangeAction(Module module);
    void PresetVolChange(double value) override;
    void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b) override;
    void ChangeCurrentPreset(int slot) override;
    void SavePresetChange(int slot, const QString& name) override;
    void NineModeOnOffDataChange(int module, std::uint8_t status);
    // The chain editor moved a module: the module at each position (0..8) and each
    // position's on state (1 on) go out as command 160.
    void EffectChainChangeAction(const std::array<std::uint32_t, 9>& order, const std::array<std::uint8_t, 9>& onOff);
    void SetIsChangeGuiData(bool changed) override;
    bool GetIsChangeGuiData() const override { return IsChangeGuiData_; }
    // The CAB panel emptied user IR slot 0..9: command 228 goes out once for it.
    void IrDeleteAction(int slot);

    // A preset file becomes the pedal's current sound (command 131): the name taken from
    // the file name goes through the naming rule into the record and shows as the
    // current slot's entry; the slot is re-selected in the list.
    void ImportPreSendData(const PresetRecord& record, const QString& PresetName);
    // A preset file goes into a slot (0..255, command 229); the list shows and selects
    // it. Returns the record as sent, named by the rule, for the editor's copy once the
    // pedal confirms.
    PresetRecord ImportPresSendData(const PresetRecord& record, const QString& PresetName, int index);
    // A save into the slot that this hub did not ask for goes out (a slot written by
    // loading and saving): its confirmation names the slot, not its low byte, and the
    // writer keeps the record it loaded.
    void expectSaveConfirmation(int slot) { announcedSaves_.push_back(slot); }

    // The global settings. Every edit of the system screen sends the system block and
    // the global EQ (its nine wire bytes) and lights the CAB lamps at once.
    void SystemModeDataChangeAction(const std::array<std::uint32_t, 10>& system,
                                    const std::array<std::uint32_t, 9>& globalEq);
    void FSModeDataChangeAction(std::uint32_t mode);
    void TabCtrlDataChangeAction(const std::array<std::uint32_t, 11>& block);
    // The expression block; with exitMerge the merge of the input edited (expselect 0
    // EXP, 1 EXP2) ends: its mark goes and command 135 names the input.
    void ExpDataChangeAction(const std::array<std::uint32_t, 7>& block, int expselect, bool exitMerge);

    // Shows a stored record on every screen.
    void ReadBufferPresetToGui(const PresetRecord& record);
    // Another record becomes the sound (another preset, or a file written into the slot
    // that plays): the edits start again from it and the panels show it.
    void replaceSound(const PresetRecord& record);
    // Shows a part of the sound (a module number or a CurrentSound::Part) as if the pedal
    // had reported these values, then sends it as the guitarist's edit of it would.
    void replayEdit(int part, const std::vector<std::uint32_t>& values);
    // The record of the sound the pedal plays now, and the record stored in a slot.
    PresetRecord currentSoundRecord() const;
    PresetRecord storedRecord(int slot) const;
    int currentSlot() const { return presetList_ ? presetList_->selectedCell() : -1; }
    // Makes a record the pedal's current sound (command 131) and shows it, as the same
    // preset: the edited mark stays as it is.
    void playRecord(const PresetRecord& record);
    // Screens beyond the panels and the preset list that show part of a loaded record.
    void onPresetShown(std::function<void(const PresetRecord&)> handler);
    QString getPresetName(int slot) const;
    const PresetRecord& NowPresetRecord() const { return nowPresetRecord_; }
    // The slots whose records did not arrive while loading (empty when all 300 came).
    const std::vector<int>& missingPresets() const { return missingPresets_; }

    // LinkEvents: called on link threads, each re-posted to the main thread.
    void postEvent(EventCode code, std::vector<std::uint32_t> values) override;
    void postSetIsChangeGuiData(bool changed) override;
    void postLoadProgress(float progress) override;
    void postPresetList(std::vector<std::string> list, std::vector<int> missing) override;
    void postPedalConnected() override;
    void exitApp(std::string message) override;
    void postFirmwareTooOld() override;

signals:
    // The space bar was pressed (tap tempo).
    void keySpaceClick();
    void loadProgress(float progress);
    void presetsLoaded();
    void pedalConnectionChanged(bool connected);
    // The link failed for good: show the message with its single "Exit" button.
    void fatalAlert(const QString& message);
    // A part of the current sound (a module number or a CurrentSound::Part) as the
    // screens now show it, after a report or a record, and as the guitarist edited it.
    void soundShown(int part, const std::vector<std::uint32_t>& values);
    void soundEdited(int part, const std::vector<std::uint32_t>& values);
    // Another preset or record became the current sound.
    void soundReplaced();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handleEvent(EventCode code, const std::vector<std::uint32_t>& values);
    void installDefaultRoutes();
    void moduleUpdate(Module module, const std::vector<std::uint32_t>& values);
    void pageSwitch(const std::vector<std::uint32_t>& values);
    void presetNowChange(const std::vector<std::uint32_t>& values);
    void saveConfirmed(const std::vector<std::uint32_t>& values);
    void send(BlockType type, const std::vector<std::uint32_t>& values);
    void showSound(const PresetRecord& record);

    std::unique_ptr<DeviceThread> link_;
    std::array<ModulePanelPort*, kModuleCount> panels_{};
    PresetListPort* presetList_ = nullptr;
    std::array<std::vector<EventHandler>, 24> routes_;
    std::vector<std::function<void(const PresetRecord&)>> presetShown_;
    PresetRecord nowPresetRecord_{};
    CurrentSound sound_;  // what a save confirmed now stores
    Diary* diary_ = nullptr;  // the link's diary, for the CAB panel's marked events
    std::vector<int> missingPresets_;
    // Slots sent with a save and not yet confirmed: the pedal's confirmation names the
    // slot in one byte, so 4 and 260 are told apart by what was asked.
    std::vector<int> pendingSaves_;
    std::vector<int> announcedSaves_;  // saves of records loaded by another writer
    bool pedalConnected_ = false;
    bool hasNowPresetRecord_ = false;
    bool IsChangeGuiData_ = false;
};

}  // namespace quorvex
