// IPS and BPS: round trips through our writer and reader, cross-checked against minimal
// appliers written here from the public format definitions alone (the BPS one checks every
// CRC32 bit by bit), and small patches for moved, copied and repeated data.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <filesystem>
#include <random>

#include "rom/Bps.h"
#include "rom/Crc32.h"
#include "rom/Ips.h"
#include "rom/PatchFiles.h"
#include "support/TestImage.h"

using namespace dravik;
using rom::Bytes;
using rom::Describe;
using test::Refused;

namespace {
// --- Independent minimal implementations -------------------------------------------------

uint32_t BitwiseCrc(const Bytes& data, size_t size)
{
    uint32_t c = 0xFFFFFFFF;
    for (size_t i = 0; i < size; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320 & (0 - (c & 1)));
    }
    return ~c;
}

struct IpsRecord {
    uint32_t offset;
    uint32_t size; // bytes written
    bool run;
};

// Returns false on anything unexpected; lists the records it applied.
bool PlainIps(const Bytes& p, Bytes rom, Bytes& out, std::vector<IpsRecord>* records = nullptr)
{
    if (p.size() < 8 || std::string(p.begin(), p.begin() + 5) != "PATCH")
        return false;
    size_t i = 5;
    while (i + 3 <= p.size()) {
        const uint32_t offset = p[i] << 16 | p[i + 1] << 8 | p[i + 2];
        if (offset == 0x454F46) {
            i += 3;
            if (i + 3 == p.size())
                rom.resize(p[i] << 16 | p[i + 1] << 8 | p[i + 2]);
            else if (i != p.size())
                return false;
            out = rom;
            return true;
        }
        if (i + 5 > p.size())
            return false;
        uint32_t size = p[i + 3] << 8 | p[i + 4];
        i += 5;
        const bool run = size == 0;
        if (run) {
            if (i + 3 > p.size())
                return false;
            size = p[i] << 8 | p[i + 1];
        }
        if (rom.size() < offset + size)
            rom.resize(offset + size);
        for (uint32_t k = 0; k < size; ++k)
            rom[offset + k] = run ? p[i + 2] : p.at(i + k);
        i += run ? 3 : size;
        if (records)
            records->push_back({offset, size, run});
    }
    return false;
}

uint64_t Varint(const Bytes& p, size_t& i)
{
    uint64_t data = 0, shift = 1;
    for (;;) {
        const uint8_t x = p.at(i++);
        data += (x & 0x7f) * shift;
        if (x & 0x80)
            return data;
        shift <<= 7;
        data += shift;
    }
}

void PutVarint(Bytes& p, uint64_t v)
{
    for (;;) {
        const uint8_t x = v & 0x7f;
        v >>= 7;
        if (!v) {
            p.push_back(0x80 | x);
            return;
        }
        p.push_back(x);
        v--;
    }
}

void PutLe32(Bytes& p, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        p.push_back(uint8_t(v >> (8 * k)));
}

bool PlainBps(const Bytes& p, const Bytes& src, Bytes& out)
{
    if (p.size() < 19 || std::string(p.begin(), p.begin() + 4) != "BPS1")
        return false;
    size_t i = 4;
    const uint64_t ss = Varint(p, i), ts = Varint(p, i), ms = Varint(p, i);
    i += ms;
    if (ss != src.size())
        return false;
    out.clear();
    int64_t sr = 0, tr = 0;
    while (i < p.size() - 12) {
        const uint64_t d = Varint(p, i);
        const uint64_t len = (d >> 2) + 1;
        for (uint64_t k = 0; k < len; ++k) {
            switch (d & 3) {
            case 0: out.push_back(src.at(out.size())); break;
            case 1: out.push_back(p.at(i++)); break;
            case 2:
            case 3:
                if (k == 0) {
                    const uint64_t o = Varint(p, i);
                    ((d & 3) == 2 ? sr : tr) += (o & 1 ? -1 : 1) * int64_t(o >> 1);
                }
                out.push_back((d & 3) == 2 ? src.at(size_t(sr++)) : out.at(size_t(tr++)));
            }
        }
    }
    const auto le = [&](size_t at) {
        return uint32_t(p[at] | p[at + 1] << 8 | p[at + 2] << 16 | p[at + 3] << 24);
    };
    const size_t f = p.size() - 12;
    return out.size() == ts && le(f) == BitwiseCrc(src, src.size()) &&
           le(f + 4) == BitwiseCrc(out, out.size()) && le(f + 8) == BitwiseCrc(p, p.size() - 4);
}

// --- Scenarios ---------------------------------------------------------------------------

