#pragma once
#include <QMetaObject>
#include <QObject>

#include <utility>
#if defined(__SANITIZE_THREAD__)
#include <mutex>
#endif

namespace quorvex {

#if defined(__SANITIZE_THREAD__)
// Qt's event queue hands a posted call to the receiving thread under a lock of its own,
// which a ThreadSanitizer build cannot see (Debian's Qt is not instrumented). Posting while
// holding this mutex, and taking it before the call runs, makes the hand-off visible: all
// the posting thread wrote, the call's captures included, happens before the call.
inline std::mutex& postingMutex() {
    static std::mutex mutex;
    return mutex;
}
#endif

// Runs f on the receiver's thread (the main thread for the editor's hub and the updater);
// calls still queued when the receiver is gone are dropped.
template <typename F>
void postToMain(QObject* receiver, F f) {
#if defined(__SANITIZE_THREAD__)
    const std::lock_guard posting(postingMutex());
    QMetaObject::invokeMethod(
        receiver,
        [f = std::move(f)]() mutable {
            { const std::lock_guard received(postingMutex()); }
            f();
        },
        Qt::QueuedConnection);
#else
    QMetaObject::invokeMethod(receiver, std::move(f), Qt::QueuedConnection);
#endif
}

}  // namespace quorvex
