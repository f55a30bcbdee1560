#pragma once
// One open ROM image: its path, the model of its tables, and the Open/Close/Save commands.
// The file is read whole on Open and patched on Save; between the two nothing is held open.
#include <functional>
#include <string>
#include <vector>

#include "rom/Passes.h"
#include "rom/Table.h"

namespace dravik::rom {

struct Status {
    bool ok = true;
    std::string message;               // what went wrong, for a message box or standard error
    std::vector<CellError> cellErrors; // the invalid cells when a save was refused
    int changedBytes = 0;              // bytes a successful save changed

    static Status Failure(std::string message) { return Status{false, std::move(message), {}, 0}; }
};

// Writes the whole image to path so that a failure leaves the old file whole.
using ImageWriter = std::function<bool(const std::string& path, const Bytes& image, std::string& error)>;
bool WriteImageAtomically(const std::string& path, const Bytes& image, std::string& error);

// Reads an image for editing: it must be a regular, readable, writable file that holds every table.
bool ReadImage(const std::string& path, Bytes& image, std::string& error);

class RomDocument {
public:
    RomDocument();

    Model& GetModel() { return model_; }
    const Model& GetModel() const { return model_; }
    bool IsLoaded() const { return loaded_; }
    const std::string& Path() const { return path_; }

    // On failure nothing changes: the old file (if any) stays loaded with its values.
    Status Open(const std::string& path);
    // Forgets the file; the values stay in the model.
    void Close();
    // Validates every table, then patches the file atomically. Nothing is written when any
    // cell or code is invalid or when the file can no longer be read.
    Status Save();

    void SetWriter(ImageWriter writer) { writer_ = std::move(writer); }

private:
    Model model_;
    std::string path_;
    bool loaded_ = false;
    ImageWriter writer_;
};

} // namespace dravik::rom
