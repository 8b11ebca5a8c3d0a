// Every file the programs read or write goes through fileio, which refuses
// devices and FIFOs, never blocks on an open and never leaves a half-written
// file: the other ways to a file must not appear in the product's code.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace scanbench {
namespace {

namespace fs = std::filesystem;

// Where such a name may stand all the same, and why.
struct Exception {
    const char* File; // relative to the source folder
    const char* Name;
    const char* Reason;
};

constexpr Exception Exceptions[] = {
    {"settings/include/settings/qt_paths.h", "QFile",
     "QFile::encodeName and decodeName convert file names between Qt and the system; "
     "nothing is opened"},
};

TEST(FileIoHouseRule, NoFileIsOpenedOutsideFileio) {
    const fs::path source = SCANBENCH_SOURCE_DIR;
    const std::regex forbidden(
        R"(\b(ifstream|ofstream|fstream|fopen|QFile|QSaveFile|QTemporaryFile)\b)");
    std::set<std::string> exceptionsSeen;
    int filesScanned = 0;
    for (const char* folder : {"app", "bitbang", "board", "cli", "engine", "port", "settings",
                               "svf", "ui", "window_logic"}) {
        for (const auto& entry : fs::recursive_directory_iterator(source / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h")) {
                continue;
            }
            ++filesScanned;
            const std::string relative = entry.path().lexically_relative(source).generic_string();
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                line = line.substr(0, line.find("//"));
                for (auto match = std::sregex_iterator(line.begin(), line.end(), forbidden);
                     match != std::sregex_iterator(); ++match) {
                    const std::string name = match->str();
                    bool excepted = false;
                    for (const Exception& exception : Exceptions) {
                        if (relative == exception.File && name == exception.Name) {
                            excepted = true;
                            exceptionsSeen.insert(relative + " " + name);
                        }
                    }
                    EXPECT_TRUE(excepted) << relative << ":" << number << ": " << name
                                          << " opens a file outside fileio";
                }
            }
        }
    }
    EXPECT_GT(filesScanned, 100) << "the product's sources were not found under " << source;
    for (const Exception& exception : Exceptions) {
        EXPECT_TRUE(exceptionsSeen.contains(std::string(exception.File) + " " + exception.Name))
            << "no longer needed: " << exception.File << " " << exception.Name;
    }
}

} // namespace
} // namespace scanbench
