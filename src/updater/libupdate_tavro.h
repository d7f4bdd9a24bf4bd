#pragma once
#include "updater_hid_class.h"
#include "xb_update_tool.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace quorvex::updater {

// Receives the outcome of an update, on the thread the facade posts to.
class XBUpdateDelegate {
public:
    virtual ~XBUpdateDelegate() = default;
    virtual void xbUpdateProgress(float value) = 0;
    virtual void xbUpdateSuccess() = 0;
    virtual void xbUpdateFailed(const std::string& text) = 0;
};

// Runs a call on the receiving (main) thread.
using MainThreadPoster = std::function<void(std::function<void()>)>;

// The updater's facade over its link and the update engine: connects and identifies the
// pedal, tells the caller which mode it is in, and runs an update on a worker thread
// whose progress, success and failure are posted to the delegate.
class libupdate_tavro {
public:
    libupdate_tavro(std::unique_ptr<HidBackend> backend, MainThreadPoster post, ProbeTiming timing = {},
                    UpdateTimeouts timeouts = {});
    // Ends a running update where it stands (the pedal stays in its boot loader) and
    // releases the pedal.
    ~libupdate_tavro();
    libupdate_tavro(const libupdate_tavro&) = delete;
    libupdate_tavro& operator=(const libupdate_tavro&) = delete;

    void setXbDelegate(XBUpdateDelegate* delegate) { xbDelegate_ = delegate; }
    void setPid(std::uint64_t pid, std::uint64_t vid, std::uint64_t ver) { hidclass_.setPid(pid, vid, ver); }
    // 1 when a pedal identified itself, 0 when none did, -1 when no device appeared.
    // Blocks for up to a few seconds.
    int connectDeviceUpdate(const std::string& name, const std::string& version);
    // Calls the handler for the mode found: the current application, the boot loader,
    // or an older application (after releasing the pedal; `error` if that failed).
    void runApp(const std::function<void()>& runApplication, const std::function<void()>& bootloader,
                const std::function<void()>& versionlow, const std::function<void()>& error);
    // Writes the image on a worker thread of its own.
    void beginUpdate(const std::string& imagePath);
    // Releases the pedal so that another program can open it.
    void releaseDevice() { hidclass_.disconnectDevice(); }

    HIDClass& hidclass() { return hidclass_; }

private:
    void updateSuccess();
    void updateProgress(float value);
    void updateFail(const std::string& text);

    HIDClass hidclass_;
    MainThreadPoster post_;
    UpdateTimeouts timeouts_;
    XBUpdateDelegate* xbDelegate_ = nullptr;
    std::mutex toolMutex_;  // the link thread reads updateTool_ for every boot-loader frame
    std::unique_ptr<XBUpdateTool> updateTool_;
    std::thread worker_;
};

}  // namespace quorvex::updater
