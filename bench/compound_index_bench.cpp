#include "store/engine/CompoundIndexFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

using namespace dayvell::engine;

namespace {

constexpr int kEntries = 36'500;  // a hundred years of daily entries

IndexTag centuryOfDates() {
    IndexTag tag;
    tag.definition.name = "DATE";
    tag.definition.expression = "date";
    tag.definition.keyLength = 8;
    for (int day = 0; day < kEntries; ++day) {
        char key[16];
        std::snprintf(key, sizeof key, "%04d%02d%02d", 1926 + day / 365, 1 + day % 365 / 31, 1 + day % 365 % 31);
        tag.entries.push_back({key, static_cast<std::uint32_t>(day + 1)});
    }
    return tag;
}

std::filesystem::path benchFile() {
    return std::filesystem::temp_directory_path() / ("dayvell-bench-" + std::to_string(::getpid()) + ".cdx");
}

void BM_WriteCompoundIndex(benchmark::State& state) {
    const std::vector<IndexTag> tags{centuryOfDates()};
    const auto file = benchFile();
    for (auto _ : state) writeCompoundIndex(file, tags);
    std::filesystem::remove(file);
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_WriteCompoundIndex)->Unit(benchmark::kMillisecond);

void BM_ReadCompoundIndex(benchmark::State& state) {
    const auto file = benchFile();
    writeCompoundIndex(file, {centuryOfDates()});
    for (auto _ : state) benchmark::DoNotOptimize(readCompoundIndex(file));
    std::filesystem::remove(file);
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ReadCompoundIndex)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
