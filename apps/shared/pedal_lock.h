#pragma once
#include <string>

namespace quorvex {

// One program at a time on a pedal: the editor, the updater and quorvex-cli each take
// this lock while they hold the pedal. It is a lock file per user in $XDG_RUNTIME_DIR
// (else in /tmp, named with the user id), one for the USB pedal and one per virtual bus
// folder. The system drops it when the program ends, however it ends.
class PedalLock {
public:
    // Tries to take the lock for `program`; busDir empty means the USB pedal.
    PedalLock(const std::string& program, const std::string& busDir);
    ~PedalLock();
    PedalLock(const PedalLock&) = delete;
    PedalLock& operator=(const PedalLock&) = delete;

    // Also true when no lock file could be made: the programs then run unguarded.
    bool acquired() const { return holder_.empty(); }
    // The program that holds the pedal when the lock was not acquired.
    const std::string& holder() const { return holder_; }
    // Lets the pedal go, e.g. before starting the program that takes it over.
    void release();

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string holder_;
    int fd_ = -1;
};

// What a program says when another one holds the pedal.
std::string pedalInUseText(const std::string& holder);

}  // namespace quorvex
