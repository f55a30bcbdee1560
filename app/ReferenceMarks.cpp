#include "app/ReferenceMarks.h"

namespace dravik::app {

void ReferenceMarks::Set(std::unique_ptr<rom::ReferenceImage> image, const rom::Model& model)
{
    image_ = std::move(image);
    Update(model);
}

void ReferenceMarks::Clear()
{
    image_.reset();
    tables_.clear();
    count_ = 0;
}

void ReferenceMarks::Update(const rom::Model& model)
{
    // The reference shows codes with the open image's names, so only values make a difference.
    if (image_)
        image_->model.SetNames(model.SharedNames());
    for (const rom::Table& table : model.Tables())
        Update(model, table.Id());
}

void ReferenceMarks::Update(const rom::Model& model, const std::string& tableId)
{
    const rom::Table* table = model.Find(tableId);
    const rom::Table* reference = image_ ? image_->model.Find(tableId) : nullptr;
    Cells& cells = tables_[tableId];
    count_ -= static_cast<int>(cells.size());
    cells.clear();
    if (!table || !reference)
        return;
    for (rom::ReferenceCell& c : rom::CellsDifferingFrom(*table, *reference))
        cells.emplace(std::make_pair(c.row, c.column), std::move(c.referenceText));
    count_ += static_cast<int>(cells.size());
}

const std::string* ReferenceMarks::ReferenceText(const std::string& tableId, int row, int column) const
{
    const auto table = tables_.find(tableId);
    if (table == tables_.end())
        return nullptr;
    const auto cell = table->second.find({row, column});
    return cell == table->second.end() ? nullptr : &cell->second;
}

} // namespace dravik::app
