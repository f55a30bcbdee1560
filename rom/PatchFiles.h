#pragma once
// What the command line and the window share for patches: reading any file whole, making a
// patch in a named format, applying a patch of either format, and the open image as Save would
// leave it.
#include <optional>
#include <string>
#include <vector>

#include "rom/Passes.h"
#include "rom/RomDocument.h"

namespace dravik::rom {

enum class PatchFormat { Ips, Bps };

// The format a file name asks for by its extension (.ips, .bps, any case); false for others.
bool PatchFormatOfName(const std::string& path, PatchFormat& format);

// Reads a whole file of at most kMaximumImageSize bytes (a patch or an image of any size),
// consistently (ReadConsistently). notice, where given, gets what was rolled back first, if anything.
std::optional<Error> ReadWholeFile(const std::string& path, Bytes& bytes, std::string* notice = nullptr);

std::optional<Error> MakePatch(PatchFormat format, const Bytes& original, const Bytes& modified,
                               Bytes& patch);

// Makes the patch and writes it at path, so that a failure leaves whatever file was there whole;
// size is the patch's size.
std::optional<Error> WritePatch(PatchFormat format, const Bytes& original, const Bytes& modified,
                                const std::string& path, size_t& size);

// Why a patch may not be written at a path, checked before anything is made.
enum class PatchTargetProblem {
    None,
    ReadOnly,  // a file is there that may not be replaced
    OverImage, // the path names one of the images the patch is made from or for
};
PatchTargetProblem CheckPatchTarget(const std::string& patchPath, const std::vector<std::string>& images);

// Whether two paths name one file: the same absolute path, or two names of an existing file
// (spelled differently, through symbolic links, or hard links of it).
bool SameFile(const std::string& a, const std::string& b);

// The image an IPS patch was made for, as the user says: an IPS names no source, so only the user
// can tell that it was made for the image with or without its copier header. Unsaid applies it as
// it is, but refuses one that would write into the copier header of an image that has one (made
// for the image without it, it would put every byte 0x200 too low); WithHeader applies that one.
enum class IpsMadeFor { Unsaid, WithoutHeader, WithHeader };

// How a patch met the image it was applied to.
struct PatchFit {
    // 0: as made. +kCopierHeaderSize: made for the image without its copier header, applied to
    // the bytes after it, the header kept. -kCopierHeaderSize: made for the image with a header,
    // applied to this one (which has none) as if it had one, and the result again has none.
    int headerShift = 0;
    bool headerEditsDropped = false; // what the patch wrote into that header is left out
    bool headerlessAlready = false;  // the user said WithoutHeader of an image that has no header
    bool headeredAlready = false;    // the user said WithHeader of an image that has one
    // headerShift > 0, and the patch's result began with that same header already (made from the
    // image without its header to an edit that kept one): it is the whole result
    bool headerInResult = false;

    std::string Text() const; // a sentence for the user; empty when applied as made, as asked
};

// Tells IPS from BPS by the signature and applies it; refuses anything else. A BPS is applied to
// the image after its copier header (kept) when its source size and CRC-32 say it was made for the
// image without one; an IPS as madeFor says.
std::optional<Error> ApplyPatch(const Bytes& patch, const Bytes& source, Bytes& target,
                                IpsMadeFor madeFor = IpsMadeFor::Unsaid, PatchFit* fit = nullptr);

// The open file as Save would write it: read again, every pending edit applied (and the checksum
// fixed when the document's saves fix it). Refused as Save refuses; nothing is written.
struct ImageResult {
    std::optional<Error> error;
    std::vector<Error> cellErrors; // the invalid cells when it was refused for them
    bool ok() const { return !error; }
};
ImageResult ImageWithEdits(const RomDocument& document, Bytes& image);

} // namespace dravik::rom
