// quorvex-editor: the QUORVEX III editor.
#include "editor_app.h"
#include "pedal_lock.h"
#include "screenshot_scene.h"
#include "window_program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
// Ctrl+C or a polite kill ends the editor through its event loop, so that the link
// stops and a built-in virtual pedal removes its bus folder.
int signalPipe[2] = {-1, -1};
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}
}  // namespace

int main(int argc, char** argv) {
    const auto app = quorvex::makeWindowApplication(argc, argv);
    // Settings go to $XDG_CONFIG_HOME/quorvex/QUORVEX III.conf (QSettings needs both names).
    QApplication::setOrganizationName(QStringLiteral("quorvex"));
    QApplication::setApplicationName(QStringLiteral("QUORVEX III"));
    QApplication::setApplicationDisplayName(QStringLiteral("QUORVEX III"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEX_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quorvex.Editor"));  // its menu entry and icon

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor of the QUORVEX III guitar multi-effects pedal."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption virtualPedal(QStringLiteral("virtual-pedal"),
                                          QStringLiteral("Play a built-in virtual pedal instead of the USB pedal."));
    const QCommandLineOption bus(QStringLiteral("bus"), QStringLiteral("Use the virtual pedal bus in <dir>."),
                                 QStringLiteral("dir"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window as PNG once loaded, then quit."),
                                        QStringLiteral("file"));
    const QCommandLineOption show(QStringLiteral("show"),
                                  QStringLiteral("Open <view> before the screenshot: %1.")
                                      .arg(quorvex::screenshot::viewNames().join(QStringLiteral(", "))),
                                  QStringLiteral("view"), QStringLiteral("main"));
    parser.addOptions({virtualPedal, bus, screenshot, show});
    parser.process(*app);
    if (!quorvex::screenshot::viewNames().contains(parser.value(show))) {
        std::fprintf(stderr, "quorvex-editor: no view named %s\n", qPrintable(parser.value(show)));
        return 2;
    }

    std::unique_ptr<QSocketNotifier> signalNotifier;
    if (::pipe(signalPipe) == 0) {
        signalNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(signalNotifier.get(), &QSocketNotifier::activated, [] { QCoreApplication::exit(0); });
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
    }

    // A built-in virtual pedal is the editor's own; any other pedal is held by one program at a time.
    std::unique_ptr<quorvex::PedalLock> lock;
    if (!parser.isSet(virtualPedal)) {
        lock = std::make_unique<quorvex::PedalLock>("quorvex-editor", parser.value(bus).toStdString());
        if (!lock->acquired()) {
            QMessageBox::critical(nullptr, QStringLiteral("QUORVEX III"),
                                  QString::fromStdString(lock->refusal()));
            return 1;
        }
    }

    quorvex::EditorOptions options;
    options.virtualPedal = parser.isSet(virtualPedal);
    options.busDir = parser.value(bus);
    options.screenshot = parser.value(screenshot);
    options.show = parser.value(show);
    quorvex::EditorApp editor(options);
    return editor.run();
}
