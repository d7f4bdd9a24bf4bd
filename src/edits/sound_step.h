#pragma once
#include <QUndoCommand>

#include <cstdint>
#include <functional>
#include <vector>

namespace quorvex {

// One element of a part of the sound that an edit changed.
struct ElementChange {
    std::size_t element = 0;
    std::uint32_t before = 0;
    std::uint32_t after = 0;
};

// One step of the undo history: the elements one edit changed in one part of the
// sound (a module's number or a CurrentSound::Part). The moves of one gesture (a
// drag) merge into one step. Undo and redo hand the elements to `apply`, which puts
// them into the part as it is now and sends it.
class SoundStep : public QUndoCommand {
public:
    using Apply = std::function<void(int part, const std::vector<ElementChange>& changes, bool before)>;

    SoundStep(int part, std::vector<ElementChange> changes, quint64 gesture, Apply apply);

    // Pushing a step does not send it again: the edit has gone out already.
    void redo() override;
    void undo() override;
    int id() const override { return part_ + 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    int part_;
    std::vector<ElementChange> changes_;
    quint64 gesture_;
    Apply apply_;
    bool pushed_ = false;
};

}  // namespace quorvex
