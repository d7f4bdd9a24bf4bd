#pragma once
#include "preset_record.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace quorvex {

// A preset in words, as the editor's panels show it: captions and the texts of values.
struct NamedText {
    QString name;
    QString value;
};

struct ModuleDescription {
    QString module;  // "DS/OD"
    bool on = false;
    QString model;
    std::vector<NamedText> parameters;  // the rows and lists the model's panel shows, top down
};

struct PresetDescription {
    QString name;
    int volume = 0;
    QStringList chain;                       // module captions in signal order
    std::vector<ModuleDescription> modules;  // FX/COMP .. REVERB
    std::vector<NamedText> assignments;      // EXP, EXP2 and CTRL
};

// The names the pedal reports for its user amp and cabinet slots, ten each; where one is
// missing or empty the table's name stands.
struct UserSlotNames {
    QStringList amps, cabinets;
};

PresetDescription describePreset(const PresetRecord& record, const UserSlotNames& names = {});

// The description as lines of text for a terminal.
QStringList describedLines(const PresetDescription& preset);
// The description as one JSON object; slot is null for a preset that is not in a slot.
QJsonObject describedJson(const PresetDescription& preset, std::optional<int> slot);
// What differs from a to b, one line each: "<module> <parameter>: <a's value> -> <b's value>".
QStringList presetDifferences(const PresetDescription& a, const PresetDescription& b);

}  // namespace quorvex
