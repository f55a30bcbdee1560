#include "rom/RomDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sstream>
#include <unistd.h>

namespace dravik::rom {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

bool ReadImage(const std::string& path, Bytes& image, std::string& error)
{
    const QFileInfo info(Q(path));
    const std::string prefix = "无法打开文件 " + path + "：";
    if (path.empty() || !info.exists()) {
        error = prefix + "文件不存在。";
        return false;
    }
    if (!info.isFile()) {
        error = prefix + "这不是一个普通文件。";
        return false;
    }
    const QByteArray native = QFile::encodeName(info.absoluteFilePath());
    if (::access(native.constData(), R_OK) != 0) {
        error = prefix + "没有读取权限。";
        return false;
    }
    if (::access(native.constData(), W_OK) != 0) {
        error = prefix + "文件不可写，无法保存修改。";
        return false;
    }
    QFile file(Q(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = prefix + file.errorString().toStdString();
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = prefix + "读取失败：" + file.errorString().toStdString();
        return false;
    }
    if (static_cast<uint64_t>(data.size()) < kMinimumImageSize) {
        std::ostringstream s;
        s << prefix << "文件只有 " << data.size() << " 字节，至少需要 " << kMinimumImageSize
          << " 字节才能容纳所有数据表。";
        error = s.str();
        return false;
    }
    image.assign(data.begin(), data.end());
    return true;
}

bool WriteImageAtomically(const std::string& path, const Bytes& image, std::string& error)
{
    QSaveFile file(Q(path));
    // Where no temporary file can be made beside it (a read-only folder), write in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString().toStdString();
        return false;
    }
    const qint64 size = static_cast<qint64>(image.size());
    if (file.write(reinterpret_cast<const char*>(image.data()), size) != size) {
        error = file.errorString().toStdString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

RomDocument::RomDocument() : writer_(WriteImageAtomically) {}

Status RomDocument::Open(const std::string& path)
{
    Bytes image;
    std::string error;
    if (!ReadImage(path, image, error))
        return Status::Failure(error);
    LoadTables(image, model_);
    path_ = path;
    loaded_ = true;
    return {};
}

void RomDocument::Close()
{
    path_.clear();
    loaded_ = false;
}

Status RomDocument::Save()
{
    if (!loaded_)
        return Status::Failure("没有载入文件。");
    SavePlan plan = PlanSave(model_);
    if (!plan.Ok()) {
        std::ostringstream s;
        s << "未保存 " << path_ << "：有 " << plan.errors.size() << " 个单元格的值无效，文件没有任何改动。";
        for (const CellError& e : plan.errors)
            s << "\n" << e.Describe();
        Status status = Status::Failure(s.str());
        status.cellErrors = std::move(plan.errors);
        return status;
    }
    Bytes image;
    std::string error;
    if (!ReadImage(path_, image, error))
        return Status::Failure("保存失败。" + error);
    Status status;
    for (const Patch& p : plan.patches)
        for (int i = 0; i < p.width; ++i)
            status.changedBytes += image[p.offset + i] != static_cast<uint8_t>(p.value >> (8 * i));
    ApplyPatches(plan.patches, image);
    if (status.changedBytes > 0 && !writer_(path_, image, error))
        return Status::Failure("保存 " + path_ + " 失败：" + error + "。文件没有改动。");
    for (Table& t : model_.Tables())
        t.SetBaseline();
    return status;
}

} // namespace dravik::rom
