#include "save_bytes.h"

#include <QSaveFile>

namespace quorvex {

bool saveBytes(const QString& path, const std::uint8_t* bytes, std::size_t size, QString* reason) {
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) &&
                    file.write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(size)) ==
                        static_cast<qint64>(size) &&
                    file.commit();
    if (!ok) {
        if (reason) *reason = file.errorString();
        file.cancelWriting();
    }
    return ok;
}

}  // namespace quorvex
