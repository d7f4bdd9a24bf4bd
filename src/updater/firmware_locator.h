#pragma once
#include <QString>
#include <QStringList>

namespace quorvex::updater {

// Where the firmware image is: the file named on the command line, else tavro_xb777.tr
// in the installation's share/quorvex/firmware/ or in quorvex/firmware/ of the XDG data
// folders.
struct FirmwareLocation {
    QString path;          // empty when nothing was found
    QStringList searched;  // the folders looked in, for the message when nothing was found
};

FirmwareLocation locateFirmware(const QString& chosen, const QString& ownDir);

// Why the image cannot be used, in words for the guitarist; empty when it can be read.
QString firmwareProblem(const FirmwareLocation& location);

}  // namespace quorvex::updater
