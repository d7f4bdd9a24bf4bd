#pragma once
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "effect_chain.h"
#include "preset_volume_popup.h"
#include "screen_ports.h"

class QAbstractButton;
class QFrame;
class QLabel;
class QListView;
class QMessageBox;
class QPushButton;

namespace quorvex::ui {
class GSlider;
}

namespace quorvex {

class CabLamp;
class PresetListModel;
class SaveWindowController;
class downMenuView;

// The preset side of the main window: the preset header with its drop-down list of
// the 300 slots, the current preset's name, the SAVE button and its dialog, the
// preset volume with its pop-up slider, the EXP and EXP2 assignment summary and the
// two CAB lamps. It asks the hub for everything that reaches the pedal and is told
// by the hub what the pedal reports.
//
// The row drawn as current is always selectedCell(); the list widget never selects a
// row by itself. The edited mark is the hub's edited flag, read whenever a row is drawn.
class RootViewController : public QWidget, public PresetListPort {
    Q_OBJECT
public:
    // Runs the save dialog to its end. The program runs it modally; tests answer it.
    using SaveWindowRunner = std::function<void(SaveWindowController&)>;
    // Runs the save-changes alert to its end and returns the button pressed (null if
    // the alert was closed without one, which counts as "Cancel").
    using AlertRunner = std::function<QAbstractButton*(QMessageBox&)>;

    // The delay between the save dialog that a pick in an edited preset brings up and
    // the pick itself.
    static constexpr int kDeferredPickMs = 500;

    explicit RootViewController(PresetHubPort& hub, QWidget* parent = nullptr);
    ~RootViewController() override;

    // Called by the hub.
    void UpdataPresetListName(const QStringList& entries) override;
    void UpdataPresetListIndex(int slot, const QString& entry) override;
    void UpdataCurrentPresetSelect(int slot) override;
    int selectedCell() const override;
    void reloadData() override;
    void changedModeValue(const std::array<std::uint32_t, 18>& chain) override;
    void changedModeStatus(int module, std::int8_t status) override;
    void setFiveModeCurrentSelect(int module) override;
    void setPresetVolume(int volume) override;
    void UpdataExpVol(std::int8_t volume) override;
    void UpdataExpStatus(std::uint16_t expModule, std::uint16_t expParameter, std::uint16_t exp2Module,
                         std::uint16_t exp2Parameter) override;
    void PresetUpdataExpStatus(bool expMerged, bool exp2Merged) override;
    void UpdataCabStatus(bool left, bool right) override;
    void removeGlobalPanels() override;

    // Shows a text as the current preset in the name display and the header.
    void UpdataPresetName(const QString& entry);

    // The header's open state: 1 shows the list (and reloads it), anything else hides it.
    void composeToolDownMenuOpenState(int state);
    bool isPresetListShown() const;

    // A pick of row r in the list. Without a pending edit the slot is picked at once
    // (returns true). With one, the save dialog runs first and the pick follows
    // kDeferredPickMs later, however the dialog ended (returns false). A pick made
    // meanwhile replaces the waiting one.
    bool tableViewShouldSelectRow(int row);

    // The SAVE button: runs the save dialog on the current slot and name, and saves
    // if the user chose to.
    void SaveButtonClick();

    // The IMPORT, EXPORT and BACKUP buttons: the preset file actions answer them.
    void ImportButtonClick() { emit importRequested(); }
    void ExportButtonClick() { emit exportRequested(); }
    void backupButtonClick() { emit backupRequested(); }
    // The SYSTEM, CTRL/TAP and EXP buttons: the settings screens answer them.
    void SystemButtonClick() { emit systemRequested(); }
    void CtrlTabButtonClick() { emit ctrlTabRequested(); }
    void ExpButtonClick() { emit expRequested(); }

    // Asks whether to save the edited preset before something that needs a stored
    // preset goes ahead (the export). Returns whether to go ahead: always without a
    // pending edit; after "Don't Save" (the stored preset is brought back); after
    // "Save" only if the save dialog did save; never after "Cancel".
    bool runSaveChangesPrompt();

    // The system, CTRL and expression panels the window lays over this screen; the
    // pedal's return to its main page takes them away again.
    void addGlobalPanel(QWidget* panel);

