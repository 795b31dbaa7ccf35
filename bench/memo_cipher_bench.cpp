#include "store/engine/MemoCipher.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

using dayvell::engine::MemoCipher;

namespace {

constexpr int kEntries = 36'500;  // a hundred years of daily entries
constexpr std::size_t kMemoSize = 2048;

std::string dateKey(int day)
{
    char key[9];
    std::snprintf(key, sizeof key, "%08d", 19000101 + day);
    return key;
}

const MemoCipher& benchCipher()
{
    static const MemoCipher cipher = MemoCipher::derive("Bench pw", MemoCipher::makeSalt());
    return cipher;
}

void BM_DeriveKey(benchmark::State& state)
{
    const std::string salt = MemoCipher::makeSalt();
    for (auto _ : state)
        benchmark::DoNotOptimize(MemoCipher::derive("Diary 42", salt));
}
BENCHMARK(BM_DeriveKey)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SealAllMemos(benchmark::State& state)
{
    const MemoCipher& cipher = benchCipher();
    const std::string memo(kMemoSize, 'x');
    std::vector<std::string> keys;
    for (int day = 0; day < kEntries; ++day)
        keys.push_back(dateKey(day));
    for (auto _ : state)
        for (const std::string& key : keys)
            benchmark::DoNotOptimize(cipher.seal(memo, key));
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_SealAllMemos)->Unit(benchmark::kMillisecond);

void BM_OpenAllMemos(benchmark::State& state)
{
    const MemoCipher& cipher = benchCipher();
    const std::string memo(kMemoSize, 'x');
    std::vector<std::pair<std::string, std::string>> sealed;
    for (int day = 0; day < kEntries; ++day) {
        std::string key = dateKey(day);
        sealed.emplace_back(key, cipher.seal(memo, key));
    }
    for (auto _ : state)
        for (const auto& [key, bytes] : sealed)
            benchmark::DoNotOptimize(cipher.open(bytes, key));
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_OpenAllMemos)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
