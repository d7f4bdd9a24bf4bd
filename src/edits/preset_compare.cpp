#include "preset_compare.h"

#include "app_delegate.h"
#include "preset_store.h"

namespace quorvex {

PresetCompare::PresetCompare(AppDelegate& hub, QObject* parent) : QObject(parent), hub_(hub) {
    connect(&hub_, &AppDelegate::soundReplaced, this, [this] {
        if (!edited_) return;
        edited_.reset();
        emit toggled(false);
    });
}

void PresetCompare::setOn(bool on) {
    if (on == isOn()) return;
    if (on) {
        const int slot = hub_.currentSlot();
        if (!PresetStore::validSlot(slot) || !hub_.HidDevece()) {
            emit toggled(false);
            return;
        }
        edited_ = hub_.currentSoundRecord();
        hub_.playRecord(hub_.storedRecord(slot));
    } else {
        const PresetRecord edited = *edited_;
        edited_.reset();
        hub_.playRecord(edited);
    }
    emit toggled(on);
}

}  // namespace quorvex
