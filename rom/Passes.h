#pragma once
// The load pass (image bytes -> model) and the save pass (model -> validated byte patches).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/Table.h"

namespace dravik::rom {

using Bytes = std::vector<uint8_t>;

// The end of the last field of any table: a shorter file cannot hold the tables.
constexpr uint32_t kMinimumImageSize = 0xC8427;

struct Patch {
    uint32_t offset;
    int width;      // 1 to 3 bytes, little-endian
    uint32_t value; // already reduced to the width
};

struct CellError {
    std::string tableId;
    std::string tableTitle;
    int row = 0;
    std::string rowLabel;
    int column = 0;          // -1 for a code array entry
    std::string columnTitle; // or "array[k]" for a code array entry
    std::string text;
    std::string reason;

    std::string Describe() const;
};

class LoadContext {
public:
    explicit LoadContext(const Bytes& image) : image_(image) {}
    uint32_t Read(uint32_t offset, int width) const;

private:
    const Bytes& image_;
};

class SaveContext {
public:
    // Converts a numeric cell. An invalid text that the load produced itself (a stored value
    // below its row flag shows negative) yields nullopt without an error: its bytes are kept.
    std::optional<int64_t> Number(const Table& table, int row, int column, Codec codec, ValueRange range);
    // Checks a code array entry against its range; nullopt (with an error) when outside.
    std::optional<int64_t> CodeValue(const Table& table, int row, const std::string& array, int k,
                                     ValueRange range);
    void Write(uint32_t offset, int width, int64_t value);

    std::vector<Patch> patches;
    std::vector<CellError> errors;
};

void LoadTables(const Bytes& image, Model& model); // the image must hold kMinimumImageSize bytes

struct SavePlan {
    std::vector<Patch> patches; // empty when there are errors
    std::vector<CellError> errors;
    bool Ok() const { return errors.empty(); }
};
SavePlan PlanSave(const Model& model);

void ApplyPatches(const std::vector<Patch>& patches, Bytes& image);

} // namespace dravik::rom
