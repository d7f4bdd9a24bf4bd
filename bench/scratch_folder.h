#pragma once
#include <filesystem>
#include <string>

#include <unistd.h>

namespace quorvex::bench {

// A benchmark's own folder under the temporary directory (bus sockets, images, a home
// folder), named after the process so that runs side by side never meet. fresh() empties
// it before a run; it is removed when the benchmark ends.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        fresh();
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    void fresh() const {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

}  // namespace quorvex::bench
