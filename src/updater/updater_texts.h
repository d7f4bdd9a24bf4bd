#pragma once
#include "access_diagnosis.h"

#include <QString>

namespace quorvex::updater {

// What the updater tells the guitarist.
inline QString noPedalText() {
    return QStringLiteral("No device connected! Please reconnect your QUORVEX III and try again.");
}
// node: the device the updater was refused.
inline QString noPermissionText(const std::string& node) {
    return QString::fromStdString(diagnoseAccess(node).text());
}
inline QString firmwareTooLowText() {
    return QString::fromUtf8(
        "Firmware version too low. Please update the firmware on your device\n \n"
        "      1、Press and hold far left footswitch whilst connecting power to QUORVEX III\n \n"
        "     2、Connect QUORVEX III to a computer via USB\n \n ");
}
// The pedal named a mode letter that is neither its application's nor its boot loader's.
inline QString unknownModeText(char mode) {
    const QString shown = mode > ' ' && mode < 0x7F ? QStringLiteral("\"%1\"").arg(QLatin1Char(mode))
                                                    : QStringLiteral("code %1").arg(int(mode & 0xFF));
    return QStringLiteral("The QUORVEX III reported an operating mode this updater does not know (%1). Disconnect it, "
                          "connect it again and run the updater once more.")
        .arg(shown);
}
inline QString updatingText() { return QStringLiteral("UPDATING FIRMWARE!\n Do not disconnect your device"); }
inline QString successText() {
    return QString::fromUtf8("Firmware Update successful!\n Click ‘Done’ to enter the software");
}
inline QString updateFailText(const QString& reason) {
    return QStringLiteral("Update fail: please try again. (%1)").arg(reason);
}
// Added to the failure when the pedal went away meanwhile: retrying alone will not do.
inline QString disconnectedDuringUpdateText() {
    return QStringLiteral(
        "The QUORVEX III was disconnected during the update. Connect it again in its boot loader, then run the "
        "update once more.");
}
inline QString offerText() {
    return QStringLiteral("Your QUORVEX III is waiting in its boot loader.\nInstall the new firmware now?");
}
inline QString offerWarningText() {
    return QStringLiteral("Keep the pedal connected and switched on until the update is done.");
}
inline QString editorMissingText() {
    return QStringLiteral(
        "The QUORVEX III editor could not be started: quorvex-editor was found neither beside "
        "the updater nor on the PATH.");
}

}  // namespace quorvex::updater
