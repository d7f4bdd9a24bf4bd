// quorvex-editor: the QUORVEX III editor.
#include "editor_app.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QUORVEX III"));
    QApplication::setApplicationDisplayName(QStringLiteral("QUORVEX III"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Editor of the QUORVEX III guitar multi-effects pedal."));
    parser.addHelpOption();
    const QCommandLineOption virtualPedal(QStringLiteral("virtual-pedal"),
                                          QStringLiteral("Play a built-in virtual pedal instead of the USB pedal."));
    const QCommandLineOption bus(QStringLiteral("bus"), QStringLiteral("Use the virtual pedal bus in <dir>."),
                                 QStringLiteral("dir"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the main window as PNG once loaded, then quit."),
                                        QStringLiteral("file"));
    parser.addOptions({virtualPedal, bus, screenshot});
    parser.process(app);

    quorvex::EditorOptions options;
    options.virtualPedal = parser.isSet(virtualPedal);
    options.busDir = parser.value(bus);
    options.screenshot = parser.value(screenshot);
    quorvex::EditorApp editor(options);
    return editor.run();
}
