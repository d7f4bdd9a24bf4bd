#pragma once
#include "link_transfer.h"

#include <array>
#include <cstdint>
#include <memory>

namespace quorvex {

class AMPFile;
class YJIRFile;

// The pedal has this long to take a whole impulse response or amp model.
inline constexpr std::chrono::milliseconds kSlotUploadLimit{10000};

// What an upload takes from its file: the data and the name the pedal keeps.
struct IrUploadData {
    std::array<std::uint32_t, 512> samples{};
    std::array<std::uint8_t, 11> name{};
};
struct AmpUploadData {
    std::array<std::uint32_t, 512> words{};
    std::array<std::uint8_t, 15> name{};
};
IrUploadData irUploadData(const YJIRFile& file);
AmpUploadData ampUploadData(const AMPFile& file);

// An impulse response into user cabinet slot 0..9: four chunks with command 225, each
// acknowledged before the next goes out, all within `limit`.
std::unique_ptr<LinkTransfer> makeIrUpload(DeviceThread& link, std::uint8_t slot, const IrUploadData& data,
                                           std::chrono::milliseconds limit, std::chrono::milliseconds pollInterval,
                                           QObject* parent = nullptr);
// An amp model into user amp slot 0..9: five chunks with command 226.
std::unique_ptr<LinkTransfer> makeAmpUpload(DeviceThread& link, std::uint8_t slot, const AmpUploadData& data,
                                            std::chrono::milliseconds limit, std::chrono::milliseconds pollInterval,
                                            QObject* parent = nullptr);

// Said after an upload that did not finish: the pedal keeps the chunks it took.
inline constexpr char kPartialUploadAdvice[] = "Load it again: until then the slot may hold part of it.";

// After an upload that did not finish: nothing more goes out and the next one starts
// at chunk 1.
void abandonIrUpload(DeviceThread& link);
void abandonAmpUpload(DeviceThread& link);

}  // namespace quorvex
