#include "rom/PatchFiles.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sstream>

#include "rom/Bps.h"
#include "rom/ImageBytes.h"
#include "rom/Ips.h"
#include "rom/SystemFiles.h"
#include "rom/Texts.h"

namespace dravik::rom {

bool PatchFormatOfName(const std::string& path, PatchFormat& format)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix != "ips" && suffix != "bps")
        return false;
    format = suffix == "ips" ? PatchFormat::Ips : PatchFormat::Bps;
    return true;
}

std::optional<Error> WritePatch(PatchFormat format, const Bytes& original, const Bytes& modified,
                                const std::string& path, size_t& size)
{
    Bytes patch;
    if (std::optional<Error> refused = MakePatch(format, original, modified, patch))
        return refused;
    if (std::optional<Error> failed = WriteImageAtomically(path, patch))
        return failed;
    size = patch.size();
    return std::nullopt;
}

PatchTargetProblem CheckPatchTarget(const std::string& patchPath, const std::vector<std::string>& images)
{
    if (QFileInfo::exists(QString::fromStdString(patchPath)) && !IsWritableFile(patchPath))
        return PatchTargetProblem::ReadOnly;
    for (const std::string& image : images)
        if (SameFile(patchPath, image))
            return PatchTargetProblem::OverImage;
    return PatchTargetProblem::None;
}

bool SameFile(const std::string& a, const std::string& b)
{
    const QFileInfo x(QString::fromStdString(a)), y(QString::fromStdString(b));
    if (x.absoluteFilePath() == y.absoluteFilePath())
        return true;
    if (!x.exists() || !y.exists())
        return false;
    // Hard links share no path, only the file itself.
    const FileIdentity ix = IdentifyFile(a), iy = IdentifyFile(b);
    return x.canonicalFilePath() == y.canonicalFilePath() ||
           (ix.Known() && iy.Known() && ix.device == iy.device && ix.inode == iy.inode);
}

std::optional<Error> ReadWholeFile(const std::string& path, Bytes& bytes, std::string* notice)
{
    const QFileInfo info(QString::fromStdString(path));
    if (!info.exists() || !info.isFile())
        return info.exists() ? Error::Reading(path, EINVAL, Fill(Files::tr("这不是一个普通文件")))
                             : Error::Reading(path, ENOENT, Fill(Files::tr("文件不存在")));
    std::string rolledBack;
    const auto readAll = [&](QFile& file, uint64_t size) -> std::optional<Error> {
        if (size > kMaximumImageSize)
            return Error::Reading(path, EFBIG, Fill(Files::tr("文件有 %1 字节，超过 64 MiB"), size));
        // Straight into the buffer, no copy through Qt's; a file that grew meanwhile is read to its end.
        bytes.resize(static_cast<size_t>(size));
        size_t done = 0;
        char more[4096];
        while (true) {
            const bool full = done == bytes.size();
            char* into = full ? more : reinterpret_cast<char*>(bytes.data() + done);
            const qint64 got =
                file.read(into, full ? qint64{sizeof more} : static_cast<qint64>(bytes.size() - done));
            if (got < 0)
                return Error::Failure(Fill(Files::tr("无法读取 %1：%2"), path, file.errorString()), path,
                                      EIO);
            if (got == 0)
                break;
            if (full)
                bytes.insert(bytes.end(), more, more + got);
            done += static_cast<size_t>(got);
            if (done > kMaximumImageSize)
                return Error::Reading(path, EFBIG, Fill(Files::tr("文件在读取时变大，超过了 64 MiB")));
        }
        bytes.resize(done);
        return std::nullopt;
    };
    const std::optional<Error> failed = ReadConsistently(path, *SystemFileOps(), readAll, rolledBack);
    if (notice)
        *notice += rolledBack;
    return failed;
}

std::optional<Error> MakePatch(PatchFormat format, const Bytes& original, const Bytes& modified, Bytes& patch)
{
    if (format == PatchFormat::Bps) {
        patch = MakeBps(original, modified);
        return std::nullopt;
    }
    return MakeIps(original, modified, patch);
}

