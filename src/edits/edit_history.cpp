#include "edit_history.h"

#include "app_delegate.h"
#include "sound_step.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScopedValueRollback>

#include <algorithm>

namespace quorvex {
namespace {

constexpr int kChain = static_cast<int>(CurrentSound::Part::Chain);
constexpr int kCtrl = static_cast<int>(CurrentSound::Part::Ctrl);
constexpr std::size_t kPositions = 9;

}  // namespace

EditHistory::EditHistory(AppDelegate& hub, QObject* parent) : QObject(parent), hub_(hub) {
    connect(&hub_, &AppDelegate::soundShown, this, &EditHistory::shown);
    connect(&hub_, &AppDelegate::soundEdited, this, &EditHistory::edited);
    connect(&hub_, &AppDelegate::soundReplaced, &stack_, &QUndoStack::clear);
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

EditHistory::~EditHistory() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool EditHistory::eventFilter(QObject* watched, QEvent* event) {
    // The application sees an input event once per object it passes through, the
    // window first: a press there begins a new gesture.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress) && watched->isWindowType()) ++gesture_;
    return QObject::eventFilter(watched, event);
}

void EditHistory::shown(int part, const std::vector<std::uint32_t>& values) {
    if (part < 0 || static_cast<std::size_t>(part) >= kParts) return;
    shown_[static_cast<std::size_t>(part)] = values;
    if (part < kModuleCount && !values.empty()) followModuleSwitch(part, values[0]);
}

void EditHistory::followModuleSwitch(int module, std::uint32_t on) {
    auto& chain = shown_[kChain];
    if (chain.size() < 2 * kPositions) return;
    const auto at = std::find(chain.begin(), chain.begin() + kPositions, static_cast<std::uint32_t>(module) + 1);
    if (at != chain.begin() + kPositions) chain[static_cast<std::size_t>(at - chain.begin()) + kPositions] = on == 0 ? 1 : 0;
}

std::vector<ElementChange> EditHistory::changesTo(int part, const std::vector<std::uint32_t>& values) const {
    const auto& before = shown_[static_cast<std::size_t>(part)];
    // The chain's step is its order: the on flags go with the modules. The tempo is
    // not part of a preset.
    const std::size_t first = part == kCtrl ? 1 : 0;
    const std::size_t end = part == kChain ? kPositions : std::min(before.size(), values.size());
    std::vector<ElementChange> changes;
    for (std::size_t e = first; e < end && e < before.size() && e < values.size(); ++e)
        if (before[e] != values[e]) changes.push_back({e, before[e], values[e]});
    return changes;
}

void EditHistory::edited(int part, const std::vector<std::uint32_t>& values) {
    if (part < 0 || static_cast<std::size_t>(part) >= kParts) return;
    std::vector<ElementChange> changes = changesTo(part, values);
    shown(part, values);
    if (replaying_ || changes.empty()) return;
    stack_.push(new SoundStep(part, std::move(changes), gesture_,
                              [this](int p, const std::vector<ElementChange>& c, bool before) { apply(p, c, before); }));
}

void EditHistory::apply(int part, const std::vector<ElementChange>& changes, bool before) {
    std::vector<std::uint32_t> values = shown_[static_cast<std::size_t>(part)];
    for (const ElementChange& c : changes)
        if (c.element < values.size()) values[c.element] = before ? c.before : c.after;
    if (part == kChain && values.size() >= 2 * kPositions) {
        // Each module keeps the on state it has now, wherever it goes.
        const auto& now = shown_[kChain];
        for (std::size_t p = 0; p < kPositions; ++p) {
            const auto at = std::find(now.begin(), now.begin() + kPositions, values[p]);
            if (at != now.begin() + kPositions) values[p + kPositions] = now[static_cast<std::size_t>(at - now.begin()) + kPositions];
        }
    }
    const QScopedValueRollback replaying(replaying_, true);
    hub_.replayEdit(part, values);
}

}  // namespace quorvex
