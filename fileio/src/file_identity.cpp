#include "fileio/file_identity.h"

#include "system_calls.h"

#include <sys/stat.h>

namespace scanbench {

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

namespace {

// Where a file that does not exist yet would be made: its folder's identity
// and its name, links followed.
std::optional<std::pair<FileIdentity, std::filesystem::path>>
PlaceOf(const std::filesystem::path& path) {
    int error = 0;
    const std::filesystem::path followed = detail::FollowLinks(path, error);
    if (followed.empty() || !followed.has_filename()) {
        return std::nullopt;
    }
    const std::filesystem::path folder = followed.parent_path();
    const std::optional<FileIdentity> identity = IdentityOf(folder.empty() ? "." : folder);
    if (!identity) {
        return std::nullopt;
    }
    return std::pair{*identity, followed.filename()};
}

} // namespace

bool NameTheSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    const std::optional<FileIdentity> first = IdentityOf(a);
    const std::optional<FileIdentity> second = IdentityOf(b);
    if (first || second) {
        return first == second;
    }
    const auto placeA = PlaceOf(a);
    return placeA && placeA == PlaceOf(b);
}

} // namespace scanbench
