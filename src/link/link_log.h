#pragma once
#include <QLoggingCategory>

#include <string_view>

namespace quorvex {

// The link's message categories. Info and warnings are shown by default; the updater's
// packet-by-packet trace only with QT_LOGGING_RULES="quorvex.updater.debug=true", and
// QT_LOGGING_RULES="quorvex.*=false" silences them all.
Q_DECLARE_LOGGING_CATEGORY(lcLink)       // quorvex.link: the pedal found, opened, refused, lost
Q_DECLARE_LOGGING_CATEGORY(lcTransport)  // quorvex.transport: hidraw and the virtual bus
Q_DECLARE_LOGGING_CATEGORY(lcUpdater)    // quorvex.updater: the boot loader's conversation

// One short line into a category (standard error, which the session journal keeps).
void logLine(const QLoggingCategory& category, QtMsgType type, std::string_view line);

inline void linkLog(std::string_view line) { logLine(lcLink(), QtInfoMsg, line); }
inline void transportLog(std::string_view line) { logLine(lcTransport(), QtInfoMsg, line); }
inline void transportWarning(std::string_view line) { logLine(lcTransport(), QtWarningMsg, line); }
inline void updaterLog(std::string_view line) { logLine(lcUpdater(), QtInfoMsg, line); }
inline void updaterTrace(std::string_view line) { logLine(lcUpdater(), QtDebugMsg, line); }

}  // namespace quorvex
