// quorvex-pedal: a QUORVEX III on the virtual HID bus, for development without the
// pedal at hand.
#include "command_line.h"
#include "virtual_boot_loader.h"
#include "virtual_pedal.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <pthread.h>

namespace {

// Plays the device until SIGINT or SIGTERM, then unplugs it.
template <typename Device>
int serveUntilSignal(Device& device, const std::string& program, const char* what, unsigned vendor, unsigned product,
                     unsigned release, const sigset_t& signals) {
    if (!device.start()) {
        std::fprintf(stderr, "%s: cannot listen at %s\n", program.c_str(), device.socketPath().c_str());
        return 1;
    }
    std::fprintf(stderr, "%s: %s listening at %s (%04x:%04x release %04x)\n", program.c_str(), what,
                 device.socketPath().c_str(), vendor, product, release);
    int signal = 0;
    sigwait(&signals, &signal);
    device.stop();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using quorvex::pedal::CommandLine;
    const std::string program = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "quorvex-pedal";
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("quorvex-pedal %s\n", QUORVEX_VERSION);
        return 0;
    }
    const CommandLine cl = quorvex::pedal::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (cl.action == CommandLine::Action::Help) {
        std::fputs(quorvex::pedal::usageText(program).c_str(), stdout);
        return 0;
    }
    if (cl.action == CommandLine::Action::Error) {
        std::fprintf(stderr, "%s: %s\n%s", program.c_str(), cl.error.c_str(),
                     quorvex::pedal::usageText(program).c_str());
        return 2;
    }

    std::error_code ec;
    std::filesystem::create_directories(cl.busDir, ec);
    if (ec) {
        std::fprintf(stderr, "%s: cannot create %s: %s\n", program.c_str(), cl.busDir.c_str(), ec.message().c_str());
        return 1;
    }

    // The signals are taken by sigwait below; the serving thread inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    if (cl.bootLoader) {
        const auto& b = cl.bootLoaderOptions;
        quorvex::pedal::VirtualBootLoader loader(cl.busDir, b);
        return serveUntilSignal(loader, program, "QUORVEX III boot loader", b.vendor, b.productId, b.release, signals);
    }
    quorvex::pedal::VirtualPedal pedal(cl.busDir, cl.options);
    return serveUntilSignal(pedal, program, "QUORVEX III", cl.options.vendor, cl.options.productId,
                            cl.options.release, signals);
}
