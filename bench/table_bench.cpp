// The table engine on a century of daily entries: open with the index check,
// seek, load, save, append, first and last, reading every memo, pack.

#include "DiaryGenerator.h"

#include "store/engine/Table.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <unistd.h>
#include <vector>

using namespace dayvell;

namespace {

constexpr std::size_t kDays = 36500;

// The generated diary, made once per run and removed at exit.
class Diary {
public:
    static Diary& instance()
    {
        static Diary diary;
        return diary;
    }

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path table() const { return folder_ / "DAYVELL.DBF"; }
    const std::vector<std::string>& keys() const { return keys_; }

    // A fresh copy for benchmarks that change the table.
    std::filesystem::path copy(const std::string& name) const
    {
        const auto target = folder_.parent_path() / name;
        std::filesystem::remove_all(target);
        std::filesystem::create_directory(target);
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            std::filesystem::copy_file(entry.path(), target / entry.path().filename());
        return target / "DAYVELL.DBF";
    }

    ~Diary() { std::filesystem::remove_all(folder_.parent_path()); }

private:
    Diary()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dayvell-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder_ = std::filesystem::path(pattern) / "diary";
        std::filesystem::create_directory(folder_);
        const auto last = bench::today();
        bench::generateDiary(folder_, kDays, last, 100);
        for (std::size_t i = 0; i < kDays; ++i)
            keys_.push_back(bench::dateKey(last - std::chrono::days(kDays - 1 - i)));
    }

    std::filesystem::path folder_;
    std::vector<std::string> keys_;
};

std::unique_ptr<engine::Table> openDiary(const std::filesystem::path& file, bool sync = false)
{
    auto table = std::make_unique<engine::Table>(file, engine::TableOptions {sync});
    table->setOrder(table->tagOrder("DATE"));
    table->setDeletedHidden(true);
    return table;
}

void BM_OpenWithIndexCheck(benchmark::State& state)
{
    const auto file = Diary::instance().table();
    for (auto _ : state) {
        engine::Table table(file);
        benchmark::DoNotOptimize(table.tagOrder("DATE"));
    }
}
BENCHMARK(BM_OpenWithIndexCheck)->Unit(benchmark::kMillisecond);

void BM_Seek(benchmark::State& state)
{
    auto table = openDiary(Diary::instance().table());
    const auto& keys = Diary::instance().keys();
    std::mt19937 random(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(table->seek(keys[random() % keys.size()]));
}
BENCHMARK(BM_Seek)->Unit(benchmark::kMicrosecond);

void BM_LoadEntry(benchmark::State& state)
{
    auto table = openDiary(Diary::instance().table());
    const auto& keys = Diary::instance().keys();
    std::mt19937 random(2);
    for (auto _ : state) {
        if (table->seek(keys[1 + random() % (keys.size() - 1)]))
            benchmark::DoNotOptimize(table->memoText("ENTRY"));
    }
}
BENCHMARK(BM_LoadEntry)->Unit(benchmark::kMicrosecond);

void saveEntries(benchmark::State& state, bool sync)
{
    auto table = openDiary(Diary::instance().copy(sync ? "save-sync" : "save"), sync);
    const auto& keys = Diary::instance().keys();
    std::mt19937 random(3);
    for (auto _ : state) {
        const auto& key = keys[1 + random() % (keys.size() - 1)];
        if (!table->seek(key))
            continue;
        table->edit();
        table->setFieldText("DATE", key);
        table->setMemoText("ENTRY", bench::syntheticEntry(random()));
        table->post();
    }
}

void BM_SaveWithoutSync(benchmark::State& state)
{
    saveEntries(state, false);
}
BENCHMARK(BM_SaveWithoutSync)->Unit(benchmark::kMicrosecond);

void BM_SaveWithSync(benchmark::State& state)
{
    saveEntries(state, true);
}
BENCHMARK(BM_SaveWithSync)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_AppendWithoutSync(benchmark::State& state)
{
    auto table = openDiary(Diary::instance().copy("append"));
    auto day = bench::today();
    std::uint64_t seed = 0;
    for (auto _ : state) {
        day += std::chrono::days(1);
        table->append();
        table->setFieldText("DATE", bench::dateKey(day));
        table->setMemoText("ENTRY", bench::syntheticEntry(++seed));
        table->post();
    }
}
BENCHMARK(BM_AppendWithoutSync)->Unit(benchmark::kMicrosecond);

void BM_FirstAndLast(benchmark::State& state)
{
    auto table = openDiary(Diary::instance().table());
    for (auto _ : state) {
        table->first();
        benchmark::DoNotOptimize(table->fieldText("DATE"));
        table->last();
        benchmark::DoNotOptimize(table->fieldText("DATE"));
    }
}
BENCHMARK(BM_FirstAndLast)->Unit(benchmark::kMicrosecond);

void BM_ReadEveryMemo(benchmark::State& state)
{
    auto table = openDiary(Diary::instance().table());
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (table->first(); !table->atEnd(); table->next())
            bytes += table->memoText("ENTRY").size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadEveryMemo)->Unit(benchmark::kMillisecond);

// What `cat DAYVELL.FPT > /dev/null` does: the yardstick for reading every memo.
void BM_CatMemoFile(benchmark::State& state)
{
    const auto memo = Diary::instance().folder() / "DAYVELL.FPT";
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        const int fd = ::open(memo.c_str(), O_RDONLY);
        std::size_t bytes = 0;
        for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;)
            bytes += std::size_t(got);
        ::close(fd);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_CatMemoFile)->Unit(benchmark::kMillisecond);

void BM_PackWithIndexRebuild(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const auto file = Diary::instance().copy("pack");
        {
            auto table = openDiary(file, true);
            state.ResumeTiming();
            table->pack();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PackWithIndexRebuild)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
