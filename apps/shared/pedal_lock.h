#pragma once
#include <string>

namespace quorvex {

// One program at a time on a pedal: the editor, the updater and quorvex-cli each take
// this lock while they hold the pedal. It is a lock file per user in $XDG_RUNTIME_DIR, else
// in quorvex-<uid> of the temporary folder, a folder only this user may enter; one for the
// USB pedal and one per virtual bus folder. The system drops it when the program ends,
// however it ends.
class PedalLock {
public:
    // Tries to take the lock for `program`; busDir empty means the USB pedal.
    PedalLock(const std::string& program, const std::string& busDir);
    ~PedalLock();
    PedalLock(const PedalLock&) = delete;
    PedalLock& operator=(const PedalLock&) = delete;

    // Also true when no lock file could be made at all: the programs then run unguarded.
    // False when another program holds the pedal or the lock folder is not safe.
    bool acquired() const { return refusal_.empty(); }
    // Why the lock was not acquired, as the programs tell it.
    const std::string& refusal() const { return refusal_; }
    // Lets the pedal go, e.g. before starting the program that takes it over.
    void release();

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string refusal_;
    int fd_ = -1;
};

}  // namespace quorvex
