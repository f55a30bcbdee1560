#include "rom/RomDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sstream>

namespace dravik::rom {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
} // namespace

std::string ReadOnlyRefusal(const std::string& path)
{
    return "未保存 " + path + "：文件是只读的（没有写入权限），文件没有任何改动。";
}

namespace {
bool IsWritable(const QFileInfo& info)
{
    const QFileDevice::Permissions p = info.permissions();
    const QFileDevice::Permissions anyone =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (p & anyone);
}
} // namespace

bool ReadImage(const std::string& path, ReadExtent extent, ImageFile& image, std::string& error)
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
    const uint64_t size = static_cast<uint64_t>(info.size());
    if (size > kMaximumImageSize) {
        std::ostringstream s;
        s << prefix << "文件有 " << size << " 字节，超过 64 MiB，不会是 ROM 映像。";
        error = s.str();
        return false;
    }
    const ImageForm form = ImageForm::OfSize(size);
    if (size < form.MinimumSize()) {
        std::ostringstream s;
        s << prefix << "文件只有 " << size << " 字节" << (form.header ? "" : "（无文件头）") << "，至少需要 "
          << form.MinimumSize() << " 字节才能容纳所有数据表。";
        error = s.str();
        return false;
    }
    if (!info.isReadable()) {
        error = prefix + "没有读取权限。";
        return false;
    }
    QFile file(Q(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = prefix + file.errorString().toStdString();
        return false;
    }
    const uint64_t wanted = extent == ReadExtent::Whole ? size : form.MinimumSize();
    Bytes bytes(wanted);
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()), static_cast<qint64>(wanted));
    if (got < 0) {
        error = prefix + "读取失败：" + file.errorString().toStdString();
        return false;
    }
    if (static_cast<uint64_t>(got) != wanted) {
        error = prefix + "读取失败：文件在读取时变短了。";
        return false;
    }
    image.bytes = std::move(bytes);
    image.form = form;
    image.size = size;
    image.writable = IsWritable(info);
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
    ImageFile image;
    std::string error;
    if (!ReadImage(path, ReadExtent::Tables, image, error))
        return Status::Failure(error);
    LoadTables(image.bytes, model_, image.form);
    path_ = path;
    loaded_ = true;
    form_ = image.form;
    readOnly_ = !image.writable;
    return {};
}

void RomDocument::Close()
{
    path_.clear();
    loaded_ = false;
    readOnly_ = false;
}

Status RomDocument::Save()
{
    if (!loaded_)
        return Status::Failure("没有载入文件。");
    if (readOnly_)
        return Status::Failure(ReadOnlyRefusal(path_));
    SavePlan plan = PlanSave(model_, form_);
    if (!plan.Ok()) {
        std::ostringstream s;
        s << "未保存 " << path_ << "：有 " << plan.errors.size() << " 个单元格的值无效，文件没有任何改动。";
        for (const CellError& e : plan.errors)
            s << "\n" << e.Describe();
        Status status = Status::Failure(s.str());
        status.cellErrors = std::move(plan.errors);
        return status;
    }
    ImageFile file;
    std::string error;
    if (!ReadImage(path_, ReadExtent::Whole, file, error))
        return Status::Failure("保存失败。" + error);
    // A file that changed its form since the Open would take every patch at the wrong place.
    if (file.form.header != form_.header)
        return Status::Failure("未保存 " + path_ +
                               "：文件在打开后被改变了（文件头不同），文件没有任何改动。请重新打开。");
    if (!file.writable)
        return Status::Failure(ReadOnlyRefusal(path_));
    Bytes& image = file.bytes;
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
