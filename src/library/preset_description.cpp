#include "preset_description.h"

#include "exp_captions.h"
#include "module_tables.h"

#include <QJsonArray>

#include <algorithm>

namespace quorvex {
namespace {

QString onOffText(bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); }

// The layout a model number shows, as the panel picks it.
int groupOf(const ModuleTable& table, std::uint32_t model) {
    if (model >= 1 && model <= table.models.size()) return table.models[model - 1].group;
    return table.unknownModelGroup >= 0 ? table.unknownModelGroup : table.startGroup;
}

std::vector<NamedText> listTexts(const ModuleTable& table, const ModelGroup& group, const std::vector<std::uint32_t>& values) {
    std::vector<NamedText> texts;
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        if (static_cast<qsizetype>(i) >= group.listTitles.size() || group.listTitles[static_cast<qsizetype>(i)].isEmpty())
            continue;
        const ExtraList& list = table.lists[i];
        const std::uint32_t position = values[static_cast<std::size_t>(list.element)];
        texts.push_back({group.listTitles[static_cast<qsizetype>(i)],
                         position < static_cast<std::uint32_t>(list.entries.size()) ? list.entries[position]
                                                                                   : QString::number(position)});
    }
    return texts;
}

// The pedal's name for a user slot the model number picks, if it reported one.
QString userSlotName(Module module, std::uint32_t model, const UserSlotNames& names) {
    const bool amp = module == Module::Amp;
    if (!amp && module != Module::Cab) return {};
    const long slot = static_cast<long>(model) - 1 - (amp ? kFirstUserAmpPosition : kFirstUserCabPosition);
    const QStringList& reported = amp ? names.amps : names.cabinets;
    return slot >= 0 && slot < kUserSlotCount && slot < reported.size() ? reported[static_cast<int>(slot)] : QString();
}

ModuleDescription describeModule(const PresetRecord& record, Module module, const UserSlotNames& names) {
    const ModuleTable table = moduleTableOf(module);
    std::vector<std::uint32_t> values = moduleValuesFromRecord(record, module);
    const std::uint32_t model = values[1];
    const auto& ceiling = table.ceiling;
    if (ceiling.element >= 0 && model != ceiling.exemptModel) {
        std::uint32_t& value = values[static_cast<std::size_t>(ceiling.element)];
        value = std::min(value, ceiling.high);
    }
    ModuleDescription described;
    described.module = table.caption;
    described.on = values[0] != 0;
    described.model = model >= 1 && model <= table.models.size() ? table.models[model - 1].name : QString::number(model);
    if (const QString reported = userSlotName(module, model, names); !reported.isEmpty()) described.model = reported;
    const ModelGroup& group = table.groups[static_cast<std::size_t>(groupOf(table, model))];
    std::vector<NamedText> rows;
    for (const RowSpec& row : group.rows) {
        QString text = row.scale.text(values[static_cast<std::size_t>(row.element)]);
        if (!row.unit.isEmpty()) text += QLatin1Char(' ') + row.unit;
        rows.push_back({row.title, text});
    }
    std::vector<NamedText> lists = listTexts(table, group, values);
    described.parameters = table.listsBeforeRows ? lists : rows;
    const auto& after = table.listsBeforeRows ? rows : lists;
    described.parameters.insert(described.parameters.end(), after.begin(), after.end());
    return described;
}

// What an expression input controls: "DS/OD GAIN", or "MERGE".
QString expText(const PresetRecord& record, std::size_t input) {
    if (record[input == 0 ? record::kMergeA : record::kMergeB] != 0) return QStringLiteral("MERGE");
    const unsigned module = record[record::kExpModes + 2 * input];
    const unsigned parameter = record[record::kExpModes + 2 * input + 1];
    return expModuleCaption(module).value_or(QString::number(module)) + QLatin1Char(' ') +
           expParameterCaption(module, parameter).value_or(QString::number(parameter));
}

QString ctrlText(const PresetRecord& record) {
    const auto ctrl = ctrlFromRecord(record);
    QStringList members;
    for (int m = 0; m < kModuleCount; ++m)
        if (ctrl[static_cast<std::size_t>(m + 1)] != 0) members << QString::fromLatin1(moduleName(static_cast<Module>(m)));
    const QString mode = ctrl[10] != 0 ? QStringLiteral("CTRL") : QStringLiteral("TAP");
    return members.isEmpty() ? mode : mode + QStringLiteral(" (") + members.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString chainText(const QStringList& chain) { return chain.join(QStringLiteral(" > ")); }

}  // namespace

