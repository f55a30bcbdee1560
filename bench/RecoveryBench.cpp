// Writing the recovery record after an edit: the unsaved cells and codes of a session with a few
// dozen edits, serialized and written atomically (the image's hash is taken once per Open).
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "rom/Recovery.h"
#include "rom/RomDocument.h"
#include "rom/SampleImage.h"
#include "support/TestImage.h"

using namespace dravik;

static void BM_RecoveryRecordWrite(benchmark::State& state)
{
    test::TempImage file(rom::MakeSampleImage(1));
    rom::RomDocument doc;
    if (!doc.Open(file.Path()).ok())
        state.SkipWithError("open failed");
    for (int row = 0; row < 40; ++row)
        doc.Apply(
            rom::Edit("monsters").SetCell(row, 9, std::to_string(row)).SetCode("attacks", row, 0, 0x20));
    const std::string hash = rom::HashImage(doc.SavedParts());
    QTemporaryDir folder;
    const std::string path = rom::RecordPath(folder.path().toStdString(), file.Path());
    for (auto _ : state)
        if (const auto failed =
                rom::WriteRecord(path, {file.Path(), hash, rom::UnsavedEdits(doc.GetModel())}))
            state.SkipWithError(rom::Describe(*failed).c_str());
}
BENCHMARK(BM_RecoveryRecordWrite)->Unit(benchmark::kMillisecond);

// Once per Open (or Save), before the first record is written.
static void BM_ImageHash(benchmark::State& state)
{
    test::TempImage file(rom::MakeSampleImage(1));
    rom::RomDocument doc;
    doc.Open(file.Path());
    for (auto _ : state)
        benchmark::DoNotOptimize(rom::HashImage(doc.SavedParts()));
}
BENCHMARK(BM_ImageHash)->Unit(benchmark::kMillisecond);
