// The librarian's search: how long one typed character takes to filter the preset list
// (300 entries) and the library folder (2,000 files): one iteration is one character.
// The design bound is one frame, 16 ms.
#include "library_folder.h"
#include "library_model.h"
#include "preset_drag_model.h"
#include "preset_list_model.h"
#include "preset_slots.h"
#include "scratch_folder.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <fstream>

namespace {

using namespace quorvex;

// What a user types into a search field, one character at a time, then clears.
const QStringList kTyped = {"c", "cl", "cle", "clea", "clean", "clean ", "clean 2", ""};

void filterAsTyped(benchmark::State& state, QSortFilterProxyModel& filtered) {
    filtered.setFilterCaseSensitivity(Qt::CaseInsensitive);
    std::size_t typed = 0;
    for (auto _ : state) {
        filtered.setFilterFixedString(kTyped[static_cast<qsizetype>(typed++ % kTyped.size())]);
        benchmark::DoNotOptimize(filtered.rowCount());
    }
}

void BM_PresetListFilter(benchmark::State& state) {
    PresetListModel presets([] { return false; });
    QStringList entries;
    for (int slot = 0; slot < 300; ++slot)
        entries << QStringLiteral("%1:%2").arg(bareLabel(slot), slot % 7 ? QStringLiteral("CLEAN %1").arg(slot) : "LEAD");
    presets.setEntries(entries);
    PresetDragModel filtered;
    filtered.setSourceModel(&presets);
    filterAsTyped(state, filtered);
}
BENCHMARK(BM_PresetListFilter)->Unit(benchmark::kMillisecond);

void BM_LibraryFilter(benchmark::State& state) {
    const bench::ScratchFolder scratch("librarian-bench");
    for (int i = 0; i < 2000; ++i)
        std::ofstream(scratch.path() / ("CLEAN " + std::to_string(i) + (i % 3 ? " CRUNCH.kiro" : ".kiro")));
    const LibraryFolder folder(QString::fromStdString(scratch.str()));
    LibraryModel files(folder);
    if (files.rowCount() != 2000) state.SkipWithError("the library folder did not list 2,000 files");
    QSortFilterProxyModel filtered;
    filtered.setSourceModel(&files);
    filterAsTyped(state, filtered);
}
BENCHMARK(BM_LibraryFilter)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
