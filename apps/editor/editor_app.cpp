#include "editor_app.h"

#include "access_diagnosis.h"
#include "app_delegate.h"
#include "backup_window_controller.h"
#include "diary.h"
#include "editor_window.h"
#include "hidraw_backend.h"
#include "load_data_window.h"
#include "missing_presets_notice.h"
#include "preset_history.h"
#include "screenshot_scene.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <unistd.h>

namespace quorvex {

EditorApp::EditorApp(EditorOptions options) : options_(std::move(options)) {}

EditorApp::~EditorApp() {
    if (hub_) hub_->stopLink();
    if (virtualPedal_) virtualPedal_->stop();
    if (!virtualBus_.isEmpty()) QDir(virtualBus_).removeRecursively();
}

std::unique_ptr<HidBackend> EditorApp::makeBackend() {
    if (options_.virtualPedal) {
        // A private bus folder with one virtual pedal on it.
        virtualBus_ = QDir::temp().filePath(QStringLiteral("quorvex-editor-%1").arg(::getpid()));
        QDir().mkpath(virtualBus_);
        virtualPedal_ = std::make_unique<pedal::VirtualPedal>(virtualBus_.toStdString());
        virtualPedal_->start();
        return std::make_unique<VirtualBusBackend>(virtualBus_.toStdString());
    }
    if (!options_.busDir.isEmpty()) return std::make_unique<VirtualBusBackend>(options_.busDir.toStdString());
    return std::make_unique<HidrawBackend>();
}

int EditorApp::run() {
    hub_ = std::make_unique<AppDelegate>();
    window_ = std::make_unique<EditorWindow>(*hub_);
    connect(hub_.get(), &AppDelegate::fatalAlert, this, &EditorApp::showFatal);
    hub_->installKeyHook(qApp);
    connect(window_.get(), &EditorWindow::closed, this, &EditorApp::quit);
    // The loading window is the only window for a while; closing it must not end the
    // program behind the start-up's back.
    QApplication::setQuitOnLastWindowClosed(false);

    LinkOptions link;
    link.diary = &GGEffectFunManager::shareManager();
    link.pacedTransfers = pacedTransfersChosen();
    hub_->startLink(makeBackend(), link);
    keepReplacedPresets(*hub_->HidDevece());

    if (!runLoadingWindow() || exiting_) return 0;

    window_->show();
    window_->raise();
    tellMissingPresets(window_.get(), hub_->missingPresets());
    if (!options_.screenshot.isEmpty()) {
        // Let the posted events of the last presets reach the screens first.
        QTimer::singleShot(600, this, &EditorApp::takeScreenshot);
    }
    QApplication::exec();
    return 0;
}

bool EditorApp::runLoadingWindow() {
    LoadDataWindowController loading;
    loadWindow_ = &loading;
    connect(hub_.get(), &AppDelegate::loadProgress, &loading, [&loading](float v) {
        loading.setPedalState(LoadDataWindowController::PedalState::Loading);
        loading.SetProgress(v);
    });
    connect(&loading, &LoadDataWindowController::exitRequested, this, &EditorApp::quit);
    // Tell the user whether the pedal is missing, locked away, or sending.
    QTimer presence;
    connect(&presence, &QTimer::timeout, &loading, [this, &loading] {
        const HIDClass& hid = hub_->HidDevece()->hidClass();
        const PedalPresence state = hid.presence();
        if (state == PedalPresence::NoPermission)
            loading.showAccessProblem(QString::fromStdString(diagnoseAccess(hid.deniedNode()).text()));
        if (state == PedalPresence::Connected) loading.setPedalState(LoadDataWindowController::PedalState::Loading);
    });
    presence.start(200);
    const int result = loading.exec();
    loadWindow_ = nullptr;
    return result == QDialog::Accepted;
}

void EditorApp::showFatal(const QString& message) {
    if (alertShown_) return;
    alertShown_ = true;
    QWidget* parent = loadWindow_ ? static_cast<QWidget*>(loadWindow_) : window_.get();
    QMessageBox alert(QMessageBox::Critical, QStringLiteral("QUORVEX III"), message, QMessageBox::NoButton, parent);
    alert.setWindowModality(Qt::WindowModal);
    alert.addButton(QStringLiteral("Exit"), QMessageBox::AcceptRole);
    alert.exec();
    quit();
}

void EditorApp::quit() {
    exiting_ = true;
    if (hub_) hub_->stopLink();
    QCoreApplication::exit(0);
}

void EditorApp::takeScreenshot() {
    QApplication::setCursorFlashTime(0);  // a text field's cursor shows steadily
    // Each wait lets the screens draw what the view's events brought.
    constexpr int settleMs = 400;
    if (screenshot::viewHasDialog(options_.show)) {
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this, poll] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) return;
            poll->stop();
            QTimer::singleShot(settleMs, this, [this, dialog] { saveScreenshot(dialog); });
        });
        poll->start(50);
    } else {
        QTimer::singleShot(settleMs, this, [this] { saveScreenshot(nullptr); });
    }
    if (options_.show == QLatin1String("alert") && virtualPedal_) virtualPedal_->stop();  // the pedal is unplugged
    screenshot::openView(*window_, options_.show);
}

void EditorApp::saveScreenshot(QWidget* dialog) {
    if (!screenshot::save(*window_, dialog, options_.screenshot))
        qWarning("could not write %s", qPrintable(options_.screenshot));
    quit();
}

}  // namespace quorvex
