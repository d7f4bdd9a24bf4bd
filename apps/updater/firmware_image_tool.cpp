// quorvex-firmware-image: writes a generated firmware image for trying the updater
// against the virtual boot loader. Its data is noise: no pedal could run it.
#include "firmware_image_writer.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: quorvex-firmware-image [--tag SIZE[:SECTOR[:TIMEOUT_MS]]]... [--skip SIZE[:SECTOR]]... [--seed N] OUT\n"
    "Writes a generated firmware image to OUT, for quorvex-updater and quorvex-cli firmware-update against\n"
    "quorvex-pedal --boot-loader. Tags are written in the order given; --skip adds a tag whose erase bit\n"
    "is clear (the updater passes over it). Without tags: --tag 65536:0 --tag 1100:256.\n";

bool number(std::string_view text, std::uint32_t& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

// SIZE[:SECTOR[:TIMEOUT_MS]]
bool parseTag(std::string_view text, quorvex::updater::TagPlan& tag) {
    std::uint32_t fields[3] = {0, 0, tag.timeoutMs};
    for (int i = 0; i < 3 && !text.empty(); ++i) {
        const std::size_t colon = text.find(':');
        if (!number(text.substr(0, colon), fields[i])) return false;
        text = colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    }
    if (!text.empty() || fields[1] > 0xFFFF) return false;
    tag.size = fields[0];
    tag.sector = static_cast<std::uint16_t>(fields[1]);
    tag.timeoutMs = fields[2];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    quorvex::updater::ImagePlan plan;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool takesValue = arg == "--tag" || arg == "--skip" || arg == "--seed";
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("quorvex-firmware-image %s\n", QUORVEX_VERSION);
            return 0;
        }
        if (takesValue && i + 1 < argc) {
            const std::string_view value = argv[++i];
            quorvex::updater::TagPlan tag;
            tag.erase = arg == "--tag";
            const bool ok = arg == "--seed" ? number(value, plan.seed) : parseTag(value, tag);
            if (!ok) {
                std::fprintf(stderr, "quorvex-firmware-image: bad value for %s: %s\n%s", argv[i - 1], argv[i], kUsage);
                return 2;
            }
            if (arg != "--seed") plan.tags.push_back(tag);
        } else if (!takesValue && out.empty() && !arg.starts_with("-")) {
            out = arg;
        } else {
            std::fprintf(stderr, "quorvex-firmware-image: unexpected %s\n%s", argv[i], kUsage);
            return 2;
        }
    }
    if (out.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (plan.tags.empty()) plan.tags = {{65536, 0}, {1100, 256}};
    if (plan.tags.size() > 255 || !quorvex::updater::writeFirmwareImage(plan, out)) {
        std::fprintf(stderr, "quorvex-firmware-image: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
