// The descriptor a device sends first on the virtual HID bus. A descriptor that is
// taken must come back the same after being written out and read again (when the text
// written stays within the 4096 bytes a descriptor may have).
#include "virtual_bus.h"

#include <cstdint>

using namespace quorvex::vbus;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto descriptor = decodeDescriptor({data, size});
    if (!descriptor) return 0;
    const std::string text = encodeDescriptor(*descriptor);
    if (text.size() > 4096) return 0;
    const auto again = decodeDescriptor({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    if (!again || again->vendor != descriptor->vendor || again->product != descriptor->product ||
        again->release != descriptor->release || again->name != descriptor->name)
        __builtin_trap();
    return 0;
}