    // The preset volume pop-up.
    void showPresetVolumePopup();
    void hidePresetVolumePopup();
    bool isPresetVolumePopupShown() const;

    void setSaveWindowRunner(SaveWindowRunner runner);
    void setAlertRunner(AlertRunner runner);

    // State and parts, for the window and the other screens.
    QStringList presetNameArr() const;
    PresetListModel* presetListModel() const { return m_model; }
    QListView* tableView() const { return m_tableView; }
    QFrame* scrollView() const { return m_scrollView; }
    QLabel* presetName() const { return m_presetName; }
    downMenuView* presetNameHY() const { return m_presetNameHY; }
    PresetVolumeReadout* presetVolue() const { return m_presetVolue; }
    quorvex::ui::GSlider* PresetVolueSlider() const;
    PresetVolumePopup* PresetVoluePopView() const { return m_popView; }
    QLabel* ExpMode() const { return m_expMode; }
    QLabel* ExpParameter() const { return m_expParameter; }
    QLabel* Exp2Mode() const { return m_exp2Mode; }
    QLabel* Exp2Parameter() const { return m_exp2Parameter; }
    CabLamp* Cab_L() const { return m_cabL; }
    CabLamp* Cab_R() const { return m_cabR; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* importButton() const { return m_importButton; }
    QPushButton* exportButton() const { return m_exportButton; }
    QPushButton* backupButton() const { return m_backupButton; }
    QPushButton* systemButton() const { return m_systemButton; }
    QPushButton* ctrlTabButton() const { return m_ctrlTabButton; }
    QPushButton* expButton() const { return m_expButton; }

    // The effect chain the window's chain row draws; the pedal's reports reach it here.
    EffectChain& effectChain() const { return *m_effectChain; }
    // The module whose panel is shown (0..8).
    int currentModule() const { return m_effectChain->shownModule(); }
    // Set while the two outputs' CAB settings differ.
    bool CabSimThtuStatus() const { return m_effectChain->CabSimThtuStatus(); }
    // The merge marks of EXP and EXP2.
    std::array<bool, 2> isExpControlMerge() const override { return m_expMerge; }

    QSize sizeHint() const override;

signals:
    // The chain, the pedal or start-up wants this module's panel shown (0..8).
    void moduleSelected(int module);
    void importRequested();
    void exportRequested();
    void backupRequested();
    void systemRequested();
    void ctrlTabRequested();
    void expRequested();

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildList();
    void buildStatus();
    void buildChain();
    void pickRow(int row);
    void showEntry(const QString& entry);
    void placeList();
    void placePopup();
    void watchOutsideClicks();
    void fitPresetNameFont();
    // True when the press closed the volume pop-up and is used up.
    bool handleOutsidePress(QWidget* target, const QPointF& globalPos);

    PresetHubPort& m_hub;
    SaveWindowRunner m_saveWindowRunner;
    AlertRunner m_alertRunner;

    PresetListModel* m_model = nullptr;
    // The list and the volume pop-up lie over the whole window while shown, so they
    // move to the top-level widget when they open; they still belong to this screen.
    QPointer<QFrame> m_scrollView;
    QListView* m_tableView = nullptr;
    QPointer<PresetVolumePopup> m_popView;

    downMenuView* m_presetNameHY = nullptr;
    QLabel* m_presetName = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_exportButton = nullptr;
    QPushButton* m_backupButton = nullptr;
    QPushButton* m_systemButton = nullptr;
    QPushButton* m_ctrlTabButton = nullptr;
    QPushButton* m_expButton = nullptr;
    PresetVolumeReadout* m_presetVolue = nullptr;
    QLabel* m_expMode = nullptr;
    QLabel* m_expParameter = nullptr;
    QLabel* m_exp2Mode = nullptr;
    QLabel* m_exp2Parameter = nullptr;
    CabLamp* m_cabL = nullptr;
    CabLamp* m_cabR = nullptr;

    EffectChain* m_effectChain = nullptr;
    std::array<bool, 2> m_expMerge{};
    std::vector<QPointer<QWidget>> m_globalPanels;
    bool m_watchingClicks = false;
    bool m_volumeDragged = false;  // the user's drag of the volume slider is being handled
    int m_presetVolume = 0;        // as last shown, for the keyboard's steps
    quint64 m_pickSerial = 0;
};

}  // namespace quorvex
