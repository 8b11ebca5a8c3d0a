#include "window_logic/dialogs/help_file.h"

#include <gtest/gtest.h>

#include <set>

namespace scanbench {
namespace {

namespace fs = std::filesystem;

class HelpFileTest : public ::testing::Test {
protected:
    std::optional<fs::path> Choose(std::string_view installDir) {
        return ChooseHelpFile({installDir, "/usr/share/doc/scanbench", "/src/docs"},
                              [this](const fs::path& p) { return present.contains(p); });
    }
    std::set<fs::path> present;
};

TEST_F(HelpFileTest, InstallDirComesFirstWhenItHoldsTheManual) {
    present = {"/opt/sb/scanbench.html", "/usr/share/doc/scanbench/scanbench.html",
               "/src/docs/scanbench.html"};
    EXPECT_EQ(Choose("/opt/sb"), fs::path("/opt/sb/scanbench.html"));
}

TEST_F(HelpFileTest, FallsBackToTheInstalledThenTheSourceDocs) {
    present = {"/usr/share/doc/scanbench/scanbench.html", "/src/docs/scanbench.html"};
    EXPECT_EQ(Choose("/opt/sb"), fs::path("/usr/share/doc/scanbench/scanbench.html"))
        << "InstallDir set, but the manual is not there";
    EXPECT_EQ(Choose(""), fs::path("/usr/share/doc/scanbench/scanbench.html"));
    present = {"/src/docs/scanbench.html"};
    EXPECT_EQ(Choose(""), fs::path("/src/docs/scanbench.html"));
}

TEST_F(HelpFileTest, NothingWhenNoFolderHoldsTheManual) {
    EXPECT_EQ(Choose("/opt/sb"), std::nullopt);
    // An empty folder must not turn into a file name in the working directory.
    present = {"scanbench.html"};
    EXPECT_EQ(
        ChooseHelpFile({"", "", ""}, [this](const fs::path& p) { return present.contains(p); }),
        std::nullopt);
}

} // namespace
} // namespace scanbench
