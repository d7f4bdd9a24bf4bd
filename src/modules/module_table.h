#pragma once
#include "parameter_blocks.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quorvex {

// What tells one module panel from another: its models, their parameter-name groups
// and the number of parameter rows. The shared panel behaviour is built from this.
struct ModelGroup {
    QString picture;     // the group's picture name, e.g. "203"
    QString caption;     // what the drawn group badge reads
    QStringList titles;  // one parameter name per row
};

struct ModelEntry {
    QString name;
    int group = 0;  // index into ModuleTable::groups
};

struct ModuleTable {
    Module module = Module::Fx;
    QString caption;  // "FX/COMP"
    int rows = 0;     // parameter rows, block elements 2 .. rows + 1
    std::vector<ModelGroup> groups;
    std::vector<ModelEntry> models;
    int startGroup = 0;  // whose names the rows show before the first model arrives
};

}  // namespace quorvex
