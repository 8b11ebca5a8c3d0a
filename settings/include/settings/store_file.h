#pragma once

#include "settings/store_document.h"

#include <filesystem>
#include <optional>

namespace scanbench {

// The file that holds the store's JSON document.
class StoreFile {
public:
    explicit StoreFile(std::filesystem::path file);

    // Creates the file's folder when needed and reads the document. A file
    // that does not exist yet reads as an empty document. A file that is not
    // a JSON object is moved aside to "<name>.bad" (replacing an older one)
    // and reads as empty, so the user's text is never lost by overwriting it.
    // Nothing when the folder cannot be created or the file cannot be read
    // or moved aside.
    [[nodiscard]] std::optional<StoreDocument> Open() const;

    // Replaces the file with the document, atomically.
    bool Commit(const StoreDocument& document) const;

    [[nodiscard]] const std::filesystem::path& Path() const { return File; }
    [[nodiscard]] std::filesystem::path SetAsidePath() const;

private:
    std::filesystem::path File;
};

} // namespace scanbench
