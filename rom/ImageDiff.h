#pragma once
// What differs between two images, in the game's own terms: every table field whose value
// differs, then every run of differing bytes that no table field covers. Which bytes belong to
// a field is taken from the load pass itself (every byte it reads) and the save-only fields of
// the layouts, so the two can never disagree.
#include <cstdint>
#include <string>
#include <vector>

#include "rom/Passes.h"

namespace dravik::rom {

struct FieldChange {
    std::string tableId;
    std::string tableTitle;
    int row = 0; // counted from 0, as the model counts
    std::string rowLabel;
    std::string column; // the column title, "array[k]" for a code entry no column shows, or "字节 0x..."
    std::string before; // A's text
    std::string after;  // B's text
    // The shown values agree but stored bits differ (a row flag, a mirror copy); the texts are
    // then the stored bytes in hexadecimal.
    bool storedOnly = false;
};

struct ByteRun {
    uint32_t offset;
    uint32_t length;
};

struct ImageDiff {
    uint64_t sizeA = 0;
    uint64_t sizeB = 0;
    ImageForm formA;                 // with or without the copier header: the tables are compared where each
    ImageForm formB;                 // image has them, and so are the other bytes, aligned the same way
    std::vector<FieldChange> fields; // in the order of the load pass
    std::vector<ByteRun> runs;       // differing bytes outside every field, at A's offsets
    uint64_t bytesOutside = 0;       // their total

    bool SameSize() const { return sizeA == sizeB; }
    bool Identical() const { return SameSize() && fields.empty() && runs.empty(); }
};

// At most this many runs are listed one by one; the rest are only counted.
constexpr size_t kListedRuns = 50;
// "字段以外的字节差异 3 段，共 5 字节", each count in its own plural form, ended by a colon when the
// runs are listed after it, else by a full stop.
std::string RunsSummary(const ImageDiff& diff, bool listed);
// "……另有 7 段未列出" when more than kListedRuns runs differ; else empty.
std::string RunsNotListed(const ImageDiff& diff);

// Two whole image files; each must hold every table for its form (ImageForm::OfSize). Labels and
// codes are shown with `names` (the compiled-in set for none).
ImageDiff DiffImages(const Bytes& a, const Bytes& b, const names::NameSetPtr& names = nullptr);

// How many table fields of a file's bytes as they are now differ from the stretches read from
// it earlier (RomDocument::SavedParts): what another program changed meanwhile. -1 when the file
// has become too short to tell.
int ChangedFields(const std::vector<ImagePart>& earlier, const Bytes& now);

// Every byte any table field occupies in an image of this form: true at its file offset.
// Sized to the end of the last field.
std::vector<bool> FieldByteMap(ImageForm form);

} // namespace dravik::rom
