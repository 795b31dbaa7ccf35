#include "print/rtf/RtfPlainText.h"
#include "print/rtf/RtfReader.h"
#include "print/rtf/RtfWriter.h"
#include "rtf_bench_entries.h"

#include <QGuiApplication>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

using namespace dayvell::rtf;

// Searching across entries extracts the text of every entry; the target is 150 MB/s.
void plainTextOfTypicalEntry(benchmark::State& state)
{
    const QByteArray entry = typicalRtfEntry(2048);
    for (auto _ : state)
        benchmark::DoNotOptimize(rtfToPlainText(entry));
    state.SetBytesProcessed(state.iterations() * entry.size());
}
BENCHMARK(plainTextOfTypicalEntry);

// Showing an entry; the target is at most 300 µs.
void loadTypicalEntry(benchmark::State& state)
{
    const QByteArray entry = typicalRtfEntry(2048);
    QTextDocument document;
    for (auto _ : state)
        readRtf(entry, document);
    state.SetBytesProcessed(state.iterations() * entry.size());
}
BENCHMARK(loadTypicalEntry)->Unit(benchmark::kMicrosecond);

// The same into a document that is laid out, as the editor's is.
void loadTypicalEntryIntoLaidOutDocument(benchmark::State& state)
{
    const QByteArray entry = typicalRtfEntry(2048);
    QTextDocument document;
    document.setTextWidth(600);
    document.documentLayout();
    for (auto _ : state) {
        readRtf(entry, document);
        benchmark::DoNotOptimize(document.size());
    }
    state.SetBytesProcessed(state.iterations() * entry.size());
}
BENCHMARK(loadTypicalEntryIntoLaidOutDocument)->Unit(benchmark::kMicrosecond);

// Saving an entry; the target is at most 300 µs.
void writeTypicalEntry(benchmark::State& state)
{
    QTextDocument document;
    readRtf(typicalRtfEntry(2048), document);
    for (auto _ : state)
        benchmark::DoNotOptimize(writeRtf(document));
}
BENCHMARK(writeTypicalEntry)->Unit(benchmark::kMicrosecond);

// A very long entry; the target is under 0.3 s.
void loadOneMegabyteEntry(benchmark::State& state)
{
    const QByteArray entry = typicalRtfEntry(1024 * 1024);
    QTextDocument document;
    for (auto _ : state)
        readRtf(entry, document);
    state.SetBytesProcessed(state.iterations() * entry.size());
}
BENCHMARK(loadOneMegabyteEntry)->Unit(benchmark::kMillisecond);

// Malformed input stays linear: a megabyte of groups nested as deep as they go, each holding a
// Unicode escape.
void plainTextOfDeeplyNestedMegabyte(benchmark::State& state)
{
    QByteArray entry = "{\\rtf1 ";
    while (entry.size() < 1024 * 1024)
        entry += "{\\u8364?x";
    for (auto _ : state)
        benchmark::DoNotOptimize(rtfToPlainText(entry));
    state.SetBytesProcessed(state.iterations() * entry.size());
}
BENCHMARK(plainTextOfDeeplyNestedMegabyte)->Unit(benchmark::kMillisecond);

void plainTextOfOneMegabyteEntry(benchmark::State& state)
{
    const QByteArray entry = typicalRtfEntry(1024 * 1024);
    for (auto _ : state)
        benchmark::DoNotOptimize(rtfToPlainText(entry));
    state.SetBytesProcessed(state.iterations() * entry.size());
}
BENCHMARK(plainTextOfOneMegabyteEntry)->Unit(benchmark::kMillisecond);

}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
