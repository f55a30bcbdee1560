#include "rom/PatchFiles.h"

#include <QFile>
#include <QFileInfo>
#include <sstream>

#include "rom/Bps.h"
#include "rom/Ips.h"

namespace dravik::rom {

bool PatchFormatOfName(const std::string& path, PatchFormat& format)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix != "ips" && suffix != "bps")
        return false;
    format = suffix == "ips" ? PatchFormat::Ips : PatchFormat::Bps;
    return true;
}

bool ReadWholeFile(const std::string& path, Bytes& bytes, std::string& error)
{
    const QFileInfo info(QString::fromStdString(path));
    const std::string prefix = "无法读取 " + path + "：";
    if (!info.exists() || !info.isFile()) {
        error = prefix + (info.exists() ? "这不是一个普通文件。" : "文件不存在。");
        return false;
    }
    if (static_cast<uint64_t>(info.size()) > kMaximumImageSize) {
        error = prefix + "文件有 " + std::to_string(info.size()) + " 字节，超过 64 MiB。";
        return false;
    }
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly)) {
        error = prefix + file.errorString().toStdString();
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = prefix + file.errorString().toStdString();
        return false;
    }
    bytes.assign(data.begin(), data.end());
    return true;
}

bool MakePatch(PatchFormat format, const Bytes& original, const Bytes& modified, Bytes& patch,
               std::string& error)
{
    if (format == PatchFormat::Bps) {
        patch = MakeBps(original, modified);
        return true;
    }
    return MakeIps(original, modified, patch, error);
}

bool ApplyPatch(const Bytes& patch, const Bytes& source, Bytes& target, std::string& error)
{
    if (IsBps(patch))
        return ApplyBps(patch, source, target, error);
    if (IsIps(patch))
        return ApplyIps(patch, source, target, error);
    error = "这不是 IPS 或 BPS 补丁：文件既不以 \"PATCH\" 也不以 \"BPS1\" 开头。";
    return false;
}

Status ImageWithEdits(const RomDocument& document, Bytes& image)
{
    if (!document.IsLoaded())
        return Status::Failure("没有载入文件。");
    SavePlan plan = PlanSave(document.GetModel(), document.Form());
    if (!plan.Ok()) {
        std::ostringstream s;
        s << "有 " << plan.errors.size() << " 个单元格的值无效，保存时会被拒绝：";
        for (const CellError& e : plan.errors)
            s << "\n" << e.Describe();
        Status status = Status::Failure(s.str());
        status.cellErrors = std::move(plan.errors);
        return status;
    }
    ImageFile file;
    std::string error;
    if (!ReadImage(document.Path(), ReadExtent::Whole, file, error))
        return Status::Failure(error);
    if (file.form.header != document.Form().header)
        return Status::Failure(document.Path() + " 在打开后被改变了（文件头不同）。请重新打开。");
    image = std::move(file.bytes);
    ApplyPatches(plan.patches, image);
    return {};
}

} // namespace dravik::rom
