#pragma once
#include "link_transfer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace quorvex::testing {

// The event loop the transfers poll on, for test programs without a screen.
inline void ensureCoreApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "transfer-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Runs the transfer to its end; counts how often the event loop turned meanwhile.
inline LinkTransfer::End runToEnd(LinkTransfer& transfer, int* turns = nullptr) {
    QEventLoop loop;
    QTimer beat;
    int beats = 0;
    QObject::connect(&beat, &QTimer::timeout, [&beats] { ++beats; });
    beat.start(5);
    LinkTransfer::End end = LinkTransfer::End::Done;
    QObject::connect(&transfer, &LinkTransfer::finished, &loop, [&](LinkTransfer::End e) {
        end = e;
        loop.quit();
    });
    transfer.start();
    loop.exec();
    if (turns) *turns = beats;
    return end;
}

}  // namespace quorvex::testing
