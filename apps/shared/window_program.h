#pragma once
#include "stage_look.h"

#include <QApplication>

#include <memory>
#include <string_view>

namespace quorvex {

// The application object of a program with windows: a QApplication in the stage look,
// unless the command line asks for --help or --version only, which then answer without
// needing a display.
inline std::unique_ptr<QCoreApplication> makeWindowApplication(int& argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h" || arg == "--help-all" || arg == "--version" || arg == "-v")
            return std::make_unique<QCoreApplication>(argc, argv);
    }
    auto app = std::make_unique<QApplication>(argc, argv);
    ui::applyStageLook(*app);
    return app;
}

}  // namespace quorvex
