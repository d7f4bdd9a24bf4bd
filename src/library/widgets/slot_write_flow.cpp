#include "slot_write_flow.h"

#include "app_delegate.h"
#include "preset_import.h"
#include "root_view_controller.h"
#include "transfer_progress_dialog.h"

#include <QFileInfo>

namespace quorvex {

SlotWriteFlow::SlotWriteFlow(AppDelegate& hub, RootViewController& root, QObject* parent)
    : QObject(parent), hub_(hub), root_(root), alert_(modalFileAlert()) {}

SlotWriteFlow::~SlotWriteFlow() = default;

bool SlotWriteFlow::refuseWhileBusy() {
    if (!hub_.HidDevece()) return true;
    if (!running()) return false;
    alert_(root_.window(), QMessageBox::Information, QStringLiteral("The pedal is still writing presets; try again when it is done."));
    return true;
}

void SlotWriteFlow::reorder(int from, int to, bool move) {
    if (refuseWhileBusy()) return;
    DeviceThread& link = *hub_.HidDevece();
    std::vector<int> missing;
    std::vector<SlotWrite> writes;
    link.withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        missing = missingSlotsOf(link.presets(), from, to, move);
        writes = move ? moveWrites(link.presets(), from, to) : copyWrites(link.presets(), from, to);
    });
    if (!missing.empty()) {
        alert_(root_.window(), QMessageBox::Warning, QString::fromStdString(missingPresetsText(missing)));
        return;
    }
    run(std::move(writes), move ? QStringLiteral("Moving presets") : QStringLiteral("Copying a preset"));
}

void SlotWriteFlow::writeFile(const QString& path, int slot) {
    if (refuseWhileBusy()) return;
    ImportPlan plan = readImportFiles({path});
    if (!plan.error.isEmpty()) {
        alert_(root_.window(), QMessageBox::Warning, plan.error);
        return;
    }
    const ImportFile& file = plan.files.front();
    run({fileWrite(slot, file.record, file.baseName)}, QStringLiteral("Writing a preset file"));
}

void SlotWriteFlow::putBack(int slot, const PresetRecord& record) {
    if (refuseWhileBusy()) return;
    DeviceThread& link = *hub_.HidDevece();
    link.withLinkLock([&link, slot](ParameterBlocks&, CommandEncoder&) { link.presets().expectWriter(slot, "put back"); });
    run({{slot, record}}, QStringLiteral("Putting back a preset"));
}

void SlotWriteFlow::run(std::vector<SlotWrite> writes, const QString& title) {
    if (writes.empty()) return;
    const std::size_t count = writes.size();
    run_ = std::make_unique<SlotWrites>(*hub_.HidDevece(), std::move(writes), poll_);
    run_->setSaveAnnouncer([this](int slot) { hub_.expectSaveConfirmation(slot); });
    connect(run_.get(), &SlotWrites::slotWritten, this, [this](int slot) {
        const std::string name = hub_.HidDevece()->withLinkLock(
            [this, slot](ParameterBlocks&, CommandEncoder&) { return hub_.HidDevece()->presets().name(slot); });
        root_.UpdataPresetListIndex(slot, QString::fromStdString(presetDisplayText(slot, name)));
    });
    connect(run_.get(), &SlotWrites::finished, this, [this](LinkTransfer::End end) {
        if (end != LinkTransfer::End::Done) {
            const LinkStep& step = run_->transfer().step(run_->transfer().currentStep());
            const QString what = end == LinkTransfer::End::Cancelled   ? QStringLiteral("Writing was cancelled at %1.")
                                 : end == LinkTransfer::End::Unplugged ? QStringLiteral("The pedal was disconnected while writing %1.")
                                                                       : QStringLiteral("The pedal did not confirm %1.");
            alert_(root_.window(), QMessageBox::Warning,
                   what.arg(step.what) + QStringLiteral(" The slots before it hold their new presets; the others are unchanged."));
        }
        // A save's confirmation shows the stored preset again; the sound played before is
        // what the pedal plays once more.
        if (end == LinkTransfer::End::Done && run_->reloadsSound()) hub_.ReadBufferPresetToGui(run_->soundBefore());
        run_.release()->deleteLater();
        emit finished();
    });
    if (count > kQuietWrites) {
        auto* progress = new TransferProgressDialog(run_->transfer(), title, root_.window());
        progress->setAttribute(Qt::WA_DeleteOnClose);
        run_->start();
        progress->show();
    } else {
        run_->start();
    }
}

}  // namespace quorvex