PresetDescription describePreset(const PresetRecord& record, const UserSlotNames& names) {
    PresetDescription preset;
    preset.name = QString::fromLatin1(recordName(record));
    preset.volume = record[record::kPresetVolume];
    const auto chain = chainFromRecord(record);
    for (std::size_t i = 0; i < 9; ++i) {
        const std::uint32_t module = chain[i];
        preset.chain << (module >= 1 && module <= kModuleCount ? QString::fromLatin1(moduleName(static_cast<Module>(module - 1)))
                                                              : QString::number(module));
    }
    for (int m = 0; m < kModuleCount; ++m) preset.modules.push_back(describeModule(record, static_cast<Module>(m), names));
    preset.assignments = {{QStringLiteral("EXP"), expText(record, 0)},
                          {QStringLiteral("EXP2"), expText(record, 1)},
                          {QStringLiteral("CTRL"), ctrlText(record)}};
    return preset;
}

QStringList describedLines(const PresetDescription& preset) {
    QStringList lines{QStringLiteral("Name: ") + preset.name, QStringLiteral("Volume: %1").arg(preset.volume),
                      QStringLiteral("Chain: ") + chainText(preset.chain)};
    for (const ModuleDescription& module : preset.modules) {
        lines << QStringLiteral("%1 %2 %3").arg(module.module, onOffText(module.on), module.model);
        for (const NamedText& parameter : module.parameters)
            lines << QStringLiteral("  %1: %2").arg(parameter.name, parameter.value);
    }
    for (const NamedText& assignment : preset.assignments) lines << assignment.name + QStringLiteral(": ") + assignment.value;
    return lines;
}

QJsonObject describedJson(const PresetDescription& preset, std::optional<int> slot) {
    const auto pairs = [](const std::vector<NamedText>& texts) {
        QJsonArray array;
        for (const NamedText& t : texts) array.append(QJsonObject{{"name", t.name}, {"value", t.value}});
        return array;
    };
    QJsonArray modules;
    for (const ModuleDescription& module : preset.modules)
        modules.append(QJsonObject{{"module", module.module}, {"on", module.on}, {"model", module.model},
                                   {"parameters", pairs(module.parameters)}});
    return QJsonObject{{"slot", slot ? QJsonValue(QString::fromStdString(slotLabel(*slot))) : QJsonValue()},
                       {"name", preset.name},
                       {"volume", preset.volume},
                       {"chain", QJsonArray::fromStringList(preset.chain)},
                       {"modules", modules},
                       {"assignments", pairs(preset.assignments)}};
}

QStringList presetDifferences(const PresetDescription& a, const PresetDescription& b) {
    QStringList lines;
    const auto compare = [&lines](const QString& what, const QString& left, const QString& right) {
        if (left != right) lines << QStringLiteral("%1: %2 -> %3").arg(what, left, right);
    };
    compare(QStringLiteral("name"), a.name, b.name);
    compare(QStringLiteral("volume"), QString::number(a.volume), QString::number(b.volume));
    compare(QStringLiteral("chain"), chainText(a.chain), chainText(b.chain));
    for (std::size_t m = 0; m < a.modules.size(); ++m) {
        const ModuleDescription& left = a.modules[m];
        const ModuleDescription& right = b.modules[m];
        const QString prefix = left.module + QLatin1Char(' ');
        compare(prefix + QStringLiteral("state"), onOffText(left.on), onOffText(right.on));
        compare(prefix + QStringLiteral("model"), left.model, right.model);
        // Models of different layouts show different parameters: one missing on a side reads "-".
        const auto valueIn = [](const ModuleDescription& module, const QString& name) {
            for (const NamedText& p : module.parameters)
                if (p.name == name) return p.value;
            return QStringLiteral("-");
        };
        QStringList names;
        for (const auto* side : {&left, &right})
            for (const NamedText& p : side->parameters)
                if (!names.contains(p.name)) names << p.name;
        for (const QString& name : names) compare(prefix + name, valueIn(left, name), valueIn(right, name));
    }
    for (std::size_t i = 0; i < a.assignments.size(); ++i)
        compare(a.assignments[i].name, a.assignments[i].value, b.assignments[i].value);
    return lines;
}

}  // namespace quorvex
