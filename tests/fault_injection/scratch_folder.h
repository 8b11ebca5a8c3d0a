#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace scanbench::testing {

// A fresh folder for each test, named after the process and the test and
// removed afterwards (with anything a test left mounted there).
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override {
        // A parameterised test's name holds a slash.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        Folder = std::filesystem::temp_directory_path() /
                 ("scanbench-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(Folder);
        std::filesystem::create_directories(Folder);
    }
    void TearDown() override {
        for (const auto& entry : std::filesystem::directory_iterator(Folder)) {
            ::umount2(entry.path().c_str(), MNT_DETACH);
        }
        std::filesystem::remove_all(Folder);
    }

    // The names in a folder (the scratch folder by default), sorted.
    [[nodiscard]] std::vector<std::string> Entries(const std::filesystem::path& folder = {}) const {
        std::vector<std::string> names;
        for (const auto& entry :
             std::filesystem::directory_iterator(folder.empty() ? Folder : folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path Folder;
};

[[nodiscard]] inline std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace scanbench::testing
