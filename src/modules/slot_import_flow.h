#pragma once
#include "file_alerts.h"
#include "link_transfer.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

class QWidget;

namespace quorvex {

class AppDelegate;
class FileChooser;

// Loads a file into one of the pedal's user slots: the file dialog, the file read and
// checked (a refused file is told with the reason), the upload with a progress dialog
// on the event loop, and "import IR error?" / "import AMP error?" when the pedal does
// not take it in time. A cancelled upload is told too: the slot may hold part of it.
// The panels own one each.
class SlotImportFlow : public QObject {
    Q_OBJECT
public:
    // Runs after a finished upload with the name the slot now shows.
    using Done = std::function<void(const QString& name)>;

    explicit SlotImportFlow(QWidget* panel);
    ~SlotImportFlow() override;

    void setHub(AppDelegate& hub) { hub_ = &hub; }
    void setFileChooser(std::shared_ptr<FileChooser> chooser) { chooser_ = std::move(chooser); }
    void setAlert(FileAlert alert) { alert_ = std::move(alert); }
    void setTimeLimit(std::chrono::milliseconds limit) { limit_ = limit; }

    // An impulse response (WAV) into user cabinet slot 0..9.
    void importIr(int slot, Done done);
    // An amp model (.amp) into user amp slot 0..9.
    void importAmp(int slot, Done done);

    // The upload running now, if any.
    LinkTransfer* transfer() const { return transfer_.get(); }

signals:
    void importEnded(bool success);

private:
    QString chooseFile(const QString& filter);
    // Tells why a file is not loaded; detail is the reader's own error description.
    void refuse(const QString& path, const QString& reason, const QString& detail = {});
    void run(std::unique_ptr<LinkTransfer> transfer, const QString& title, const QString& failure,
             std::function<void()> abandon, Done done, const QString& name);
    bool busy() const { return transfer_ && transfer_->running(); }

    QPointer<QWidget> panel_;
    AppDelegate* hub_ = nullptr;
    std::shared_ptr<FileChooser> chooser_;
    FileAlert alert_;
    std::chrono::milliseconds limit_{10000};
    std::unique_ptr<LinkTransfer> transfer_;
};

}  // namespace quorvex
