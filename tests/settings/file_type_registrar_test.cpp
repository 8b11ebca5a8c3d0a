#include "settings/file_type_registrar.h"
#include "settings/file_type_texts.h"
#include "settings/tool_runner.h"
#include "store_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scanbench::testing {
namespace {

class SettingsFileType : public ::testing::Test {
protected:
    [[nodiscard]] std::filesystem::path DataHome() const { return Temp.path().toStdString(); }

    [[nodiscard]] FileTypeRegistrar MakeRegistrar() {
        return FileTypeRegistrar(
            DataHome(), [this](const std::string& tool, const std::vector<std::string>& arguments) {
                Runs.push_back({tool, arguments});
            });
    }

    struct Run {
        std::string Tool;
        std::vector<std::string> Arguments;
    };
    std::vector<Run> Runs;

private:
    QTemporaryDir Temp;
};

TEST_F(SettingsFileType, WritesMimePackageAndDesktopEntryThenRefreshesBoth) {
    ASSERT_TRUE(MakeRegistrar().RegisterFileType("bst", "/opt/scanbench/scanbench"));

    const std::string mime = ReadFile(DataHome() / "mime" / "packages" / "scanbench-bst.xml");
    EXPECT_NE(mime.find("<mime-type type=\"application/x-scanbench-program\">"), std::string::npos);
    EXPECT_NE(mime.find("<glob pattern=\"*.bst\"/>"), std::string::npos);
    EXPECT_NE(mime.find("<comment>Scanbench test program</comment>"), std::string::npos);
    EXPECT_NE(mime.find("xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\""),
              std::string::npos);

    const std::string entry = ReadFile(DataHome() / "applications" / "scanbench.desktop");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0U);
    for (const char* line :
         {"\nType=Application\n", "\nName=Scanbench\n", "\nExec=/opt/scanbench/scanbench %f\n",
          "\nMimeType=application/x-scanbench-program;\n", "\nIcon=scanbench\n",
          "\nTerminal=false\n", "\nCategories=Development;Education;Electronics;\n"}) {
        EXPECT_NE(entry.find(line), std::string::npos) << line;
    }

    ASSERT_EQ(Runs.size(), 2U);
    EXPECT_EQ(Runs[0].Tool, "update-mime-database");
    EXPECT_EQ(Runs[0].Arguments, std::vector<std::string>{(DataHome() / "mime").string()});
    EXPECT_EQ(Runs[1].Tool, "update-desktop-database");
    EXPECT_EQ(Runs[1].Arguments, std::vector<std::string>{(DataHome() / "applications").string()});
}

TEST_F(SettingsFileType, RefusesWhatWouldRegisterABrokenCommand) {
    FileTypeRegistrar registrar = MakeRegistrar();
    EXPECT_FALSE(registrar.RegisterFileType("bst", ""));
    EXPECT_FALSE(registrar.RegisterFileType("bst", "scanbench"));
    EXPECT_FALSE(registrar.RegisterFileType("", "/opt/scanbench"));
    EXPECT_FALSE(registrar.RegisterFileType("b\"st", "/opt/scanbench"));
    EXPECT_FALSE(registrar.RegisterFileType("../x", "/opt/scanbench"));
    EXPECT_FALSE(registrar.RegisterFileType("b st", "/opt/scanbench"));
    EXPECT_FALSE(registrar.RegisterFileType("b<st", "/opt/scanbench"));
    EXPECT_TRUE(Runs.empty());
    EXPECT_TRUE(std::filesystem::is_empty(DataHome()));
}

TEST_F(SettingsFileType, UnwritableFolderFailsWithoutRunningTools) {
    WriteFile(DataHome() / "applications", "a file, not a folder");
    EXPECT_FALSE(MakeRegistrar().RegisterFileType("bst", "/opt/scanbench/scanbench"));
    EXPECT_TRUE(Runs.empty());
    // What was written is complete; no temporary is left next to it.
    std::vector<std::string> packages;
    for (const auto& entry :
         std::filesystem::directory_iterator(DataHome() / "mime" / "packages")) {
        packages.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(packages, std::vector<std::string>{"scanbench-bst.xml"});
}

TEST(SettingsDesktopExec, QuotesAndEscapesThePathOnlyWhenNeeded) {
    EXPECT_EQ(DesktopExecArgument("/opt/scanbench/scanbench"), "/opt/scanbench/scanbench");
    EXPECT_EQ(DesktopExecArgument("/opt/scan bench/scanbench"), "\"/opt/scan bench/scanbench\"");
    // Inside quotes '"', '`' and '$' get a backslash; '\' gets one too, and
    // the string-value escaping then doubles every backslash.
    EXPECT_EQ(DesktopExecArgument("/a\"b/x"), "\"/a\\\\\"b/x\"");
    EXPECT_EQ(DesktopExecArgument("/a$b/x"), "\"/a\\\\$b/x\"");
    EXPECT_EQ(DesktopExecArgument("/a`b/x"), "\"/a\\\\`b/x\"");
    EXPECT_EQ(DesktopExecArgument("/a\\b/x"), "\"/a\\\\\\\\b/x\"");
    // Reserved characters that need quotes but no backslash.
    EXPECT_EQ(DesktopExecArgument("/it's/x"), "\"/it's/x\"");
    EXPECT_EQ(DesktopExecArgument("/a;b&c/x"), "\"/a;b&c/x\"");
    // '%' would start a field code.
    EXPECT_EQ(DesktopExecArgument("/100%/x"), "/100%%/x");
    EXPECT_EQ(DesktopExecArgument("/100% sure/x"), "\"/100%% sure/x\"");
    // A line break must not end the Exec line.
    EXPECT_EQ(DesktopExecArgument("/a\nb/x"), "\"/a\\nb/x\"");
}

TEST(SettingsToolRunner, ReportsWhetherTheToolRanSuccessfully) {
    EXPECT_FALSE(RunToolIfInstalled("scanbench-no-such-tool-here", {}));
    EXPECT_TRUE(RunToolIfInstalled("true", {}));
    EXPECT_FALSE(RunToolIfInstalled("false", {}));
    EXPECT_FALSE(RunToolIfInstalled("sleep", {"5"}, std::chrono::milliseconds(200)));
}

} // namespace
} // namespace scanbench::testing
