#pragma once
#include "parameter_blocks.h"
#include "row_scale.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quorvex {

// What tells one module panel from another: its models, the layout each model group
// shows (which rows, what they edit and how they convert, which extra lists) and the
// panel's extra drop-down lists. The shared panel behaviour is built from this.

// One parameter row as a model group shows it.
struct RowSpec {
    RowSpec(QString title_, int element_, RowScale scale_ = RowScale::plain(), QString unit_ = {})
        : title(std::move(title_)), element(element_), scale(scale_), unit(std::move(unit_)) {}

    QString title;              // the caption left of the slider
    int element;                // the block element the row edits
    RowScale scale;
    QString unit;               // a unit shown right of the number field ("dB"); empty for none
};

// Rows titled `titles`, editing block elements first, first + 1, ..., all on one scale.
std::vector<RowSpec> plainRows(const QStringList& titles, int first = 2, RowScale scale = RowScale::plain());

struct ModelGroup {
    ModelGroup(QString picture_, QString caption_, std::vector<RowSpec> rows_, QStringList listTitles_ = {})
        : picture(std::move(picture_)), caption(std::move(caption_)), rows(std::move(rows_)), listTitles(std::move(listTitles_)) {}

    QString picture;            // the group's picture name, e.g. "203"; empty: no picture
    QString caption;            // what the drawn group badge reads
    std::vector<RowSpec> rows;  // the rows shown, top down; the panel's other rows hide
    QStringList listTitles;     // caption of each extra list; an empty or missing one hides it
};

struct ModelEntry {
    QString name;
    int group = 0;  // index into ModuleTable::groups
};

// A drop-down list besides the model list, storing its 0-based position in a block element.
struct ExtraList {
    int element = 0;
    QStringList entries;
};

// Models that all share group 0, in list order.
std::vector<ModelEntry> oneGroupModels(const QStringList& names);

// The pedal has ten user amp slots and ten user impulse-response slots, at these
// positions of the amp model list and of the cabinet list.
inline constexpr int kUserSlotCount = 10;
inline constexpr int kFirstUserAmpPosition = 55, kFirstUserCabPosition = 26;
// Bytes a name takes in the pedal's name reports of its user amp and cabinet slots.
inline constexpr int kAmpNameBytes = 15, kCabNameBytes = 10;

// The names of the pedal's user slots from its name report: `size` bytes a name, each
// read up to its first zero byte.
QStringList slotNamesFromReport(const std::vector<std::uint32_t>& values, int size);

struct ModuleTable {
    Module module = Module::Fx;
    QString caption;  // "FX/COMP"
    int rows = 0;     // parameter rows the panel builds
    std::vector<ModelGroup> groups;
    std::vector<ModelEntry> models;
    int startGroup = 0;         // whose layout the panel shows before the first model arrives
    int unknownModelGroup = -1;  // the layout of a model number outside the list; -1 keeps the layout
    // Reports copy only the on/off state, the model and the elements the model's rows
    // show; every other element keeps the panel's value.
    bool reportsCopyShownOnly = false;
    // An element whose number above `high` is lowered to `high` whenever a block is shown
    // (a report or a model pick), unless the model is `exemptModel`.
    struct Ceiling {
        int element = -1;  // none
        std::uint32_t high = 0;
        std::uint32_t exemptModel = 0;
    } ceiling;
    std::vector<ExtraList> lists;
    bool listsBeforeRows = false;
};

// A table of `rows` parameter rows for the module, captioned with the module's name.
ModuleTable moduleTable(Module module, int rows);

}  // namespace quorvex
