#pragma once
// The cells of the open image that differ from a reference image (usually the unmodified game),
// kept up to date table by table as the document changes, for the lists to mark and the status
// line to count.
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "rom/Reference.h"

namespace dravik::app {

class ReferenceMarks {
public:
    bool IsSet() const { return image_ != nullptr; }
    const rom::ReferenceImage* Image() const { return image_.get(); }

    // Compares every table of model with the image from now on.
    void Set(std::unique_ptr<rom::ReferenceImage> image, const rom::Model& model);
    void Clear();
    // Compares every table again (another file, another name set), or one changed table.
    void Update(const rom::Model& model);
    void Update(const rom::Model& model, const std::string& tableId);

    // The reference's text of a cell that differs from it; nullptr for a cell that does not.
    const std::string* ReferenceText(const std::string& tableId, int row, int column) const;
    // How many cells of every table differ.
    int Count() const { return count_; }

private:
    using Cells = std::map<std::pair<int, int>, std::string>; // (row, column) -> reference text
    std::unique_ptr<rom::ReferenceImage> image_;
    std::map<std::string, Cells> tables_;
    int count_ = 0;
};

} // namespace dravik::app
