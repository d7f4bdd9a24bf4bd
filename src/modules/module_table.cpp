#include "module_table.h"

namespace quorvex {

std::vector<RowSpec> plainRows(const QStringList& titles, int first, RowScale scale) {
    std::vector<RowSpec> rows;
    for (const QString& title : titles) rows.push_back({title, first++, scale});
    return rows;
}

std::vector<ModelEntry> oneGroupModels(const QStringList& names) {
    std::vector<ModelEntry> models;
    for (const QString& name : names) models.push_back({name, 0});
    return models;
}

ModuleTable moduleTable(Module module, int rows) {
    ModuleTable t;
    t.module = module;
    t.caption = QString::fromLatin1(moduleName(module));
    t.rows = rows;
    return t;
}

QStringList slotNamesFromReport(const std::vector<std::uint32_t>& values, int size) {
    QStringList names;
    const auto width = static_cast<std::size_t>(size);
    for (std::size_t start = 0; start + width <= values.size() && names.size() < kUserSlotCount; start += width) {
        QByteArray name;
        for (std::size_t i = start; i < start + width && values[i] != 0; ++i) name.append(static_cast<char>(values[i]));
        names << QString::fromLatin1(name);
    }
    return names;
}

}  // namespace quorvex
