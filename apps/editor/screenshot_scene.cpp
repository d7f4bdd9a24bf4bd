#include "screenshot_scene.h"

#include "editor_window.h"
#include "effect_chain.h"
#include "g_pop_up_button.h"
#include "library_tab.h"
#include "control_palette.h"
#include "module_panel.h"
#include "preset_browser.h"
#include "root_view_controller.h"
#include "settings_screens.h"
#include "striped_progress_bar.h"

#include <QPainter>
#include <QPixmap>

namespace quorvex::screenshot {
namespace palette = ui::palette;
namespace {

// The modules in the pedal's order, as --show names them.
const QStringList kModules = {QStringLiteral("fx"),  QStringLiteral("ds"),  QStringLiteral("amp"),
                              QStringLiteral("cab"), QStringLiteral("ns"),  QStringLiteral("eq"),
                              QStringLiteral("mod"), QStringLiteral("delay"), QStringLiteral("reverb")};

void showModule(EditorWindow& window, int module) {
    window.rootViewController()->effectChain().setFiveModeCurrentSelect(module);
}

// The DELAY panel with its two delay times: the model list's DUAL DELAY entry picked.
void showDualDelay(EditorWindow& window) {
    showModule(window, static_cast<int>(Module::Delay));
    ModulePanel* panel = window.panel(Module::Delay);
    ui::GPopUpButton* models = panel->popButton();
    const qsizetype row = models->dataArray().indexOf(QStringLiteral("DUAL DELAY"));
    if (row < 0) return;
    models->setIndexNumber(row);
    panel->popupButtonChange(models);
}

void holdStill(QWidget& widget) {
    for (auto* bar : widget.findChildren<ui::StripedProgressBar*>()) bar->holdStill();
}

}  // namespace

QStringList viewNames() {
    return QStringList{QStringLiteral("main"), QStringLiteral("presets"), QStringLiteral("library")} + kModules +
           QStringList{QStringLiteral("delay-dual"), QStringLiteral("system"), QStringLiteral("ctrl-tap"),
                       QStringLiteral("exp"), QStringLiteral("backup"), QStringLiteral("alert")};
}

void openView(EditorWindow& window, const QString& view) {
    RootViewController& root = *window.rootViewController();
    if (view == QLatin1String("presets")) root.composeToolDownMenuOpenState(1);
    if (view == QLatin1String("library")) window.presetBrowser()->setCurrentWidget(window.presetBrowser()->library());
    if (kModules.contains(view)) showModule(window, static_cast<int>(kModules.indexOf(view)));
    if (view == QLatin1String("delay-dual")) showDualDelay(window);
    if (view == QLatin1String("system")) window.settingsScreens()->SystemButtonClick();
    if (view == QLatin1String("ctrl-tap")) window.settingsScreens()->CtrlTabButtonClick();
    if (view == QLatin1String("exp")) window.settingsScreens()->ExpButtonClick();
    if (view == QLatin1String("backup")) root.backupButtonClick();  // runs until the editor quits
}

bool viewHasDialog(const QString& view) {
    return view == QLatin1String("backup") || view == QLatin1String("alert");
}

bool save(QWidget& window, QWidget* dialog, const QString& file) {
    holdStill(window);
    QPixmap picture = window.grab();
    if (dialog) {
        holdStill(*dialog);
        const QPixmap over = dialog->grab();
        const QRect place(QPoint((picture.width() - over.width()) / 2, (picture.height() - over.height()) / 2),
                          over.size());
        QPainter painter(&picture);
        painter.drawPixmap(place.topLeft(), over);
        // The desktop would frame the dialog; offscreen there is no frame to grab.
        painter.setPen(palette::outline());
        painter.drawRect(place.adjusted(-1, -1, 0, 0));
    }
    return picture.save(file, "PNG");
}

}  // namespace quorvex::screenshot