Bytes RandomEdits(Bytes b, uint32_t seed, int edits)
{
    std::mt19937 r(seed);
    for (int e = 0; e < edits; ++e) {
        const size_t at = r() % b.size(), n = 1 + r() % (e % 5 == 0 ? 300 : 4);
        const bool fill = r() % 3 == 0;
        const uint8_t v = uint8_t(r());
        for (size_t k = at; k < std::min(b.size(), at + n); ++k)
            b[k] = fill ? v : uint8_t(r());
    }
    return b;
}

struct Case {
    const char* name;
    Bytes source, target;
    size_t mostBps = 0, mostIps = 0; // the most bytes its patches may take (0: not checked)
};

std::vector<Case> Cases()
{
    std::vector<Case> out;
    const Bytes base = test::RandomImage(7, 0x40000);
    out.push_back({"identical", base, base, 0, 8});
    for (uint32_t seed = 1; seed <= 4; ++seed)
        out.push_back({"random edits", base, RandomEdits(base, seed, 40)});
    Bytes grown = RandomEdits(base, 9, 10);
    grown.resize(base.size() + 0x12345, 0);
    grown.back() = 1;
    out.push_back({"grown, zero tail", base, grown});
    Bytes shrunk = RandomEdits(base, 10, 10);
    shrunk.resize(base.size() - 1000);
    out.push_back({"shrunk", base, shrunk});
    Bytes moved = base;
    moved.insert(moved.begin() + 0x1000, 77, 0xAB); // everything after shifts: source copies
    out.push_back({"inserted", base, moved, 200});
    Bytes block = base;
    block.erase(block.begin() + 0x8000, block.begin() + 0x18000);
    block.insert(block.begin() + 0x28000, base.begin() + 0x8000, base.begin() + 0x18000);
    out.push_back({"a 64 KiB block moved", base, block, 64});
    Bytes zeros = base;
    zeros.resize(base.size() + 10, 0);
    out.push_back({"ten zero bytes appended", base, zeros, 40, 16});
    Bytes runs = base;
    std::fill(runs.begin() + 0x300, runs.begin() + 0x309, 0x77); // a run at the start of a change
    runs[0x309] ^= 1;
    out.push_back({"a run of nine, then a byte", base, runs, 40, 5 + 8 + 6 + 3});
    Bytes pair = base;
    pair[0x700] ^= 1;
    pair[0x701] ^= 1;
    out.push_back({"two bytes side by side", base, pair, 40, 5 + 7 + 3});
    // New bytes, then a block found only some way into it: the copy reaches back to the block's start.
    Bytes newThenCopied = base;
    const Bytes noise = test::RandomImage(32, 230);
    std::copy(noise.begin(), noise.end(), newThenCopied.begin() + 0x30000);
    std::copy(base.begin() + 0x1000, base.begin() + 0x1800, newThenCopied.begin() + 0x30000 + 230);
    out.push_back({"new bytes, then a copied block", base, newThenCopied, 230 + 40});
    Bytes longRun = base;
    std::fill(longRun.begin() + 0x100, longRun.begin() + 0x100 + 0x2ABCD, 0x5A);
    out.push_back({"run longer than 0xFFFF", base, longRun});
    Bytes longLiteral = RandomEdits(base, 11, 0);
    for (size_t k = 0x200; k < 0x200 + 0x23456; ++k)
        longLiteral[k] ^= uint8_t(k | 1);
    out.push_back({"literal longer than 0xFFFF", base, longLiteral});
    out.push_back({"from empty", Bytes{}, test::RandomImage(3, 100)});
    out.push_back({"a run from the first byte on", Bytes{}, Bytes(100, 0x42)}); // copies target byte 0
    out.push_back({"to empty", test::RandomImage(3, 100), Bytes{}});
    // Past "EOF" as an offset: a changed byte there, a run that starts there, and a long literal
    // whose 0xFFFF-byte chunks would put a record's start on it.
    const Bytes large = test::RandomImage(8, 0x480000);
    std::vector<Bytes> atEof(3, large);
    atEof[0][rom::kIpsEofOffset] ^= 0xFF;
    std::fill(atEof[1].begin() + rom::kIpsEofOffset, atEof[1].begin() + rom::kIpsEofOffset + 40, 0);
    for (uint32_t k = rom::kIpsEofOffset - 0xFFFF; k < rom::kIpsEofOffset + 10; ++k)
        atEof[2][k] ^= 0x33;
    for (const Bytes& target : atEof)
        out.push_back({"at \"EOF\"", large, target});
    return out;
}
} // namespace

