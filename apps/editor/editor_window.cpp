#include "editor_window.h"

#include "app_delegate.h"
#include "edit_buttons.h"
#include "edit_history.h"
#include "effect_chain_view.h"
#include "history_window.h"
#include "preset_compare.h"
#include "amp_mode_controller.h"
#include "cab_mode_controller.h"
#include "delay_mode_controller.h"
#include "ds_mode_controller.h"
#include "eq_mode_controller.h"
#include "fx_mode_controller.h"
#include "mod_mode_controller.h"
#include "ns_mode_controller.h"
#include "reverb_mode_controller.h"
#include "library_tab.h"
#include "preset_browser.h"
#include "preset_file_actions.h"
#include "root_view_controller.h"
#include "settings_screens.h"
#include "slot_write_flow.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quorvex {

EditorWindow::EditorWindow(AppDelegate& hub, QWidget* parent)
    : QMainWindow(parent), hub_(hub), root_(new RootViewController(hub)), stack_(new QStackedWidget) {
    setWindowTitle(QStringLiteral("QUORVEX III"));
    resize(1280, 800);

    auto* central = new QWidget;
    central->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(root_);
    // The chain row runs above the panel of the module it shows.
    chain_ = new EffectChainView(root_->effectChain());
    auto* work = new QVBoxLayout;
    work->setContentsMargins(0, 6, 0, 0);
    work->setSpacing(0);
    work->addWidget(chain_);
    work->addWidget(stack_, 1);
    layout->addLayout(work, 1);
    setCentralWidget(central);

    hub_.setPresetList(root_);
    addPanel(new FxModeController);
    addPanel(new DsModeController);
    addPanel(new AmpModeController);
    addPanel(new CabModeController);
    addPanel(new NsModeController);
    addPanel(new EqModeController);
    addPanel(new ModModeController);
    addPanel(new DelayModeController);
    addPanel(new ReverbModeController);
    connect(root_, &RootViewController::moduleSelected, this, &EditorWindow::showModule);
    fileActions_ = new PresetFileActions(hub_, *root_, this);
    connect(root_, &RootViewController::importRequested, fileActions_, &PresetFileActions::ImportButtonClick);
    connect(root_, &RootViewController::exportRequested, fileActions_, &PresetFileActions::ExportButtonClick);
    connect(root_, &RootViewController::backupRequested, fileActions_, &PresetFileActions::backupButtonClick);
    // The librarian takes the spare height at the foot of the preset column.
    browser_ = new PresetBrowser(hub_, *root_, root_);
    auto* column = qobject_cast<QBoxLayout*>(root_->layout());
    column->insertWidget(column->count() - 1, browser_, 1);
    column->setStretch(column->count() - 1, 0);
    connect(browser_->library(), &LibraryTab::playRequested, fileActions_,
            [this](const QString& path) { fileActions_->importFiles({path}); });
    settings_ = new settings::SettingsScreens(hub_, central);
    for (QWidget* panel : settings_->panels()) root_->addGlobalPanel(panel);
    connect(root_, &RootViewController::systemRequested, settings_, &settings::SettingsScreens::SystemButtonClick);
    connect(root_, &RootViewController::ctrlTabRequested, settings_, &settings::SettingsScreens::CtrlTabButtonClick);
    connect(root_, &RootViewController::expRequested, settings_, &settings::SettingsScreens::ExpButtonClick);
    // After a factory reset the editor ends as if the window were closed.
    connect(settings_, &settings::SettingsScreens::terminateRequested, this, &QWidget::close);
    connect(&root_->effectChain(), &EffectChain::NineModeOnOffDataChange, &hub_, &AppDelegate::NineModeOnOffDataChange);
    connect(&root_->effectChain(), &EffectChain::EffectChainChangeAction, &hub_, &AppDelegate::EffectChainChangeAction);
    addEditButtons();
}

void EditorWindow::addEditButtons() {
    history_ = new EditHistory(hub_, this);
    compare_ = new PresetCompare(hub_, this);
    editButtons_ = new EditButtons(history_->stack(), *compare_, this);
    // Above the spare height at the bottom of the left column.
    auto* side = qobject_cast<QBoxLayout*>(root_->layout());
    side->insertWidget(side->count() - 1, editButtons_, 0, Qt::AlignLeft);
    connect(compare_, &PresetCompare::toggled, this, &EditorWindow::pauseEditing);
    connect(editButtons_, &EditButtons::historyRequested, this, &EditorWindow::showHistory);
}

HistoryWindow* EditorWindow::showHistory() {
    if (!historyWindow_) {
        historyWindow_ = new HistoryWindow(this);
        // A put-back is a slot write like the librarian's, confirmed, into any slot.
        connect(historyWindow_, &HistoryWindow::putBackRequested, browser_->writes(), &SlotWriteFlow::putBack);
    }
    historyWindow_->reload();
    historyWindow_->show();
    historyWindow_->raise();
    return historyWindow_;
}

void EditorWindow::pauseEditing(bool paused) {
    QWidget* const controls[] = {stack_, chain_, root_->presetVolue(), root_->saveButton(), root_->ctrlTabButton(),
                                 root_->expButton()};
    for (QWidget* control : controls) control->setEnabled(!paused);
}

void EditorWindow::addPanel(ModulePanel* panel) {
    const Module module = panel->module();
    panels_[static_cast<std::size_t>(module)] = panel;
    stack_->addWidget(panel);
    hub_.setModulePanel(module, panel);
    panel->attachToHub(hub_);
    // The hub reads the panel's block on the next turn of the event loop, after the
    // panel's own handler has finished.
    connect(panel, &ModulePanel::SelfDataChange, &hub_, [this, module] { hub_.ModuleDataChangeAction(module); },
            Qt::QueuedConnection);
}

void EditorWindow::showModule(int module) {
    if (module < 0 || module >= kModuleCount) return;
    if (ModulePanel* panel = panels_[static_cast<std::size_t>(module)]) stack_->setCurrentWidget(panel);
}

}  // namespace quorvex

namespace quorvex {

// Enter and Return press the focused button: outside dialogs Qt's buttons answer only
// Space, which is the tap key here. The key comes up to the window when the button
// leaves it alone.
void EditorWindow::keyPressEvent(QKeyEvent* event) {
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button && button->isEnabled()) {
        button->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    emit closed();
    QMainWindow::closeEvent(event);
}

}  // namespace quorvex
