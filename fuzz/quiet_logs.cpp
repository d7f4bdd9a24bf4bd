// Shared by every fuzz target: the link's log lines are switched off, since a fuzzer
// feeds millions of refused inputs and each refusal would otherwise print a line.
#include <QLoggingCategory>

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    QLoggingCategory::setFilterRules(QStringLiteral("quorvex.*=false"));
    return 0;
}
