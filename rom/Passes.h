#pragma once
// The load pass (image bytes -> model) and the save pass (model -> validated byte patches).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rom/Error.h"
#include "rom/Table.h"

namespace dravik::rom {

using Bytes = std::vector<uint8_t>;

// A copier puts a 512-byte header in front of the cartridge data. The layouts give the file
// offsets of an image with that header; in a plain dump every table sits this much lower.
constexpr uint32_t kCopierHeaderSize = 0x200;

// A file larger than this is no cartridge image; it is refused before anything is read.
constexpr uint64_t kMaximumImageSize = 64ull * 1024 * 1024;

// The one rule that tells the two forms apart: a plain dump is a whole number of kilobytes,
// and a copier's header makes any other size.
bool HasCopierHeader(uint64_t fileSize);

// Where the tables sit in one image.
struct ImageForm {
    bool header = true;

    static ImageForm OfSize(uint64_t fileSize) { return ImageForm{HasCopierHeader(fileSize)}; }
    uint32_t FileOffset(uint32_t layoutOffset) const
    {
        return header ? layoutOffset : layoutOffset - kCopierHeaderSize;
    }
    // The end of the last field of any table: a shorter file cannot hold the tables.
    uint32_t MinimumSize() const;
};

// A stretch of an image file at its file offset. The load pass can read from a few of them, so
// an Open reads only the stretches that hold tables.
struct ImagePart {
    uint32_t offset = 0;
    Bytes bytes;
};

// The file's byte ranges [begin, end) that hold every field of every table, in this form,
// ascending; ranges closer than a page are joined.
struct ByteRange {
    uint32_t begin;
    uint32_t end;
};
const std::vector<ByteRange>& TableRanges(ImageForm form);

struct Patch {
    uint32_t offset;
    int width;      // 1 to 3 bytes, little-endian
    uint32_t value; // already reduced to the width
};

// A refused cell or code of a table. Row and column count from 0 as the model does (the error
// counts rows from 1); row -1: no row of the table; column -1: a code array entry or no column,
// which title names ("array[k]" for an entry). Without a title, a column is named by its own.
Error CellRefusal(const Table& table, int row, int column, std::string text, std::string reason,
                  std::string title = {});

// A span of bytes one field occupies.
struct Span {
    uint32_t offset;
    int width;
};

class LoadContext {
public:
    // reads, when given, records every span read (at its file offset): the bytes the tables occupy.
    explicit LoadContext(const Bytes& image, ImageForm form = {}, std::vector<Span>* reads = nullptr);
    LoadContext(const std::vector<ImagePart>& parts, ImageForm form);
    // Offset as the layouts give it; bytes outside the image (or its parts) read as 0.
    uint32_t Read(uint32_t offset, int width) const;

private:
    struct View {
        uint32_t offset;
        const uint8_t* data;
        size_t size;
    };
    std::vector<View> views_;
    ImageForm form_;
    std::vector<Span>* reads_ = nullptr;
};

class SaveContext {
public:
    explicit SaveContext(ImageForm form = {}) : form_(form) {}

    // Converts a numeric cell. An invalid text that the load produced itself (a stored value
    // below its row flag shows negative) yields nullopt without an error: its bytes are kept.
    std::optional<int64_t> Number(const Table& table, int row, int column, Codec codec, ValueRange range);
    // Checks a code array entry against its range; nullopt (with an error) when outside.
    std::optional<int64_t> CodeValue(const Table& table, int row, const std::string& array, int k,
                                     ValueRange range);
    void Write(uint32_t offset, int width, int64_t value); // offset as the layouts give it

    std::vector<Patch> patches; // at file offsets
    std::vector<Error> errors;

private:
    ImageForm form_;
};

// The image must hold form.MinimumSize() bytes.
void LoadTables(const Bytes& image, Model& model, ImageForm form = {});
void LoadTables(const std::vector<ImagePart>& parts, Model& model, ImageForm form);
// One row of one table, as the load pass reads it (the baseline is not touched).
void LoadRow(const LoadContext& ctx, Table& table, int row);

struct SavePlan {
    std::vector<Patch> patches; // empty when there are errors
    std::vector<Error> errors;
    bool Ok() const { return errors.empty(); }
};
SavePlan PlanSave(const Model& model, ImageForm form = {}); // patches at the form's file offsets
// One row of one table, as the save pass checks and writes it.
void SaveRow(SaveContext& ctx, const Table& table, int row);

void ApplyPatches(const std::vector<Patch>& patches, Bytes& image);
// The same on the stretches of an image that were read; bytes outside them are left out.
void ApplyPatches(const std::vector<Patch>& patches, std::vector<ImagePart>& parts);

} // namespace dravik::rom
