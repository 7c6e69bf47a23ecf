// The codec and the kit file read, the work behind every open, save and send.
#include "kit/KitCodec.h"
#include "kit/KitFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>

using namespace morvane;

namespace {

const std::string DemoKit = (std::filesystem::path(MORVANE_SOURCE_DIR) / "examples" / "demo-kit.syx").string();

KitDump demoDump()
{
    auto read = readWholeFile(DemoKit);
    if (!read) throw std::runtime_error(read.error());
    return read.value();
}

void decodeKitDump(benchmark::State& state)
{
    const KitDump dump = demoDump();
    for (auto _ : state) benchmark::DoNotOptimize(decodeKit(dump));
}
BENCHMARK(decodeKitDump);

void encodeKitDump(benchmark::State& state)
{
    KitDump dump = demoDump();
    const KitFields fields = decodeKit(dump).value();
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeKit(fields, dump));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(encodeKitDump);

void decodeThenEncodeKitDump(benchmark::State& state)
{
    KitDump dump = demoDump();
    for (auto _ : state) {
        const auto fields = decodeKit(dump);
        benchmark::DoNotOptimize(encodeKit(fields.value(), dump));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(decodeThenEncodeKitDump);

void readKitFileBytes(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(readWholeFile(DemoKit));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(KitDumpLength));
}
BENCHMARK(readKitFileBytes);

void readAndDecodeKitFile(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(readKitFile(DemoKit));
}
BENCHMARK(readAndDecodeKitFile);

}  // namespace

BENCHMARK_MAIN();
