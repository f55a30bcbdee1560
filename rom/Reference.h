#pragma once
// A reference image: a second image, usually the unmodified game, that every cell of the open
// one is compared with. It is only read. The cells that differ are exactly the fields
// DiffImages reports for the two images that cells show; rows can be given the reference's
// values back.
#include <optional>
#include <string>
#include <vector>

#include "rom/Change.h"
#include "rom/Error.h"
#include "rom/Passes.h"
#include "rom/Table.h"

namespace dravik::rom {

struct ReferenceImage {
    std::string path;
    ImageForm form;
    Model model;
    std::string notice; // an interrupted save of it that the read rolled back first, if any
};

// Reads a reference image. Refused, with the reason, when it cannot be read, is too short to hold
// every table, or is not an image of the game (IsPlausibleImage): its tables would be noise.
std::optional<Error> LoadReference(const std::string& path, ReferenceImage& reference);

struct ReferenceCell {
    std::string tableId;
    int row = 0;    // counted from 0
    int column = 0; // a value cell or a cell that shows a code's name
    std::string referenceText;
};

// Every cell of a table whose value differs from the reference's, row by row: a value cell whose
// number differs (CellUnits) or is none, a cell of codes whose text differs, and a cell that shows
// a code that differs though its name is the same (a rental tank's flag). Column 0, the row's
// label, is never compared.
std::vector<ReferenceCell> CellsDifferingFrom(const Table& table, const Table& reference);
// The same for every table, in the order of the passes.
std::vector<ReferenceCell> CellsDifferingFrom(const Model& model, const Model& reference);

// The edit that gives rows of a table the reference's value cells and codes: applied as one
// document operation, a save then writes the reference's bytes into those rows. Code arrays the
// save sets by its own rules (read-only ones) are left to them.
Edit RestoreFromReference(const Table& reference, const std::vector<int>& rows);

} // namespace dravik::rom
