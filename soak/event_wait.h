#pragma once
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace quorvex::soak {

// Lets the editor's event loop run for a while, as it does while a guitarist thinks.
inline void pauseFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until done() holds, looking every 20 ms; false after the timeout.
inline bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int waited = 0; !done(); waited += 20) {
        if (waited >= timeoutMs) return false;
        pauseFor(20);
    }
    return true;
}

}  // namespace quorvex::soak
