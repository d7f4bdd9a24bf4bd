// quorvex-updater: writes new firmware into a QUORVEX III waiting in its boot loader,
// or starts the editor when the pedal already runs the current firmware.
#include "editor_launcher.h"
#include "firmware_locator.h"
#include "hidraw_backend.h"
#include "pedal_lock.h"
#include "screenshot_window.h"
#include "updater_app_delegate.h"
#include "updater_window.h"
#include "virtual_bus_backend.h"
#include "window_program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    using namespace quorvex;
    const auto app = makeWindowApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUORVEX III Updater"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvex.Updater"));
    QApplication::setQuitOnLastWindowClosed(false);  // the flow decides when to end

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Firmware updater of the QUORVEX III guitar multi-effects pedal."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption bus(QStringLiteral("bus"), QStringLiteral("Use the virtual pedal bus in <dir>."),
                                 QStringLiteral("dir"));
    const QCommandLineOption firmware(QStringLiteral("firmware"),
                                      QStringLiteral("The firmware image to write (default: tavro_xb777.tr in the "
                                                     "data folders)."),
                                      QStringLiteral("file"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Answer Yes, save the window as PNG halfway through the "
                                                       "update, then quit."),
                                        QStringLiteral("file"));
    parser.addOptions({bus, firmware, screenshot});
    parser.process(*app);

    PedalLock lock("quorvex-updater", parser.value(bus).toStdString());
    if (!lock.acquired()) {
        QMessageBox::critical(nullptr, QApplication::applicationName(),
                              QString::fromStdString(lock.refusal()));
        return 1;
    }

    const QString ownDir = QCoreApplication::applicationDirPath();
    QStringList editorArguments;
    if (parser.isSet(bus)) editorArguments << QStringLiteral("--bus") << parser.value(bus);
    updater::UpdaterSetup setup;
    setup.firmware = updater::locateFirmware(parser.value(firmware), ownDir);
    setup.launchEditor = [&lock, ownDir, editorArguments] {
        lock.release();  // the editor takes the pedal over
        return updater::startEditor(ownDir, editorArguments);
    };
    setup.quit = [](int status) { QCoreApplication::exit(status); };
    std::unique_ptr<HidBackend> backend;
    if (parser.isSet(bus)) {
        backend = std::make_unique<VirtualBusBackend>(parser.value(bus).toStdString());
    } else {
        backend = std::make_unique<HidrawBackend>();
    }

    // Hidden until the pedal has answered.
    std::unique_ptr<updater::UpdaterWindow> ownWindow;
    if (parser.isSet(screenshot)) {
        ownWindow = std::make_unique<updater::ScreenshotWindow>(parser.value(screenshot));
    } else {
        ownWindow = std::make_unique<updater::UpdaterWindow>();
    }
    updater::UpdaterWindow& window = *ownWindow;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
    updater::AppDelegate delegate(window, std::move(backend), std::move(setup));
    QObject::connect(&window, &updater::UpdaterWindow::yesClicked, &delegate, &updater::AppDelegate::YesButtonClick);
    QObject::connect(&window, &updater::UpdaterWindow::noClicked, &delegate, &updater::AppDelegate::NoButtonClick);
    QObject::connect(&window, &updater::UpdaterWindow::doneClicked, &delegate, &updater::AppDelegate::DoneButtonClick);
    QObject::connect(&window, &updater::UpdaterWindow::closeRequested, &delegate,
                     &updater::AppDelegate::CloseButtonClick);
    QTimer::singleShot(0, &delegate, &updater::AppDelegate::applicationDidFinishLaunching);
    return app->exec();
}
