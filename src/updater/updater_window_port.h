#pragma once
#include <QString>

#include <functional>

namespace quorvex::updater {

// The updater's window as its flow sees it: a message, the update offer (Yes, No and a
// warning), Done, a progress bar and alerts. The flow is tested with a stand-in.
class UpdaterWindowPort {
public:
    virtual ~UpdaterWindowPort() = default;
    virtual void showWindow() = 0;
    virtual void setMessage(const QString& text) = 0;
    // Yes, No and the warning text together.
    virtual void setOfferVisible(bool visible) = 0;
    virtual void setDoneVisible(bool visible) = 0;
    virtual bool doneVisible() const = 0;
    // 0..1.
    virtual void setProgress(double fraction) = 0;
    // A critical alert over the window; `dismissed` runs once the user has closed it.
    virtual void showAlert(const QString& text, std::function<void()> dismissed) = 0;
};

}  // namespace quorvex::updater