namespace {
constexpr size_t kHeader = kCopierHeaderSize;
const std::string kHeaderSize = std::to_string(kCopierHeaderSize);

bool Headered(const Bytes& image) { return HasCopierHeader(image.size()) && image.size() >= kHeader; }

// The header of source, then result.
void WithHeaderOf(const Bytes& source, Bytes& result, Bytes& target)
{
    result.insert(result.begin(), source.begin(), source.begin() + kHeader);
    target = std::move(result);
}

std::optional<Error> ApplyBpsToImage(const Bytes& patch, const Bytes& source, Bytes& target, PatchFit& fit)
{
    uint64_t size = 0;
    uint32_t crc = 0;
    if (!BpsSource(patch, size, crc) || size == source.size())
        return ApplyBps(patch, source, target);
    if (Headered(source) && size == source.size() - kHeader) {
        const Bytes body(source.begin() + kHeader, source.end());
        Bytes result;
        if (std::optional<Error> refused = ApplyBps(patch, body, result)) {
            refused->detail =
                Fill(Patches::tr("去掉 %1 字节的复制器文件头后，映像的大小与补丁要求的相符，但%2"),
                     kHeaderSize, refused->detail);
            return refused;
        }
        fit.headerShift = static_cast<int>(kHeader);
        // A patch made from the image without its header to an edit that kept it (a patcher strips
        // the header of a source whose size says it has one, but not of a target whose size no
        // longer does) has the header in its result already: the header once, not twice.
        fit.headerInResult =
            result.size() >= kHeader && std::equal(source.begin(), source.begin() + kHeader, result.begin());
        if (fit.headerInResult)
            target = std::move(result);
        else
            WithHeaderOf(source, result, target);
        return std::nullopt;
    }
    std::optional<Error> refused = ApplyBps(patch, source, target); // refused: the sizes differ
    if (refused && !Headered(source) && size == source.size() + kHeader)
        refused->detail += Fill(
            Patches::tr("补丁是为带 %1 字节复制器文件头的映像制作的，而这个映像没有文件头：请给它加上原来的"
                        "文件头后再应用。"),
            kHeaderSize);
    return refused;
}

std::optional<Error> ApplyIpsToImage(const Bytes& patch, const Bytes& source, Bytes& target,
                                     IpsMadeFor madeFor, PatchFit& fit)
{
    const bool headered = Headered(source);
    if (madeFor == IpsMadeFor::Unsaid || (madeFor == IpsMadeFor::WithHeader) == headered) {
        fit.headerlessAlready = madeFor == IpsMadeFor::WithoutHeader;
        fit.headeredAlready = madeFor == IpsMadeFor::WithHeader;
        if (std::optional<Error> refused = ApplyIps(patch, source, target))
            return refused;
        // Nothing in a copier header is worth patching: an IPS that writes there was almost
        // surely made for the image without one, and would put every byte 0x200 too low.
        if (madeFor == IpsMadeFor::Unsaid && headered &&
            !KeepsCopierHeader(source.data(), source.size(), target.data(), target.size()))
            return Error::Failure(Fill(
                Patches::tr("IPS 补丁改写了这个映像开头 %1 字节的复制器文件头：它多半是为去掉文件头的映像制作"
                            "的，按原样应用会把每个字节都写低 %1 字节。请说明它是为哪种映像制作的（命令行："
                            "--headerless-patch 为去掉文件头的映像，--headered-patch 为带文件头的映像）。"),
                kHeaderSize));
        return std::nullopt;
    }
    Bytes result;
    if (madeFor == IpsMadeFor::WithoutHeader) {
        if (std::optional<Error> refused =
                ApplyIps(patch, Bytes(source.begin() + kHeader, source.end()), result))
            return refused;
        WithHeaderOf(source, result, target);
        fit.headerShift = static_cast<int>(kHeader);
        return std::nullopt;
    }
    // Made for the image with a header: a stand-in header of zeros takes the patch's offsets.
    Bytes padded(kHeader + source.size(), 0);
    std::copy(source.begin(), source.end(), padded.begin() + kHeader);
    if (std::optional<Error> refused = ApplyIps(patch, padded, result))
        return refused;
    if (result.size() < kHeader)
        return Error::Failure(
            Fill(Patches::tr("IPS 补丁把结果截短到 %1 字节，比 %2 字节的复制器文件头还短。"), result.size(),
                 kHeaderSize));
    fit.headerShift = -static_cast<int>(kHeader);
    fit.headerEditsDropped =
        std::any_of(result.begin(), result.begin() + kHeader, [](uint8_t b) { return b != 0; });
    target.assign(result.begin() + kHeader, result.end());
    return std::nullopt;
}
} // namespace

