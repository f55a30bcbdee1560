// Any bytes as text pasted into a table at any of its cells, and as a CSV file for that table: never a
// crash; a paste that fits sets only cells of the table, and a refused file carries no edit.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Csv.h"
#include "rom/Change.h"
#include "rom/Layout.h"
#include "rom/Passes.h"
#include "rom/SampleImage.h"
#include "rom/Table.h"
#include "rom/TableText.h"
#include "support/TestImage.h"

using namespace dravik;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const rom::Model model = test::Loaded(rom::MakeSampleImage(1));
    if (size < 3)
        return 0;
    const std::vector<rom::TableLayout>& layouts = rom::AllLayouts();
    const rom::Table& table = model.Get(layouts[data[0] % layouts.size()].id);
    // Where the window pastes: a row of the table, a column after the name.
    const int row = data[1] % table.Rows(), column = 1 + data[2] % (table.Columns() - 1);
    const std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);

    const rom::PastePlan paste = rom::PlanPaste(table, text, row, column);
    if (paste.Ok())
        for (const rom::Edit::Cell& c : paste.edit.Cells())
            if (paste.edit.TableId() != table.Id() || c.row < 0 || c.row >= table.Rows() || c.column < 0 ||
                c.column >= table.Columns())
                __builtin_trap(); // a paste sets cells of its table only

    std::vector<rom::Edit> edits;
    if (cli::ReadTableCsv(text, "fuzz.csv", table.Id(), model, edits) && !edits.empty())
        __builtin_trap(); // a refusal carries no edit
    return 0;
}
