#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// What a write must respect besides the target's own state.
struct WriteRules {
    // Files the target must not be, compared as files rather than names: the
    // program a run reads, say. A target that is one of them is refused.
    std::vector<std::filesystem::path> Protected;
    // For WriteFileContents: when the target's folder refuses a new file but
    // the target exists and may be written, write it in place.
    bool InPlaceWhenFolderReadOnly = false;
};

// Writes a file as a whole or not at all, in pieces of any size:
//  - the bytes go to a new temporary file in the target's folder, readable by
//    the owner only: an unnamed one (O_TMPFILE) where the file system allows
//    it, which nothing can leave behind, not even SIGKILL; elsewhere one
//    created exclusively under an unpredictable name, so nothing that already
//    sits at some name (a link, say) is ever written through;
//  - every write is checked; a short write, a full disk and a file-size limit
//    all fail the writer (SIGXFSZ is ignored from the first writer on, so the
//    limit shows as an error instead of ending the process);
//  - Commit flushes the data to the disk, gives the file the old file's
//    permissions (a new file those of the umask), gives an unnamed file an
//    unpredictable temporary name and renames it over the target in one step;
//  - on any failure, on destruction without Commit, and when a signal ends
//    the process (see TempFileCleanup), the temporary file is removed and the
//    target is as it was.
// A symbolic link at the target is followed: the file it leads to is
// replaced and the link stays. A target that exists and is not a regular
// file (a device, a FIFO, a folder), and a target that is one of the
// protected files, are refused, at the start and again before the rename.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& target, WriteRules rules = {});
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // True while the writer can take bytes: it started and nothing failed.
    [[nodiscard]] bool IsOpen() const { return Fd >= 0; }
    bool Write(std::string_view bytes);
    // Puts the file in place. False when anything failed, now or before.
    bool Commit();
    // Gives up: the temporary file goes, the target stays as it was.
    void Discard();

    // Why the writer failed, as the system words it; empty while all is well.
    [[nodiscard]] const std::string& Error() const { return Message; }
    // The errno behind Error(), 0 while all is well.
    [[nodiscard]] int ErrorNumber() const { return Errno; }
    // True when the failure was that the target's folder would not take the
    // temporary file (no permission to create files there).
    [[nodiscard]] bool FolderRefused() const { return FolderRefusal; }
    // The file that is replaced, with symbolic links followed.
    [[nodiscard]] const std::filesystem::path& Target() const { return Destination; }

private:
    void Start();
    bool CreateTemporary();
    bool NameUnnamed();
    [[nodiscard]] std::filesystem::path TemporaryName() const;
    bool TargetAllowed();
    bool Fail(int error, std::string message = {});

    std::filesystem::path Destination;
    WriteRules Rules;
    std::filesystem::path Temporary; // empty while the file has no name
    int Fd = -1;
    int CleanupSlot = -1;
    bool Committed = false;
    bool FolderRefusal = false;
    std::string Message;
    int Errno = 0;
};

} // namespace scanbench
