#include "link_log.h"

namespace quorvex {

Q_LOGGING_CATEGORY(lcLink, "quorvex.link", QtInfoMsg)
Q_LOGGING_CATEGORY(lcTransport, "quorvex.transport", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUpdater, "quorvex.updater", QtInfoMsg)

void logLine(const QLoggingCategory& category, QtMsgType type, std::string_view line) {
    if (!category.isEnabled(type)) return;
    const QByteArray text(line.data(), static_cast<qsizetype>(line.size()));
    QMessageLogger logger(nullptr, 0, nullptr, category.categoryName());
    switch (type) {
    case QtDebugMsg: logger.debug("%s", text.constData()); break;
    case QtWarningMsg: logger.warning("%s", text.constData()); break;
    case QtCriticalMsg:
    case QtFatalMsg: logger.critical("%s", text.constData()); break;
    case QtInfoMsg: logger.info("%s", text.constData()); break;
    }
}

}  // namespace quorvex
