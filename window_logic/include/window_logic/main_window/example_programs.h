#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace scanbench {

// Where the example programs are looked for, in this order: where
// `cmake --install` puts them, then examples/ of the source tree, for a
// program run from its build folder.
struct ExampleFolders {
    std::filesystem::path Installed;
    std::filesystem::path Source;
};

// The first of the folders that exists; nothing when neither does.
[[nodiscard]] std::optional<std::filesystem::path>
ChooseExamplesFolder(const ExampleFolders& folders,
                     const std::function<bool(const std::filesystem::path&)>& isFolder);

// Whether `file` lies in `folder` or below it, both absolute paths without
// "." or ".." (a shipped example, which Save must not overwrite).
[[nodiscard]] bool LiesWithin(const std::filesystem::path& file,
                              const std::filesystem::path& folder);

// The folder below the examples that holds the lessons.
inline constexpr const char* LessonsFolder = "lessons";

// One item of File > Examples.
struct ExampleEntry {
    std::string Caption; // the file name without ".bst"
    std::filesystem::path File;
    bool Lesson = false;
    friend bool operator==(const ExampleEntry&, const ExampleEntry&) = default;
};

// The items for the file names found in `folder` and in its lessons folder:
// ".bst" files only (any letter case), each group sorted by name, the
// programs before the lessons.
[[nodiscard]] std::vector<ExampleEntry> ExampleEntries(const std::filesystem::path& folder,
                                                       std::vector<std::string> programs,
                                                       std::vector<std::string> lessons);

} // namespace scanbench
