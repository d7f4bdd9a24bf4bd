#include "diary.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <pwd.h>
#include <unistd.h>

namespace quorvex {

Diary::Diary(std::string path) : path_(std::move(path)) {}

Diary::~Diary() {
    if (file_) std::fclose(file_);
}

std::FILE* Diary::fileHandle() {
    if (!file_ && !openFailed_) {
        // Append mode creates the file when missing and never truncates it.
        file_ = std::fopen(path_.c_str(), "a");
        openFailed_ = file_ == nullptr;
    }
    return file_;
}

void Diary::writeMessageToFile(std::string_view message) {
    std::string line = diaryTimeStamp();
    line += ":==";
    line += message;
    line += '\n';
    std::lock_guard lock(mutex_);
    if (std::FILE* file = fileHandle()) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fflush(file);
    }
}

std::string diaryTimeStamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[40];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(text + n, sizeof text - n, ".%03d", static_cast<int>(millis));
    return text;
}

std::string GGEffectFunManager::defaultPath() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* entry = getpwuid(getuid());
        home = entry ? entry->pw_dir : "/tmp";
    }
    return std::string(home) + "/rigDiary";
}

Diary& GGEffectFunManager::shareManager() {
    static Diary diary(defaultPath());
    return diary;
}

}  // namespace quorvex
