#include "firmware_locator.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvex::updater {
namespace {
const QString kImageName = QStringLiteral("tavro_xb777.tr");
}

FirmwareLocation locateFirmware(const QString& chosen, const QString& ownDir) {
    if (!chosen.isEmpty()) return {chosen, {}};
    FirmwareLocation location;
    location.searched << QDir::cleanPath(ownDir + QStringLiteral("/../share/quorvex/firmware"));
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        location.searched << QDir::cleanPath(data + QStringLiteral("/quorvex/firmware"));
    }
    for (const QString& folder : location.searched) {
        const QString candidate = folder + QLatin1Char('/') + kImageName;
        if (QFileInfo::exists(candidate)) {
            location.path = candidate;
            break;
        }
    }
    return location;
}

QString firmwareProblem(const FirmwareLocation& location) {
    if (location.path.isEmpty()) {
        return QStringLiteral(
                   "The firmware file %1 was not found in:\n%2\n\nNothing was sent to your QUORVEX III. "
                   "Start the updater with --firmware FILE to name the file.")
            .arg(kImageName, location.searched.join(QLatin1Char('\n')));
    }
    const QFileInfo file(location.path);
    if (!file.isFile() || !file.isReadable()) {
        return QStringLiteral("The firmware file %1 cannot be read.\n\nNothing was sent to your QUORVEX III.")
            .arg(location.path);
    }
    return {};
}

}  // namespace quorvex::updater
