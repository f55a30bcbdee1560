// Load pass, save pass, and a whole open-edit-save of an image file.
#include <benchmark/benchmark.h>

#include "rom/Find.h"
#include "rom/Reference.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;

static void BM_LoadPass(benchmark::State& state)
{
    const rom::Bytes image = rom::MakeSampleImage(1);
    rom::Model model;
    for (auto _ : state) {
        rom::LoadTables(image, model);
        benchmark::DoNotOptimize(model.Tables().data());
    }
}
BENCHMARK(BM_LoadPass)->Unit(benchmark::kMillisecond);

static void BM_SavePass(benchmark::State& state)
{
    rom::Bytes image = rom::MakeSampleImage(1);
    rom::Model model;
    rom::LoadTables(image, model);
    for (auto _ : state) {
        const rom::SavePlan plan = rom::PlanSave(model);
        rom::ApplyPatches(plan.patches, image);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(BM_SavePass)->Unit(benchmark::kMillisecond);

static void BM_OpenEditSaveFile(benchmark::State& state)
{
    test::TempImage file(rom::MakeSampleImage(1));
    int price = 0;
    for (auto _ : state) {
        rom::RomDocument doc;
        if (!doc.Open(file.Path()).ok())
            state.SkipWithError("open failed");
        doc.Apply(rom::Edit("items").SetCell(0, 1, std::to_string(price++ % 1000)));
        if (!doc.Save().ok())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_OpenEditSaveFile)->Unit(benchmark::kMillisecond);

static void BM_OpenFile(benchmark::State& state)
{
    test::TempImage file(rom::MakeSampleImage(1));
    rom::RomDocument doc;
    for (auto _ : state)
        if (!doc.Open(file.Path()).ok())
            state.SkipWithError("open failed");
}
BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond);

static void BM_SaveFile(benchmark::State& state)
{
    test::TempImage file(rom::MakeSampleImage(1));
    rom::RomDocument doc;
    doc.Open(file.Path());
    int price = 0;
    for (auto _ : state) {
        doc.Apply(rom::Edit("items").SetCell(0, 1, std::to_string(price++ % 1000)));
        if (!doc.Save().ok())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

// The window saves this way by default: the file's previous content goes to NAME.smc.bak first.
static void BM_SaveFileWithBackup(benchmark::State& state)
{
    test::TempImage file(rom::MakeSampleImage(1));
    rom::RomDocument doc;
    doc.Open(file.Path());
    doc.SetBackupOnSave(true);
    int price = 0;
    for (auto _ : state) {
        doc.Apply(rom::Edit("items").SetCell(0, 1, std::to_string(price++ % 1000)));
        if (!doc.Save().ok())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveFileWithBackup)->Unit(benchmark::kMillisecond);

// One keystroke of the find box: every cell of every table of a loaded image.
static void BM_FindEveryTable(benchmark::State& state)
{
    rom::Model model;
    rom::LoadTables(rom::MakeSampleImage(1), model);
    for (auto _ : state)
        benchmark::DoNotOptimize(rom::FindText(model, "炮").size());
}
BENCHMARK(BM_FindEveryTable)->Unit(benchmark::kMillisecond);

// Every cell of an image compared with a reference image that differs nearly everywhere.
static void BM_MarkEveryCellAgainstReference(benchmark::State& state)
{
    rom::Model model, reference;
    rom::LoadTables(rom::MakeSampleImage(1), model);
    rom::LoadTables(rom::MakeSampleImage(2), reference);
    for (auto _ : state)
        benchmark::DoNotOptimize(rom::CellsDifferingFrom(model, reference).size());
}
BENCHMARK(BM_MarkEveryCellAgainstReference)->Unit(benchmark::kMillisecond);
