#include "sound_step.h"

#include <algorithm>

namespace quorvex {

SoundStep::SoundStep(int part, std::vector<ElementChange> changes, quint64 gesture, Apply apply)
    : part_(part), changes_(std::move(changes)), gesture_(gesture), apply_(std::move(apply)) {
    setText(QStringLiteral("edit"));
}

void SoundStep::redo() {
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    apply_(part_, changes_, false);
}

void SoundStep::undo() { apply_(part_, changes_, true); }

bool SoundStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const SoundStep*>(other);
    const auto sameElements = [this, next] {
        return std::equal(changes_.begin(), changes_.end(), next->changes_.begin(), next->changes_.end(),
                          [](const ElementChange& a, const ElementChange& b) { return a.element == b.element; });
    };
    if (next->gesture_ != gesture_ || !sameElements()) return false;
    for (std::size_t i = 0; i < changes_.size(); ++i) changes_[i].after = next->changes_[i].after;
    // A drag that ends where it began changed nothing.
    setObsolete(std::all_of(changes_.begin(), changes_.end(), [](const ElementChange& c) { return c.before == c.after; }));
    return true;
}

}  // namespace quorvex
