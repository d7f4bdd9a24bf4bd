#pragma once
#include "parameter_blocks.h"

#include <QMainWindow>

#include <array>

class QStackedWidget;
class QLabel;

namespace quorvex {

class AppDelegate;
class EditButtons;
class EditHistory;
class EffectChainView;
class HistoryWindow;
class PresetCompare;
class RootViewController;
class ModulePanel;
class PresetBrowser;
class PresetFileActions;
namespace settings {
class SettingsScreens;
}

// The main window: the preset side on the left; on the right the effect chain above
// the panel of the module it shows.
class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit EditorWindow(AppDelegate& hub, QWidget* parent = nullptr);

    RootViewController* rootViewController() const { return root_; }
    EffectChainView* chainView() const { return chain_; }
    ModulePanel* panel(Module module) const { return panels_[static_cast<std::size_t>(module)]; }
    PresetFileActions* fileActions() const { return fileActions_; }
    PresetBrowser* presetBrowser() const { return browser_; }
    // The system, CTRL/TAP and expression screens laid over the window.
    settings::SettingsScreens* settingsScreens() const { return settings_; }
    // Shows the panel of module 0..8 when it exists.
    void showModule(int module);
    EditHistory& editHistory() const { return *history_; }
    PresetCompare& presetCompare() const { return *compare_; }
    EditButtons* editButtons() const { return editButtons_; }
    // The HISTORY window, read afresh and shown.
    HistoryWindow* showHistory();

signals:
    // The user closed the main window: the editor ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addPanel(ModulePanel* panel);
    void addEditButtons();
    // While the stored preset plays for comparison, the sound's controls take no edits.
    void pauseEditing(bool paused);

    AppDelegate& hub_;
    RootViewController* root_;
    EffectChainView* chain_ = nullptr;
    PresetFileActions* fileActions_ = nullptr;
    PresetBrowser* browser_ = nullptr;
    settings::SettingsScreens* settings_ = nullptr;
    QStackedWidget* stack_;
    EditHistory* history_ = nullptr;
    PresetCompare* compare_ = nullptr;
    EditButtons* editButtons_ = nullptr;
    HistoryWindow* historyWindow_ = nullptr;
    std::array<ModulePanel*, kModuleCount> panels_{};
};

}  // namespace quorvex
