#pragma once

#include "fileio/file_identity.h"
#include "settings/store_document.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace scanbench {

// The file that holds the store's JSON document.
class StoreFile {
public:
    // A larger file is not settings the program wrote.
    static constexpr std::size_t MaxBytes = std::size_t{1} << 20;
    // What a file that cannot be used is moved aside as: "kzt.json.bad",
    // then "kzt.json.bad-2" and so on; nothing else writes these names.
    static constexpr const char* AsideSuffix = ".bad";

    explicit StoreFile(std::filesystem::path file);

    struct Reading {
        // Nothing when the store cannot be used at all.
        std::optional<StoreDocument> Document;
        // The file the document came from; none for a store not written yet.
        std::optional<FileIdentity> Identity;
    };

    // Creates the file's folder when needed and reads the document. A file
    // that does not exist yet reads as an empty document. A file that is not
    // a JSON object, not a regular file (a FIFO, a device) or larger than
    // MaxBytes is moved aside and reads as empty, so the user's text is never
    // lost by overwriting it. Nothing when the folder cannot be created or
    // the file cannot be read or moved aside. Each of these adds a message
    // for the user to `notices`.
    [[nodiscard]] Reading Open(std::vector<std::string>& notices) const;

    // Moves the file that was read aside. Nothing, with `error` empty, when
    // another file has taken its place since (someone else got there
    // first), or with `error` set when the move failed.
    [[nodiscard]] std::optional<std::filesystem::path> KeepAside(const FileIdentity& read,
                                                                 std::string& error) const;
    // Moves a file that KeepAside moved back, when nothing has taken its place.
    void PutBack(const std::filesystem::path& aside) const;

    // Replaces the file with the document, atomically. False with `error`
    // set when it could not be written; the old file is then unchanged.
    bool Commit(const StoreDocument& document, std::string& error) const;

    [[nodiscard]] const std::filesystem::path& Path() const { return File; }

private:
    std::filesystem::path File;
};

} // namespace scanbench
