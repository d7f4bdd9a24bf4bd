#pragma once
#include "current_sound.h"

#include <QObject>
#include <QUndoStack>

#include <array>
#include <cstdint>
#include <vector>

namespace quorvex {

class AppDelegate;
struct ElementChange;

// The undo history of the guitarist's edits of the current preset. Every edit the hub
// sends of a module, the chain, the preset volume, the EXP or the CTRL assignments is
// a step; the moves of one gesture (from a mouse press or a key press on) make one
// step. Undo and redo put the step's elements into the part as the screens show it
// now (a knob turned on the pedal since stays) and send it as an edit would. The
// history starts empty with every other preset or record.
class EditHistory : public QObject {
    Q_OBJECT
public:
    explicit EditHistory(AppDelegate& hub, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& stack() { return stack_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr std::size_t kParts = static_cast<std::size_t>(CurrentSound::Part::Ctrl) + 1;

    void shown(int part, const std::vector<std::uint32_t>& values);
    void edited(int part, const std::vector<std::uint32_t>& values);
    void apply(int part, const std::vector<ElementChange>& changes, bool before);
    std::vector<ElementChange> changesTo(int part, const std::vector<std::uint32_t>& values) const;
    // A module switched on or off shows in the chain's flags too.
    void followModuleSwitch(int module, std::uint32_t on);

    AppDelegate& hub_;
    QUndoStack stack_;
    std::array<std::vector<std::uint32_t>, kParts> shown_;
    quint64 gesture_ = 0;
    bool replaying_ = false;
};

}  // namespace quorvex