TEST(PatchFormats, RoundTripsAgreeWithPlainAppliersBothWays)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        Bytes ips, out, plain;
        ASSERT_EQ(Describe(rom::MakeIps(c.source, c.target, ips)), "");
        ASSERT_EQ(Describe(rom::ApplyIps(ips, c.source, out)), "");
        EXPECT_TRUE(out == c.target);
        std::vector<IpsRecord> records;
        ASSERT_TRUE(PlainIps(ips, c.source, plain, &records));
        EXPECT_TRUE(plain == c.target);
        for (const IpsRecord& r : records) { // no record starts at "EOF" or outgrows its size field
            EXPECT_NE(r.offset, rom::kIpsEofOffset);
            EXPECT_LE(r.size, 0xFFFFu);
        }
        EXPECT_TRUE(c.mostIps == 0 || ips.size() <= c.mostIps) << ips.size();
        if (c.source.size() > 0x400000)
            continue; // the cases at IPS's "EOF" offset, which BPS does not have

        const Bytes bps = rom::MakeBps(c.source, c.target);
        ASSERT_EQ(Describe(rom::ApplyBps(bps, c.source, out)), "");
        EXPECT_TRUE(out == c.target);
        ASSERT_TRUE(PlainBps(bps, c.source, plain));
        EXPECT_TRUE(plain == c.target);
        EXPECT_TRUE(c.mostBps == 0 || bps.size() <= c.mostBps) << bps.size();
    }
}

TEST(PatchFormats, EveryTruncationAndMalformedFieldIsRefused)
{
    const Bytes source = test::RandomImage(4, 3000);
    Bytes target = RandomEdits(source, 5, 6);
    std::fill(target.begin() + 100, target.begin() + 160, 9); // a run record
    target.resize(2900);                                      // a truncation size after "EOF"
    Bytes ips, out;
    ASSERT_EQ(Describe(rom::MakeIps(source, target, ips)), "");
    // Cut right after "EOF" the patch is whole, only without its optional truncation size.
    for (size_t n = 0; n < ips.size(); ++n)
        EXPECT_TRUE(n == ips.size() - 3 ||
                    Refused(rom::ApplyIps(Bytes(ips.begin(), ips.begin() + n), source, out)))
            << n;
    Bytes extra = ips;
    extra.push_back(0);
    EXPECT_TRUE(Refused(rom::ApplyIps(extra, source, out), "\"EOF\" 之后有 4 个字节"));
    const Bytes zeroRun = {'P', 'A', 'T', 'C', 'H', 0, 0, 1, 0, 0, 0, 0, 5, 'E', 'O', 'F'};
    EXPECT_TRUE(Refused(rom::ApplyIps(zeroRun, source, out), "0x1"));
    // What IPS cannot address: a record at its last offset running past 16 MiB, a larger target.
    const Bytes grow = {'P', 'A', 'T', 'C', 'H', 0xFF, 0xFF, 0xFF, 0, 0, 0, 2, 7, 'E', 'O', 'F'};
    EXPECT_TRUE(Refused(rom::ApplyIps(grow, Bytes(16), out), "16 MiB"));
    EXPECT_TRUE(Refused(rom::MakeIps(Bytes(10), Bytes(rom::kIpsLimit + 1), ips), "16 MiB"));
    EXPECT_EQ(Describe(rom::MakeIps(Bytes(10), Bytes(rom::kIpsLimit), ips)), "");

    // BPS: each prefix of the body, made whole again with correct CRCs, is still refused:
    // a cut number, a cut literal, or too few bytes written.
    const Bytes bps = rom::MakeBps(source, target);
    const size_t body = bps.size() - 12;
    for (size_t n = 4; n < body; ++n) {
        Bytes cut(bps.begin(), bps.begin() + n);
        cut.insert(cut.end(), bps.begin() + body, bps.begin() + body + 8);
        PutLe32(cut, BitwiseCrc(cut, cut.size()));
        EXPECT_TRUE(Refused(rom::ApplyBps(cut, source, out))) << n;
    }
    for (size_t n = 0; n < bps.size(); ++n)
        EXPECT_TRUE(Refused(rom::ApplyBps(Bytes(bps.begin(), bps.begin() + n), source, out))) << n;
}

