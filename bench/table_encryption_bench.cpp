// Encrypting and decrypting every entry of a century-long diary, and the key
// derivation a table password costs (once per password and run).
//
// The whole-table runs encrypt with the cheapest key cost, so that they time
// the reading, sealing and writing alone; the derivation is timed on its own
// with the cost every real diary gets.

#include "DiaryGenerator.h"

#include "store/engine/MemoCipher.h"
#include "store/engine/Table.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace dayvell;

namespace {

constexpr std::size_t kDays = 36500;
const std::string kPassword = "Bench 42";

// A plain and an encrypted copy of the generated diary, made once per run
// and removed at exit.
class Diaries {
public:
    static Diaries& instance()
    {
        static Diaries diaries;
        return diaries;
    }

    // A fresh copy of the plain or the encrypted diary; returns its table file.
    std::filesystem::path copy(bool encrypted) const
    {
        const auto target = root_ / "work";
        std::filesystem::remove_all(target);
        std::filesystem::create_directory(target);
        for (const auto& entry : std::filesystem::directory_iterator(encrypted ? encrypted_ : plain_))
            std::filesystem::copy_file(entry.path(), target / entry.path().filename());
        return target / "DAYVELL.DBF";
    }

    // The diary encrypted with the standard key cost.
    std::filesystem::path standardCostTable() const { return standardCost_ / "DAYVELL.DBF"; }

    ~Diaries() { std::filesystem::remove_all(root_); }

private:
    Diaries()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dayvell-crypt-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root_ = pattern;
        plain_ = root_ / "plain";
        std::filesystem::create_directory(plain_);
        bench::generateDiary(plain_, kDays, bench::today(), 100);

        encrypted_ = root_ / "encrypted";
        standardCost_ = root_ / "standard";
        for (const auto& [folder, cost] : {std::pair {encrypted_, engine::MemoCipher::kQuickTestCost},
                                           std::pair {standardCost_, engine::MemoCipher::kStandardCost}}) {
            std::filesystem::create_directory(folder);
            for (const auto& entry : std::filesystem::directory_iterator(plain_))
                std::filesystem::copy_file(entry.path(), folder / entry.path().filename());
            engine::Table table(folder / "DAYVELL.DBF", engine::TableOptions {false, cost});
            table.setPassword(kPassword);
            table.encryptAll();
        }
    }

    std::filesystem::path root_;
    std::filesystem::path plain_;
    std::filesystem::path encrypted_;
    std::filesystem::path standardCost_;
};

// Opens a fresh copy with the key already derived, as the program holds it
// when the change-password dialog runs.
std::unique_ptr<engine::Table> openCopy(bool encrypted)
{
    auto table = std::make_unique<engine::Table>(Diaries::instance().copy(encrypted),
                                                 engine::TableOptions {true, engine::MemoCipher::kQuickTestCost});
    table->setPassword(kPassword);
    if (!table->checkPassword(kPassword))
        std::abort();
    return table;
}

void BM_EncryptEveryEntry(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            auto table = openCopy(false);
            state.ResumeTiming();
            table->encryptAll();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EncryptEveryEntry)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DecryptEveryEntry(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            auto table = openCopy(true);
            state.ResumeTiming();
            table->decryptAll();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DecryptEveryEntry)->Unit(benchmark::kMillisecond)->Iterations(3);

// The first check of a password on a freshly opened diary: one derivation
// with the standard cost.
void BM_DeriveTableKey(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            engine::Table table(Diaries::instance().standardCostTable());
            state.ResumeTiming();
            benchmark::DoNotOptimize(table.checkPassword(kPassword));
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeriveTableKey)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same password again: the derived key is kept.
void BM_CheckTheSamePasswordAgain(benchmark::State& state)
{
    engine::Table table(Diaries::instance().standardCostTable());
    table.checkPassword(kPassword);
    for (auto _ : state)
        benchmark::DoNotOptimize(table.checkPassword(kPassword));
}
BENCHMARK(BM_CheckTheSamePasswordAgain)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
