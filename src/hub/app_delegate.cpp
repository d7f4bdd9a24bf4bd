#include "app_delegate.h"

#include "commands.h"
#include "diary.h"
#include "post_to_main.h"
#include "preset_file_names.h"
#include "yj_object_tool.h"

#include <algorithm>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>

namespace quorvex {
namespace {

std::vector<std::uint32_t> slotValues(int slot) {
    return {slotLow(slot), slotHigh(slot)};
}

template <std::size_t N>
std::array<std::uint32_t, N> firstValues(const std::vector<std::uint32_t>& v) {
    std::array<std::uint32_t, N> out{};
    std::copy_n(v.begin(), std::min(N, v.size()), out.begin());
    return out;
}

// The part of the sound a pedal report carries, or -1.
int partOfEvent(EventCode code) {
    const int c = static_cast<int>(code);
    if (c >= 1 && c <= kModuleCount) return c - 1;
    switch (code) {
    case EventCode::EfficChainUpdateData: return static_cast<int>(CurrentSound::Part::Chain);
    case EventCode::PresetVolUpdateData: return static_cast<int>(CurrentSound::Part::Volume);
    case EventCode::ExpModeUpdateData: return static_cast<int>(CurrentSound::Part::Exp);
    case EventCode::TabCtrlUpdateData: return static_cast<int>(CurrentSound::Part::Ctrl);
    default: return -1;
    }
}

}  // namespace

AppDelegate::AppDelegate(QObject* parent) : QObject(parent) { installDefaultRoutes(); }

AppDelegate::~AppDelegate() { stopLink(); }

void AppDelegate::setModulePanel(Module module, ModulePanelPort* panel) { panels_[static_cast<std::size_t>(module)] = panel; }

void AppDelegate::setPresetList(PresetListPort* list) { presetList_ = list; }

void AppDelegate::route(EventCode code, EventHandler handler) {
    routes_[static_cast<std::size_t>(code)].push_back(std::move(handler));
}

void AppDelegate::startLink(std::unique_ptr<HidBackend> backend, LinkOptions options) {
    diary_ = options.diary;
    link_ = std::make_unique<DeviceThread>(std::move(backend), *this, options);
    link_->start();
}

void AppDelegate::stopLink() {
    if (link_) link_->shutdown();
}

void AppDelegate::installKeyHook(QObject* application) { application->installEventFilter(this); }

namespace {
// Whether the focus is in a real text entry (a name or number field, the edit line of
// an editable drop-down list, a text box). Lists, buttons and sliders do not take text,
// so a space there taps the tempo. Classes are asked by name: the hub has no widgets.
bool typingIntoText() {
    const QObject* focus = QGuiApplication::focusObject();
    if (!focus) return false;
    if (focus->inherits("QLineEdit") || focus->inherits("QTextEdit") || focus->inherits("QPlainTextEdit")) return true;
    return focus->inherits("QComboBox") && focus->property("editable").toBool();
}
}  // namespace

bool AppDelegate::eventFilter(QObject* watched, QEvent* event) {
    // The application sees a key event once per object it passes through, the window
    // first. A space outside a text entry is a tap of the tempo and ends there, press and
    // release, so no focused button, block or list acts on it as well.
    const bool press = event->type() == QEvent::KeyPress;
    if ((press || event->type() == QEvent::KeyRelease) && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && key->text().at(0) == QLatin1Char(' ') && !typingIntoText()) {
            if (press) emit keySpaceClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---- screen to pedal ----

void AppDelegate::send(BlockType type, const std::vector<std::uint32_t>& values) {
    // What the editor sends of the sound is part of what the pedal stores on a save.
    const int t = static_cast<int>(type);
    if (t < kModuleCount) sound_.changed(static_cast<Module>(t));
    if (type == BlockType::CHAIN) sound_.changed(CurrentSound::Part::Chain);
    if (type == BlockType::PRESET_VOL) sound_.changed(CurrentSound::Part::Volume);
    if (type == BlockType::EXP) sound_.changed(CurrentSound::Part::Exp);
    if (type == BlockType::CTRL) sound_.changed(CurrentSound::Part::Ctrl);
    if (link_) link_->SendDataToDevoice(type, values.data(), static_cast<int>(values.size()));
}

void AppDelegate::NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b) { send(BlockType::UICMD, {a, b}); }

void AppDelegate::ModuleDataChangeAction(Module module) {
    ModulePanelPort* panel = panels_[static_cast<std::size_t>(module)];
    if (!panel) return;
    const std::vector<std::uint32_t> values = panel->block();
    NeedUpdataMcuUiDataA(static_cast<std::uint32_t>(module) + 1, 0);
    send(static_cast<BlockType>(module), values);
    emit soundEdited(static_cast<int>(module), values);
}

void AppDelegate::PresetVolChange(double value) {
    // Truncated, but a position on the grid of hundredths (0.58, which is 57.99999...
    // times 100 in binary) counts as its own number.
    const int volume = static_cast<int>(value * 100.0 + 1e-9);
    if (presetList_) presetList_->setPresetVolume(volume);
    send(BlockType::PRESET_VOL, {static_cast<std::uint32_t>(volume)});
    emit soundEdited(static_cast<int>(CurrentSound::Part::Volume), {static_cast<std::uint32_t>(volume)});
}

void AppDelegate::ChangeCurrentPreset(int slot) {
    if (!PresetStore::validSlot(slot)) return;
    if (link_) replaceSound(link_->withLinkLock([&](ParameterBlocks&, CommandEncoder&) { return link_->presets().record(slot); }));
    NeedUpdataMcuUiDataA(0, 0);
    send(BlockType::CURRENT, slotValues(slot));
}

void AppDelegate::replaceSound(const PresetRecord& record) {
    sound_.load(record);
    emit soundReplaced();
    ReadBufferPresetToGui(record);
}

void AppDelegate::SavePresetChange(int slot, const QString& name) {
    if (!PresetStore::validSlot(slot)) return;
    std::array<std::uint8_t, kNameSize> name16{};
    YJObjectTool::ChangePresetName(name.toStdString(), name16);
    if (link_) {
        // Until the pedal confirms, an export or backup does not take the old record for
        // the saved one.
        link_->withLinkLock([this, slot, &name16](ParameterBlocks&, CommandEncoder&) {
            link_->presets().setName(slot, name16);
            link_->presets().awaitRecord(slot);
            link_->presets().expectWriter(slot, "save");
        });
        if (presetList_) presetList_->UpdataPresetListIndex(slot, getPresetName(slot));
    }
    std::vector<std::uint32_t> values = slotValues(slot);
    values.insert(values.end(), name16.begin(), name16.end());
    pendingSaves_.push_back(slot);
    send(BlockType::SAVE, values);
}

void AppDelegate::ImportPreSendData(const PresetRecord& record, const QString& PresetName) {
    const PresetRecord named = recordNamedFromFile(record, PresetName);
    sound_.load(named);
    emit soundReplaced();
    if (presetList_) {
        const int slot = presetList_->selectedCell();
        presetList_->UpdataPresetListIndex(slot, QString::fromStdString(presetDisplayText(slot, recordName(named))));
        presetList_->UpdataCurrentPresetSelect(slot);
    }
    const std::vector<std::uint32_t> values(named.begin(), named.end());
    send(BlockType::RECORD_CURRENT, values);
}

PresetRecord AppDelegate::ImportPresSendData(const PresetRecord& record, const QString& PresetName, int index) {
    const PresetRecord named = recordNamedFromFile(record, PresetName);
    if (presetList_ && PresetStore::validSlot(index)) {
        presetList_->UpdataPresetListIndex(index, QString::fromStdString(presetDisplayText(index, recordName(named))));
        presetList_->UpdataCurrentPresetSelect(index);
    }
    const std::vector<std::uint32_t> values(named.begin(), named.end());
    if (link_) link_->SendPresetsDataToDevice(BlockType::RECORD_WRITE, values.data(), static_cast<int>(values.size()), index);
    return named;
}

void AppDelegate::NineModeOnOffDataChange(int module, std::uint8_t status) {
    if (module < 0 || module >= kModuleCount) return;
    if (ModulePanelPort* panel = panels_[static_cast<std::size_t>(module)]) panel->ModeOnOffChange(status);
}

void AppDelegate::EffectChainChangeAction(const std::array<std::uint32_t, 9>& order,
                                          const std::array<std::uint8_t, 9>& onOff) {
    // On the wire a module is its number + 1, and a flag is set for a module that is off.
    std::vector<std::uint32_t> values;
    values.reserve(order.size() + onOff.size());
    for (const std::uint32_t module : order) values.push_back(module + 1);
    for (const std::uint8_t on : onOff) values.push_back(on == 0 ? 1 : 0);
    send(BlockType::CHAIN, values);
    emit soundEdited(static_cast<int>(CurrentSound::Part::Chain), values);
}

void AppDelegate::IrDeleteAction(int slot) {
    if (slot < 0 || slot > 9 || !link_) return;
    link_->withLinkLock([slot](ParameterBlocks& blocks, CommandEncoder& encoder) {
        blocks.IrDeleteSlot = static_cast<std::uint8_t>(slot);
        encoder.raise(cmd::IrDelete);
    });
    if (diary_) diary_->writeMessageToFile("☁️☁️☁️☁️☁️☁️☁️"
                                           "openAlertPanel = true;"
                                           "☁️☁️☁️☁️☁️☁️☁️");
}

void AppDelegate::SystemModeDataChangeAction(const std::array<std::uint32_t, 10>& system,
                                             const std::array<std::uint32_t, 9>& globalEq) {
    if (presetList_) presetList_->UpdataCabStatus(system[5] != 0, system[6] != 0);
    send(BlockType::SYSTEM, {system.begin(), system.end()});
    send(BlockType::GLBI_EQ, {globalEq.begin(), globalEq.end()});
}

void AppDelegate::FSModeDataChangeAction(std::uint32_t mode) { send(BlockType::FSMODE, {mode}); }

void AppDelegate::TabCtrlDataChangeAction(const std::array<std::uint32_t, 11>& block) {
    send(BlockType::CTRL, {block.begin(), block.end()});
    emit soundEdited(static_cast<int>(CurrentSound::Part::Ctrl), {block.begin(), block.end()});
}

void AppDelegate::ExpDataChangeAction(const std::array<std::uint32_t, 7>& block, int expselect, bool exitMerge) {
    const int input = expselect == 1 ? 1 : 0;
    std::array<bool, 2> merged{};
    if (presetList_) {
        presetList_->UpdataExpVol(static_cast<std::int8_t>(block[0]));
        presetList_->UpdataExpStatus(static_cast<std::uint16_t>(block[1]), static_cast<std::uint16_t>(block[2]),
                                     static_cast<std::uint16_t>(block[3]), static_cast<std::uint16_t>(block[4]));
        merged = presetList_->isExpControlMerge();
    }
    send(BlockType::EXP, {block.begin(), block.end()});
    emit soundEdited(static_cast<int>(CurrentSound::Part::Exp), {block.begin(), block.end()});
    if (exitMerge) merged[static_cast<std::size_t>(input)] = false;
    if (presetList_) presetList_->PresetUpdataExpStatus(merged[0], merged[1]);
    if (exitMerge) send(BlockType::EXP_MERGE, {static_cast<std::uint32_t>(input) + 1});
}

void AppDelegate::onPresetShown(std::function<void(const PresetRecord&)> handler) {
    presetShown_.push_back(std::move(handler));
}

void AppDelegate::SetIsChangeGuiData(bool changed) {
    const bool differs = changed != IsChangeGuiData_;
    IsChangeGuiData_ = changed;
    if (differs && presetList_) presetList_->reloadData();
}

QString AppDelegate::getPresetName(int slot) const {
    if (!link_ || !PresetStore::validSlot(slot)) return {};
    return QString::fromStdString(link_->presets().displayText(slot));
}

void AppDelegate::ReadBufferPresetToGui(const PresetRecord& record) {
    if (presetList_) {
        presetList_->changedModeValue(chainFromRecord(record));
        presetList_->setPresetVolume(record[record::kPresetVolume]);
    }
    for (int m = 0; m < kModuleCount; ++m) {
        const auto module = static_cast<Module>(m);
        const auto values = moduleValuesFromRecord(record, module);
        if (ModulePanelPort* panel = panels_[static_cast<std::size_t>(m)]) panel->changedModeValue(values);
        if (presetList_) presetList_->changedModeStatus(m, static_cast<std::int8_t>(values[0]));
    }
    if (presetList_) {
        const auto exp = expFromRecord(record);
        presetList_->UpdataExpVol(static_cast<std::int8_t>(exp[0]));
        presetList_->UpdataExpStatus(static_cast<std::uint16_t>(exp[1]), static_cast<std::uint16_t>(exp[2]),
                                     static_cast<std::uint16_t>(exp[3]), static_cast<std::uint16_t>(exp[4]));
        presetList_->PresetUpdataExpStatus(static_cast<std::int8_t>(record[record::kMergeA]) != 0,
                                           static_cast<std::int8_t>(record[record::kMergeB]) != 0);
    }
    for (const auto& handler : presetShown_) handler(record);
    showSound(record);
}

void AppDelegate::showSound(const PresetRecord& record) {
    for (int m = 0; m < kModuleCount; ++m) {
        if (ModulePanelPort* panel = panels_[static_cast<std::size_t>(m)]) emit soundShown(m, panel->block());
    }
    const auto chain = chainFromRecord(record);
    const auto exp = expFromRecord(record);
    auto ctrl = ctrlFromRecord(record);
    // A record holds no tempo: the one in use stays.
    if (link_) ctrl[0] = link_->withLinkLock([](ParameterBlocks& blocks, CommandEncoder&) { return blocks.CTRL_Block[0]; });
    using Part = CurrentSound::Part;
    emit soundShown(static_cast<int>(Part::Chain), {chain.begin(), chain.end()});
    emit soundShown(static_cast<int>(Part::Volume), {record[record::kPresetVolume]});
    emit soundShown(static_cast<int>(Part::Exp), {exp.begin(), exp.end()});
    emit soundShown(static_cast<int>(Part::Ctrl), {ctrl.begin(), ctrl.end()});
}

void AppDelegate::replayEdit(int part, const std::vector<std::uint32_t>& values) {
    using Part = CurrentSound::Part;
    if (part >= 0 && part < kModuleCount) {
        handleEvent(static_cast<EventCode>(part + 1), values);
        ModuleDataChangeAction(static_cast<Module>(part));
        return;
    }
    switch (static_cast<Part>(part)) {
    case Part::Chain: {
        handleEvent(EventCode::EfficChainUpdateData, values);
        std::array<std::uint32_t, 9> order{};
        std::array<std::uint8_t, 9> onOff{};
        for (std::size_t p = 0; p < order.size() && p + 9 < values.size(); ++p) {
            order[p] = values[p] - 1;
            onOff[p] = values[p + 9] == 0 ? 1 : 0;
        }
        EffectChainChangeAction(order, onOff);
        break;
    }
    case Part::Volume:
        if (!values.empty()) PresetVolChange(values[0] / 100.0);
        break;
    case Part::Exp:
        handleEvent(EventCode::ExpModeUpdateData, values);
        ExpDataChangeAction(firstValues<7>(values), 0, false);
        break;
    case Part::Ctrl:
        handleEvent(EventCode::TabCtrlUpdateData, values);
        TabCtrlDataChangeAction(firstValues<11>(values));
        break;
    }
}

PresetRecord AppDelegate::currentSoundRecord() const {
    if (!link_) return {};
    return link_->withLinkLock([this](ParameterBlocks& blocks, CommandEncoder&) { return sound_.record(blocks); });
}

PresetRecord AppDelegate::storedRecord(int slot) const {
    if (!link_ || !PresetStore::validSlot(slot)) return {};
    return link_->withLinkLock([&](ParameterBlocks&, CommandEncoder&) { return link_->presets().record(slot); });
}

void AppDelegate::playRecord(const PresetRecord& record) {
    sound_.load(record);
    ReadBufferPresetToGui(record);
    send(BlockType::RECORD_CURRENT, {record.begin(), record.end()});
}

// ---- pedal to screen ----

void AppDelegate::postEvent(EventCode code, std::vector<std::uint32_t> values) {
    postToMain(this, [this, code, v = std::move(values)] { handleEvent(code, v); });
}

void AppDelegate::postSetIsChangeGuiData(bool changed) {
    postToMain(this, [this, changed] { SetIsChangeGuiData(changed); });
}

void AppDelegate::postLoadProgress(float progress) {
    postToMain(this, [this, progress] { emit loadProgress(progress); });
}

void AppDelegate::postPresetList(std::vector<std::string> list, std::vector<int> missing) {
    postToMain(
        this,
        [this, entries = std::move(list), missing = std::move(missing)] {
            missingPresets_ = missing;
            QStringList names;
            names.reserve(static_cast<qsizetype>(entries.size()));
            for (const auto& e : entries) names.push_back(QString::fromStdString(e));
            if (presetList_) presetList_->UpdataPresetListName(names);
            emit presetsLoaded();
        });
}

void AppDelegate::postPedalConnected() {
    postToMain(this, [this] {
        pedalConnected_ = true;
        emit pedalConnectionChanged(true);
    });
}

void AppDelegate::exitApp(std::string message) {
    postToMain(this, [this, m = QString::fromStdString(message)] {
        pedalConnected_ = false;
        emit pedalConnectionChanged(false);
        emit fatalAlert(m);
    });
}

void AppDelegate::postFirmwareTooOld() {
    postToMain(this, [this] { emit fatalAlert(QString::fromUtf8(kFirmwareTooOldMessage)); });
}

void AppDelegate::handleEvent(EventCode code, const std::vector<std::uint32_t>& values) {
    // What the pedal reports of its sound is part of what it stores on a save.
    const int c = static_cast<int>(code);
    if (c >= 1 && c <= kModuleCount) sound_.changed(static_cast<Module>(c - 1));
    if (code == EventCode::EfficChainUpdateData) sound_.changed(CurrentSound::Part::Chain);
    if (code == EventCode::PresetVolUpdateData) sound_.changed(CurrentSound::Part::Volume);
    if (code == EventCode::ExpModeUpdateData) sound_.changed(CurrentSound::Part::Exp);
    if (code == EventCode::TabCtrlUpdateData) sound_.changed(CurrentSound::Part::Ctrl);
    for (const auto& handler : routes_[static_cast<std::size_t>(code)]) handler(values);
    const int part = partOfEvent(code);
    if (part < 0) return;
    ModulePanelPort* panel = part < kModuleCount ? panels_[static_cast<std::size_t>(part)] : nullptr;
    emit soundShown(part, panel ? panel->block() : values);
}

void AppDelegate::moduleUpdate(Module module, const std::vector<std::uint32_t>& values) {
    if (ModulePanelPort* panel = panels_[static_cast<std::size_t>(module)]) panel->changedModeValue(values);
    if (presetList_) presetList_->changedModeStatus(static_cast<int>(module), static_cast<std::int8_t>(values[0]));
}

void AppDelegate::pageSwitch(const std::vector<std::uint32_t>& values) {
    if (!presetList_) return;
    if (values[0] >= 1 && values[0] <= 9) presetList_->setFiveModeCurrentSelect(static_cast<int>(values[0]) - 1);
    if (values[1] == 0) presetList_->removeGlobalPanels();
}

void AppDelegate::presetNowChange(const std::vector<std::uint32_t>& values) {
    const int slot = static_cast<int>(values[1] * 256 + values[0]);
    if (!PresetStore::validSlot(slot) || !link_) return;
    // The entry follows the slot's stored record, which a 169 may have renamed since the
    // name table was filled.
    const PresetRecord record = link_->withLinkLock([&](ParameterBlocks&, CommandEncoder&) { return link_->presets().record(slot); });
    sound_.named(record);
    emit soundReplaced();
    if (presetList_) {
        presetList_->UpdataCurrentPresetSelect(slot);
        presetList_->UpdataPresetListIndex(slot, QString::fromStdString(presetDisplayText(slot, recordName(record))));
        presetList_->UpdataCurrentPresetSelect(slot);
    }
    ReadBufferPresetToGui(record);
}

void AppDelegate::saveConfirmed(const std::vector<std::uint32_t>& values) {
    int slot = static_cast<int>(values[0]);
    // The confirmation names the slot's low byte: the slot is the one a save waits for.
    const auto take = [&slot](std::vector<int>& saves) {
        const auto it = std::find_if(saves.begin(), saves.end(), [slot](int s) { return s % 256 == slot; });
        if (it == saves.end()) return false;
        slot = *it;
        saves.erase(it);
        return true;
    };
    const bool asked = take(pendingSaves_);
    if (!asked) take(announcedSaves_);
    std::array<std::uint8_t, kNameSize> name{};
    for (std::size_t i = 1; i < 16; ++i) name[i - 1] = static_cast<std::uint8_t>(values[i]);
    // The slot now holds the sound under its new name. The pedal need not send the
    // stored record (169); one that came since the save is its own word and stays.
    if (asked && link_) {
        link_->withLinkLock([&](ParameterBlocks& blocks, CommandEncoder&) {
            if (link_->presets().arrived(slot)) return;
            PresetRecord saved = sound_.record(blocks);
            std::copy(name.begin(), name.end(), saved.begin() + record::kName);
            link_->presets().storeRecord(slot, saved.data(), true, "save");
        });
    }
    if (presetList_) presetList_->UpdataPresetListIndex(slot, QString::fromStdString(presetDisplayText(slot, nameText(name.data()))));
    // Until the pedal has sent its current record there is nothing to show again.
    if (hasNowPresetRecord_) ReadBufferPresetToGui(nowPresetRecord_);
}

void AppDelegate::installDefaultRoutes() {
    for (int m = 0; m < kModuleCount; ++m) {
        route(static_cast<EventCode>(m + 1),
              [this, m](const auto& v) { moduleUpdate(static_cast<Module>(m), v); });
    }
    route(EventCode::PresetVolUpdateData, [this](const auto& v) {
        if (presetList_) presetList_->setPresetVolume(static_cast<int>(v[0]));
    });
    route(EventCode::EfficChainUpdateData, [this](const auto& v) {
        std::array<std::uint32_t, 18> chain{};
        std::copy_n(v.begin(), chain.size(), chain.begin());
        if (presetList_) presetList_->changedModeValue(chain);
    });
    route(EventCode::SystemUpdateData, [this](const auto& v) {
        if (presetList_) presetList_->UpdataCabStatus(v[5] != 0, v[6] != 0);
    });
    route(EventCode::ExpModeUpdateData, [this](const auto& v) {
        if (!presetList_) return;
        presetList_->UpdataExpVol(static_cast<std::int8_t>(v[0]));
        presetList_->UpdataExpStatus(static_cast<std::uint16_t>(v[1]), static_cast<std::uint16_t>(v[2]),
                                     static_cast<std::uint16_t>(v[3]), static_cast<std::uint16_t>(v[4]));
    });
    route(EventCode::UICMDUpdateData, [this](const auto& v) { pageSwitch(v); });
    route(EventCode::PresetNowChangeUpdateData, [this](const auto& v) { presetNowChange(v); });
    route(EventCode::MergeStatusUpdateData, [this](const auto& v) {
        if (presetList_)
            presetList_->PresetUpdataExpStatus(static_cast<std::int8_t>(v[0]) != 0, static_cast<std::int8_t>(v[1]) != 0);
    });
    route(EventCode::NowPresetReceiveUpdateData, [this](const auto& v) {
        std::copy_n(v.begin(), kRecordSize, nowPresetRecord_.begin());
        hasNowPresetRecord_ = true;
        sound_.load(nowPresetRecord_);
        emit soundReplaced();
        ReadBufferPresetToGui(nowPresetRecord_);
    });
    route(EventCode::SAVEDATA_ReveiveDataUpdateData, [this](const auto& v) { saveConfirmed(v); });
}

}  // namespace quorvex