namespace {
Bytes BpsWith(size_t sourceSize, size_t targetSize, const Bytes& actions, const Bytes& source,
              const Bytes& target)
{
    Bytes p = {'B', 'P', 'S', '1'};
    PutVarint(p, sourceSize);
    PutVarint(p, targetSize);
    PutVarint(p, 0);
    p.insert(p.end(), actions.begin(), actions.end());
    PutLe32(p, BitwiseCrc(source, source.size()));
    PutLe32(p, BitwiseCrc(target, target.size()));
    PutLe32(p, BitwiseCrc(p, p.size()));
    return p;
}
} // namespace

// The checksum takes 64 bytes a step where the processor can: at every length and start it agrees
// with its bit-by-bit definition.
TEST(PatchFormats, Crc32AgreesWithItsDefinitionAtEveryLengthAndStart)
{
    const Bytes data = test::RandomImage(5, 700);
    for (size_t start = 0; start < 16; ++start)
        for (size_t size = 0; start + size <= data.size(); size += size < 300 ? 1 : 61)
            ASSERT_EQ(rom::Crc32(data.data() + start, size),
                      BitwiseCrc(Bytes(data.begin() + long(start), data.end()), size))
                << start << " " << size;
}

TEST(PatchFormats, BpsSaysWhichCheckFailed)
{
    const Bytes source = test::RandomImage(6, 500);
    const Bytes target = RandomEdits(source, 6, 5);
    const Bytes bps = rom::MakeBps(source, target);
    Bytes out;
    Bytes otherSource = source;
    otherSource[10] ^= 1;
    Bytes corrupt = bps;
    corrupt[bps.size() / 2] ^= 0x40;
    const Bytes one = {1};
    const std::vector<std::tuple<const char*, Bytes, Bytes, const char*>> refusals = {
        {"source size", bps, Bytes(source.begin(), source.end() - 1), "大小不符"},
        {"source CRC", bps, otherSource, "CRC32 为"},
        {"patch CRC", corrupt, source, "补丁自身的 CRC32"},
        {"target CRC", BpsWith(500, 1, {0x81, 0x00}, source, one), source, "结果的 CRC32"},
        {"source read past the source", BpsWith(500, 600, {0x5C, 0x91}, source, one), source, "超出原始映像"},
        {"target copy of unwritten bytes", BpsWith(500, 4, {0x80 | 3, 0x80}, source, one), source,
         "尚未写出"},
        {"source copy before the start", BpsWith(500, 4, {0x80 | 2, 0x83}, source, one), source,
         "超出原始映像"},
        {"action past the target", BpsWith(500, 4, {0x80 | (7 << 2)}, source, one), source, "末尾之后"},
        {"too few bytes", BpsWith(500, 4, {0x80}, source, one), source, "只写出 1 字节"},
        {"not BPS", Bytes{'B', 'P', 'S', '2'}, source, "不以 \"BPS1\" 开头"},
    };
    for (const auto& [name, patch, image, says] : refusals)
        EXPECT_TRUE(Refused(rom::ApplyBps(patch, image, out), says)) << name;
}

