#include "settings/store_file.h"

#include "fileio/move_aside.h"
#include "fileio/read_regular_file.h"
#include "fileio/write_file.h"

#include <system_error>
#include <utility>

namespace scanbench {

namespace {

// Why a file cannot hold settings, for the message; empty when it can.
std::string Unusable(const RegularFileRead& read) {
    switch (read.Status) {
    case FileReadStatus::NotRegular:
        return "is not a regular file";
    case FileReadStatus::TooLarge:
        return "is larger than 1 MB";
    case FileReadStatus::Ok:
        return "does not hold a JSON object";
    default:
        return {};
    }
}

} // namespace

StoreFile::StoreFile(std::filesystem::path file) : File(std::move(file)) {}

StoreFile::Reading StoreFile::Open(std::vector<std::string>& notices) const {
    std::error_code error;
    std::filesystem::create_directories(File.parent_path(), error);
    if (error) {
        notices.push_back("Settings reset for this run only: the folder " +
                          File.parent_path().string() + " cannot be created (" + error.message() +
                          ").");
        return {};
    }
    // Another process may replace a broken file while this one looks at it;
    // then the new file is read instead.
    constexpr int Attempts = 3;
    for (int attempt = 1;; ++attempt) {
        const RegularFileRead read = ReadRegularFile(File, MaxBytes);
        if (read.Status == FileReadStatus::Missing) {
            return {StoreDocument{}, std::nullopt};
        }
        if (read.Status == FileReadStatus::Failed || std::filesystem::is_directory(File, error)) {
            // Left where it is: a folder is not moved on the user, nor a file
            // the program may not even read.
            notices.push_back("Settings reset for this run only: " + File.string() +
                              " cannot be read (" +
                              (read.Error.empty() ? "it is a folder" : read.Error) + ").");
            return {};
        }
        if (read.Status == FileReadStatus::Ok) {
            if (std::optional<StoreDocument> document =
                    StoreDocument::Parse(QByteArray::fromRawData(
                        read.Bytes.data(), static_cast<qsizetype>(read.Bytes.size())))) {
                return {std::move(document), read.Identity};
            }
        }
        std::string moveError;
        const std::optional<std::filesystem::path> aside =
            read.Identity ? KeepAside(*read.Identity, moveError) : std::nullopt;
        if (aside) {
            notices.push_back("Settings reset: " + File.filename().string() + " " + Unusable(read) +
                              ". The file as it was is kept as " + aside->string() + ".");
            return {StoreDocument{}, std::nullopt};
        }
        if (!moveError.empty() || attempt == Attempts) {
            notices.push_back("Settings reset for this run only: " + File.string() + " " +
                              Unusable(read) + " and cannot be kept aside (" +
                              (moveError.empty() ? "it keeps changing" : moveError) + ").");
            return {};
        }
    }
}

std::optional<std::filesystem::path> StoreFile::KeepAside(const FileIdentity& read,
                                                          std::string& error) const {
    if (IdentityOf(File) != read) {
        return std::nullopt;
    }
    return MoveAside(File, AsideSuffix, error);
}

void StoreFile::PutBack(const std::filesystem::path& aside) const {
    [[maybe_unused]] const int result = RenameWithoutReplacing(aside, File);
}

bool StoreFile::Commit(const StoreDocument& document, std::string& error) const {
    const QByteArray text = document.Serialise();
    error = WriteFileContents(
        File, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    return error.empty();
}

} // namespace scanbench
