#pragma once
#include <QString>

#include <cstddef>
#include <cstdint>

namespace quorvex {

// Writes a whole file atomically (QSaveFile): the target holds either its old content
// or all of the new bytes, never a part. On failure reason (if given) says why.
bool saveBytes(const QString& path, const std::uint8_t* bytes, std::size_t size, QString* reason = nullptr);

}  // namespace quorvex