TEST(PatchFormats, PatchesMadeForTheImageWithoutOrWithItsCopierHeader)
{
    // A headered image, its edit, and both without the header: patches made from each pair.
    const Bytes header = test::RandomImage(21, rom::kCopierHeaderSize);
    const Bytes body = test::RandomImage(22, 0x8000);
    Bytes edited = RandomEdits(body, 23, 30);
    edited.resize(body.size() + 0x400, 0x11); // grown too
    auto headered = [&](const Bytes& b) {
        Bytes out = header;
        out.insert(out.end(), b.begin(), b.end());
        return out;
    };
    auto ips = [](const Bytes& a, const Bytes& b) {
        Bytes p;
        EXPECT_EQ(Describe(rom::MakeIps(a, b, p)), "");
        return p;
    };
    Bytes otherBody = body;
    otherBody[0x100] ^= 1;
    const Bytes hBody = headered(body), hEdited = headered(edited);
    Bytes newHeader = hEdited;
    newHeader[3] ^= 0x80;
    Bytes lowEdit = body;
    lowEdit[0x10] ^= 1;
    const Bytes cutShort = {'P', 'A', 'T', 'C', 'H', 'E', 'O', 'F', 0, 1, 0};
    const Bytes bpsBody = rom::MakeBps(body, edited), bpsHeadered = rom::MakeBps(hBody, hEdited);
    const Bytes ipsBody = ips(body, edited), ipsHeadered = ips(hBody, hEdited),
                ipsHeader = ips(hBody, newHeader);
    using M = rom::IpsMadeFor;
    const Bytes refused;
    // {name, patch, image, made for, result (empty: refused), header shift, words of the refusal or fit}
    const std::vector<std::tuple<const char*, Bytes, Bytes, M, Bytes, int, const char*>> cases = {
        // clang-format off
        {"BPS for the body, to the headered image", bpsBody, hBody, M::Unsaid, hEdited, 0x200, "文件头保持不变"},
        {"the same, the user's IPS option aside", bpsBody, hBody, M::WithHeader, hEdited, 0x200, "文件头保持不变"},
        {"BPS from the body to an edit that kept the header", rom::MakeBps(body, hEdited), hBody, M::Unsaid, hEdited, 0x200, "只出现一次"},
        {"BPS for the body, another body", bpsBody, headered(otherBody), M::Unsaid, refused, 0, "去掉 512 字节"},
        {"BPS for the headered image, to the body", bpsHeadered, body, M::Unsaid, refused, 0, "加上原来的文件头"},
        {"BPS for the headered image, as made", bpsHeadered, hBody, M::Unsaid, hEdited, 0, ""},
        {"IPS for the body, told so", ipsBody, hBody, M::WithoutHeader, hEdited, 0x200, "文件头保持不变"},
        {"IPS for the body, to the body, told so", ipsBody, body, M::WithoutHeader, edited, 0, "本来就没有"},
        {"IPS for the headered image, to the body", ipsHeadered, body, M::WithHeader, edited, -0x200, "结果仍没有文件头。"},
        {"the same, with the header edited", ipsHeader, body, M::WithHeader, edited, -0x200, "改动被略去"},
        {"IPS for the headered image, to it", ipsHeadered, hBody, M::WithHeader, hEdited, 0, "本来就有"},
        {"IPS for the body, not told so, writing into the header", ips(body, lowEdit), hBody, M::Unsaid, refused, 0, "多半是为去掉文件头"},
        {"IPS editing the header, not told", ipsHeader, hBody, M::Unsaid, refused, 0, "--headered-patch"},
        {"IPS editing the header, told so", ipsHeader, hBody, M::WithHeader, newHeader, 0, "本来就有"},
        {"IPS cutting into the header", cutShort, body, M::WithHeader, refused, 0, "比 512 字节的复制器文件头还短"},
        // clang-format on
    };
    for (const auto& [name, patch, image, madeFor, result, shift, says] : cases) {
        SCOPED_TRACE(name);
        Bytes out;
        rom::PatchFit fit;
        const std::string error = Describe(rom::ApplyPatch(patch, image, out, madeFor, &fit));
        const bool ok = error.empty();
        ASSERT_EQ(ok, !result.empty()) << error;
        if (ok) {
            EXPECT_TRUE(out == result);
            EXPECT_EQ(fit.headerShift, shift);
        }
        EXPECT_TRUE(test::Mentions(ok ? fit.Text() : error, says));
    }
}

// Where a patch may be written: never over a read-only file nor over an image it is made from or
// for, however the path spells it.
TEST(PatchTarget, RefusesReadOnlyFilesAndEveryNameOfTheImages)
{
    const test::TempImage image(rom::Bytes(16, 0), "game.smc");
    const std::string folder = QFileInfo(QString::fromStdString(image.Path())).absolutePath().toStdString();
    const std::string kept = folder + "/kept.ips";
    ASSERT_TRUE(test::WriteFile(kept, rom::Bytes(4, 1)));
    ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(kept), QFileDevice::ReadOwner));
    const std::string link = folder + "/link.smc";
    const bool linked = QFile::link(QString::fromStdString(image.Path()), QString::fromStdString(link));
    std::error_code error; // a hard link is another name of the very file, on every system that has them
    std::filesystem::create_hard_link(image.Path(), folder + "/hard.smc", error);

    const std::tuple<std::string, rom::PatchTargetProblem> cases[] = {
        {folder + "/mod.ips", rom::PatchTargetProblem::None},
        {folder + "/../" + QDir(QString::fromStdString(folder)).dirName().toStdString() + "/mod.bps",
         rom::PatchTargetProblem::None},
        {kept, rom::PatchTargetProblem::ReadOnly},
        {image.Path(), rom::PatchTargetProblem::OverImage},
        {folder + "/./game.smc", rom::PatchTargetProblem::OverImage},
        {folder + "//game.smc", rom::PatchTargetProblem::OverImage},
        {folder + "/hard.smc", error ? rom::PatchTargetProblem::None : rom::PatchTargetProblem::OverImage},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(rom::CheckPatchTarget(path, {folder + "/clean.smc", image.Path()}), expected) << path;
    if (linked) {
        EXPECT_EQ(rom::CheckPatchTarget(link, {image.Path()}), rom::PatchTargetProblem::OverImage);
    }
}
