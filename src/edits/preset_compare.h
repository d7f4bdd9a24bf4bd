#pragma once
#include "preset_record.h"

#include <QObject>

#include <optional>

namespace quorvex {

class AppDelegate;

// A/B comparison of the edited sound with the current preset as its slot stores it.
// On, the pedal plays the stored record (as the current sound, command 131) and the
// screens show it; off, the edited sound goes back to the pedal as it was. The edited
// mark stays through both. Another preset or record turns the comparison off without
// sending anything back.
class PresetCompare : public QObject {
    Q_OBJECT
public:
    explicit PresetCompare(AppDelegate& hub, QObject* parent = nullptr);

    bool isOn() const { return edited_.has_value(); }
    void setOn(bool on);

signals:
    void toggled(bool on);

private:
    AppDelegate& hub_;
    std::optional<PresetRecord> edited_;  // the edited sound, while the stored one plays
};

}  // namespace quorvex
