#pragma once
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace quorvex {

// Append-only text trace of the conversation with the pedal. Each line is
// "yyyy-MM-dd HH:mm:ss.SSS:==<message>\n". Appends from several threads are
// serialised, so lines never interleave. Failures to open or write are silent.
class Diary {
public:
    explicit Diary(std::string path);
    ~Diary();
    Diary(const Diary&) = delete;
    Diary& operator=(const Diary&) = delete;

    void writeMessageToFile(std::string_view message);
    const std::string& path() const { return path_; }

private:
    std::FILE* fileHandle();

    std::string path_;
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
    bool openFailed_ = false;
};

// The process-wide diary "rigDiary" in the user's home folder.
class GGEffectFunManager {
public:
    static Diary& shareManager();
    static std::string defaultPath();
};

// Current local time as "yyyy-MM-dd HH:mm:ss.SSS".
std::string diaryTimeStamp();

}  // namespace quorvex
