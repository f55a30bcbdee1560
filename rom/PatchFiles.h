#pragma once
// What the command line and the window share for patches: reading any file whole, making a
// patch in a named format, applying a patch of either format, and the open image as Save would
// leave it.
#include <string>

#include "rom/Passes.h"
#include "rom/RomDocument.h"

namespace dravik::rom {

enum class PatchFormat { Ips, Bps };

// The format a file name asks for by its extension (.ips, .bps, any case); false for others.
bool PatchFormatOfName(const std::string& path, PatchFormat& format);

// Reads a whole file of at most kMaximumImageSize bytes (a patch or an image of any size).
bool ReadWholeFile(const std::string& path, Bytes& bytes, std::string& error);

bool MakePatch(PatchFormat format, const Bytes& original, const Bytes& modified, Bytes& patch,
               std::string& error);

// Tells IPS from BPS by the signature and applies it; refuses anything else.
bool ApplyPatch(const Bytes& patch, const Bytes& source, Bytes& target, std::string& error);

// The open file as Save would write it: read again, every pending edit applied. Refused as Save
// refuses (status.cellErrors lists the invalid cells); nothing is written.
Status ImageWithEdits(const RomDocument& document, Bytes& image);

} // namespace dravik::rom