std::string PatchFit::Text() const
{
    if (headerShift > 0 && headerInResult)
        return Fill(
            Patches::tr(
                "补丁是为去掉 %1 字节复制器文件头的映像制作的，而它的结果本身就以这个文件头开头：已应用于"
                "文件头之后的部分，结果中文件头只出现一次。"),
            kHeaderSize);
    if (headerShift > 0)
        return Fill(
            Patches::tr("补丁是为去掉 %1 字节复制器文件头的映像制作的：已应用于文件头之后的部分，文件头保持"
                        "不变。"),
            kHeaderSize);
    if (headerShift < 0)
        return Fill(
            headerEditsDropped
                ? Patches::tr("补丁是为带 %1 字节复制器文件头的映像制作的：已按有文件头时的位置应用，结果仍没"
                              "有文件头；补丁对文件头的改动被略去。")
                : Patches::tr("补丁是为带 %1 字节复制器文件头的映像制作的：已按有文件头时的位置应用，结果仍没"
                              "有文件头。"),
            kHeaderSize);
    if (headerlessAlready)
        return Fill(Patches::tr("这个映像本来就没有复制器文件头：补丁按原样应用。"));
    if (headeredAlready)
        return Fill(Patches::tr("这个映像本来就有复制器文件头：补丁按原样应用。"));
    return {};
}

std::optional<Error> ApplyPatch(const Bytes& patch, const Bytes& source, Bytes& target, IpsMadeFor madeFor,
                                PatchFit* fit)
{
    PatchFit how;
    std::optional<Error> refused;
    if (IsBps(patch))
        refused = ApplyBpsToImage(patch, source, target, how);
    else if (IsIps(patch))
        refused = ApplyIpsToImage(patch, source, target, madeFor, how);
    else
        refused = Error::Failure(
            Fill(Patches::tr("这不是 IPS 或 BPS 补丁：文件既不以 \"PATCH\" 也不以 \"BPS1\" 开头。")));
    if (!refused && fit)
        *fit = how;
    return refused;
}

ImageResult ImageWithEdits(const RomDocument& document, Bytes& image)
{
    if (!document.IsLoaded())
        return {Error::Failure(Fill(Files::tr("没有载入文件。")))};
    SavePlan plan = PlanSave(document.GetModel(), document.Form());
    if (!plan.Ok()) {
        std::ostringstream s;
        s << Fill(Patches::tr("有 %n 个单元格的值无效，保存时会被拒绝：", nullptr,
                              static_cast<int>(plan.errors.size())));
        for (const Error& e : plan.errors)
            s << "\n" << Describe(e);
        return {Error::Failure(s.str(), document.Path()), std::move(plan.errors)};
    }
    ImageFile file;
    if (std::optional<Error> failed = ReadImage(document.Path(), ReadExtent::Whole, file))
        return {std::move(failed)};
    if (file.form.header != document.Form().header)
        return {Error::Failure(
            Fill(Patches::tr("%1 在打开后被改变了（文件头不同）。请重新打开。"), document.Path()),
            document.Path())};

    ApplyPatches(plan.patches, file.bytes);
    if (document.FixChecksumOnSave()) {
        ChecksumFix fix = FixChecksum(file.bytes, document.Form());
        if (fix.error) {
            fix.error->file = document.Path();
            return {std::move(fix.error)};
        }
        ApplyPatches(fix.patches, file.bytes);
    }
    image = std::move(file.bytes);
    return {};
}

} // namespace dravik::rom
