#include "settings_screens.h"

#include <algorithm>

#include "app_delegate.h"
#include "settings_pages.h"
#include "yj_ctrl_tab_view.h"
#include "yj_exp_view.h"
#include "yj_exp_vol_view.h"
#include "yj_fs_mode_view.h"
#include "yj_reset_view.h"
#include "yj_system_view.h"

namespace quorvex::settings {

namespace {

template <std::size_t N>
std::array<std::uint32_t, N> firstValues(const std::vector<std::uint32_t>& v) {
    std::array<std::uint32_t, N> out{};
    std::copy_n(v.begin(), std::min(N, v.size()), out.begin());
    return out;
}

}  // namespace

SettingsScreens::SettingsScreens(AppDelegate& hub, QWidget* host)
    : QObject(host),
      hub_(hub),
      host_(host),
      system_(new YJSystemView(host)),
      ctrl_(new YJCtrlTabView(host)),
      exp_(new YJExpView(host)) {
    wireSystem();
    wireCtrl();
    wireExp();
    hub_.route(EventCode::UICMDUpdateData, [this](const auto& v) {
        if (v.size() >= 3) showPage(v[1], v[2]);
    });
    system_->userInit();
}

void SettingsScreens::wireSystem() {
    // The hub reads the screens' blocks on the next turn of the event loop, after the
    // screen's own handler has finished.
    connect(system_, &YJSystemView::NeedUpdataMcuUiDataA, &hub_, &AppDelegate::NeedUpdataMcuUiDataA);
    connect(system_, &YJSystemView::SelfDataChange, this,
            [this] { hub_.SystemModeDataChangeAction(system_->SystemData(), system_->Glbi_eqData()); },
            Qt::QueuedConnection);
    YJFsModeView* fs = system_->fsView();
    connect(fs, &YJFsModeView::SelfDataChange, this, [this, fs] { hub_.FSModeDataChangeAction(fs->FsModeStatus()); },
            Qt::QueuedConnection);
    connect(system_->resetView(), &YJResetView::terminateRequested, this, &SettingsScreens::terminateRequested);
    hub_.route(EventCode::SystemUpdateData, [this](const auto& v) { system_->changedModeValue(firstValues<10>(v)); });
    hub_.route(EventCode::GLBI_EQ_ReveiveDataUpdateData,
               [this](const auto& v) { system_->changed_Glbi_EQ_ModeValue(firstValues<9>(v)); });
    hub_.route(EventCode::FSModeUpdateData, [fs](const auto& v) {
        if (!v.empty()) fs->changedModeValue(v[0]);
    });
}

void SettingsScreens::wireCtrl() {
    connect(ctrl_, &YJCtrlTabView::SelfDataChange, this, [this] { hub_.TabCtrlDataChangeAction(ctrl_->TabCtrl_Data()); },
            Qt::QueuedConnection);
    connect(ctrl_, &YJCtrlTabView::NeedUpdataMcuUiDataA, &hub_, &AppDelegate::NeedUpdataMcuUiDataA);
    connect(&hub_, &AppDelegate::keySpaceClick, ctrl_, &YJCtrlTabView::keySpaceClick);
    hub_.route(EventCode::TabCtrlUpdateData, [this](const auto& v) { ctrl_->changedModeValue(firstValues<11>(v)); });
    hub_.onPresetShown([this](const PresetRecord& record) { ctrl_->PresetchangedModeValue(ctrlFromRecord(record)); });
}

void SettingsScreens::wireExp() {
    connect(exp_, &YJExpView::SelfDataChange, this, [this] {
        ExpTargets& targets = exp_->targets();
        hub_.ExpDataChangeAction(exp_->EXP_Block(), targets.expselect(), targets.MakeExitMergeFlag());
        targets.clearExitMerge();
    }, Qt::QueuedConnection);
    connect(exp_, &YJExpView::NeedUpdataMcuUiDataA, &hub_, &AppDelegate::NeedUpdataMcuUiDataA);
    hub_.route(EventCode::ExpModeUpdateData, [this](const auto& v) { exp_->changedModeValue(firstValues<7>(v)); });
    hub_.onPresetShown([this](const PresetRecord& record) {
        // A record holds the targets and the switch but no volume range (200, 200).
        exp_->changedModeValue(expFromRecord(record));
        exp_->image_expvolView()->PresetchangedModeValue(record[record::kExpVolumeView]);
    });
}

void SettingsScreens::open(SettingsOverlay* overlay, std::uint32_t page) {
    overlay->openOver(host_);
    hub_.NeedUpdataMcuUiDataA(page, 0);
}

void SettingsScreens::SystemButtonClick() { open(system_, kSystemPage); }
void SettingsScreens::CtrlTabButtonClick() { open(ctrl_, kCtrlPage); }
void SettingsScreens::ExpButtonClick() { open(exp_, kExpPage); }

void SettingsScreens::showPage(std::uint32_t b, std::uint32_t c) {
    SettingsOverlay* const systemParts[] = {system_, system_->fsView(), system_->resetView()};
    SettingsOverlay* const expParts[] = {exp_, exp_->image_expvolView()};
    const auto close = [](auto& parts) {
        for (SettingsOverlay* part : parts) part->removeFromSuperview();
    };
    switch (b) {
        case 1:
            ctrl_->removeFromSuperview();
            close(expParts);
            system_->openOver(host_);
            break;
        case 2:
            close(systemParts);
            close(expParts);
            ctrl_->openOver(host_);
            break;
        case 3:
            close(systemParts);
            ctrl_->removeFromSuperview();
            exp_->openOver(host_);
            if (c == 1)
                exp_->image_expvolView()->openOver(host_);
            else
                exp_->image_expvolView()->removeFromSuperview();
            break;
        default:
            break;
    }
}

std::vector<QWidget*> SettingsScreens::panels() const {
    return {system_, system_->fsView(), system_->resetView(), ctrl_, exp_, exp_->image_expvolView()};
}

}  // namespace quorvex::settings
