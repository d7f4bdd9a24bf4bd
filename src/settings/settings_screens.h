#pragma once
#include <QObject>
#include <QPointer>

#include <cstdint>
#include <vector>

class QWidget;

namespace quorvex {
class AppDelegate;
}

namespace quorvex::settings {

class SettingsOverlay;
class YJCtrlTabView;
class YJExpView;
class YJSystemView;

// The global settings screens of the main window and their wiring to the hub: what
// the screens edit goes to the hub on the next turn of the event loop, what the pedal
// reports and what a loaded preset holds comes back to them, and the pedal's page
// command opens and closes them.
class SettingsScreens : public QObject {
    Q_OBJECT
public:
    // The screens lie over `host`, the main window's content.
    SettingsScreens(AppDelegate& hub, QWidget* host);

    // The main window's SYSTEM, CTRL/TAP and EXP buttons.
    void SystemButtonClick();
    void CtrlTabButtonClick();
    void ExpButtonClick();

    // The pedal's page command: 1 system, 2 CTRL/TAP, 3 expression (with EXP VOL when
    // c is 1); 0 is the hub's own (every settings screen closes).
    void showPage(std::uint32_t b, std::uint32_t c);

    // Every settings screen and overlay, for the main window to close together.
    std::vector<QWidget*> panels() const;

    YJSystemView* systemView() const { return system_; }
    YJCtrlTabView* ctrlTabView() const { return ctrl_; }
    YJExpView* expView() const { return exp_; }

signals:
    // A factory reset went to the pedal: the editor ends.
    void terminateRequested();

private:
    void wireSystem();
    void wireCtrl();
    void wireExp();
    void open(SettingsOverlay* overlay, std::uint32_t page);

    AppDelegate& hub_;
    QPointer<QWidget> host_;
    YJSystemView* system_;
    YJCtrlTabView* ctrl_;
    YJExpView* exp_;
};

}  // namespace quorvex::settings
