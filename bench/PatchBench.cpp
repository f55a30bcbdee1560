// Diff, patch creation and patch application on 2 MiB images: a typical mod (some hundred
// table fields and a few other bytes changed) and two wholly different images.
#include <benchmark/benchmark.h>

#include <random>

#include "rom/Bps.h"
#include "rom/ImageDiff.h"
#include "rom/Ips.h"
#include "rom/SampleImage.h"

using namespace dravik;

namespace {
rom::Bytes Modded(const rom::Bytes& original)
{
    rom::Model model;
    rom::LoadTables(original, model);
    std::mt19937 r(5);
    for (int k = 0; k < 300; ++k) {
        rom::Table& t = model.Tables()[r() % model.Tables().size()];
        const std::vector<int> columns = t.Layout().ValueColumns();
        if (!columns.empty())
            t.SetCell(static_cast<int>(r() % t.Rows()), columns[r() % columns.size()],
                      std::to_string(r() % 10));
    }
    rom::Bytes out = original;
    rom::ApplyPatches(rom::PlanSave(model).patches, out);
    for (int k = 0; k < 20; ++k)
        out[r() % 0x80000] ^= 0x5A;
    return out;
}

const rom::Bytes& Original()
{
    static const rom::Bytes image = rom::MakeSampleImage(1);
    return image;
}

// The original with 128 KiB from 0x40000 moved to 0x150000.
rom::Bytes Moved(rom::Bytes b)
{
    const rom::Bytes block(b.begin() + 0x40000, b.begin() + 0x60000);
    b.erase(b.begin() + 0x40000, b.begin() + 0x60000);
    b.insert(b.begin() + 0x150000, block.begin(), block.end());
    return b;
}

const rom::Bytes& Target(int64_t which)
{
    static const rom::Bytes modded = Modded(Original());
    static const rom::Bytes other = rom::MakeSampleImage(2);
    static const rom::Bytes moved = Moved(Original());
    return which == 0 ? modded : which == 1 ? other : moved;
}

void Label(benchmark::State& state)
{
    static const char* const kNames[] = {"mod", "different images", "a 128 KiB block moved"};
    state.SetLabel(kNames[state.range(0)]);
}
} // namespace

static void BM_DiffImages(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(rom::DiffImages(Original(), Target(state.range(0))).fields.size());
    Label(state);
}
BENCHMARK(BM_DiffImages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_MakeIps(benchmark::State& state)
{
    rom::Bytes patch;
    for (auto _ : state)
        rom::MakeIps(Original(), Target(state.range(0)), patch);
    Label(state);
}
BENCHMARK(BM_MakeIps)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_MakeBps(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(rom::MakeBps(Original(), Target(state.range(0))).size());
    Label(state);
}
BENCHMARK(BM_MakeBps)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

static void BM_ApplyIps(benchmark::State& state)
{
    rom::Bytes patch, out;
    rom::MakeIps(Original(), Target(state.range(0)), patch);
    for (auto _ : state)
        if (const auto failed = rom::ApplyIps(patch, Original(), out))
            state.SkipWithError(rom::Describe(*failed).c_str());
    Label(state);
}
BENCHMARK(BM_ApplyIps)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_ApplyBps(benchmark::State& state)
{
    const rom::Bytes patch = rom::MakeBps(Original(), Target(state.range(0)));
    rom::Bytes out;
    for (auto _ : state)
        if (const auto failed = rom::ApplyBps(patch, Original(), out))
            state.SkipWithError(rom::Describe(*failed).c_str());
    Label(state);
}
BENCHMARK(BM_ApplyBps)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
