#include "fault_injection.h"
#include "fileio/write_file.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace scanbench::testing {
namespace {

namespace fs = std::filesystem;

class FileIoInPlace : public ScratchFolder {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        File = Folder / "prog.bst";
        WriteText(File, "RST;\r\nHALT;\r\n");
    }
    fs::path File;
};

TEST_F(FileIoInPlace, ReadOnlyFolderIsWrittenInPlaceOnlyWhenAllowed) {
    const ReadOnlyFolder readOnly(Folder);
    const AsOrdinaryUser user;
    const WriteRules inPlace{.Protected = {}, .InPlaceWhenFolderReadOnly = true};

    EXPECT_EQ(WriteFileContents(File, "NOP;\r\n"), "Permission denied");
    EXPECT_EQ(Contents(File), "RST;\r\nHALT;\r\n");

    EXPECT_EQ(WriteFileContents(File, "NOP;\r\n", inPlace), ""); // shorter: cut to length
    EXPECT_EQ(Contents(File), "NOP;\r\n");
    EXPECT_EQ(WriteFileContents(File, "TMS1;\r\nTMS0;\r\nHALT;\r\n", inPlace), "");
    EXPECT_EQ(Contents(File), "TMS1;\r\nTMS0;\r\nHALT;\r\n");

    // A new file cannot be made in place.
    EXPECT_EQ(WriteFileContents(Folder / "new.bst", "x", inPlace), "Permission denied");
}

TEST_F(FileIoInPlace, GrowingPastTheLimitTouchesNothingOld) {
    const ReadOnlyFolder readOnly(Folder);
    const AsOrdinaryUser user;
    const FileSizeLimit limit(4096);
    const std::string error =
        WriteFileContents(File, std::string(10000, 'X'),
                          WriteRules{.Protected = {}, .InPlaceWhenFolderReadOnly = true});
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(Contents(File), "RST;\r\nHALT;\r\n");
}

} // namespace
} // namespace scanbench::testing
