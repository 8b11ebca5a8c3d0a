#include "window_logic/main_window/example_programs.h"

#include <algorithm>

namespace scanbench {

namespace {

constexpr std::string_view Extension = ".bst";

// The name without its ".bst" (in any letter case), or nothing for another file.
std::optional<std::string> ProgramCaption(const std::string& name) {
    if (name.size() <= Extension.size()) {
        return std::nullopt;
    }
    const std::string_view end = std::string_view(name).substr(name.size() - Extension.size());
    const bool matches = std::equal(end.begin(), end.end(), Extension.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
    if (!matches) {
        return std::nullopt;
    }
    return name.substr(0, name.size() - Extension.size());
}

void AddGroup(std::vector<ExampleEntry>& entries, const std::filesystem::path& folder,
              std::vector<std::string> names, bool lesson) {
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (auto caption = ProgramCaption(name)) {
            entries.push_back({std::move(*caption), folder / name, lesson});
        }
    }
}

} // namespace

std::optional<std::filesystem::path>
ChooseExamplesFolder(const ExampleFolders& folders,
                     const std::function<bool(const std::filesystem::path&)>& isFolder) {
    for (const std::filesystem::path& folder : {folders.Installed, folders.Source}) {
        if (!folder.empty() && isFolder(folder)) {
            return folder;
        }
    }
    return std::nullopt;
}

bool LiesWithin(const std::filesystem::path& file, const std::filesystem::path& folder) {
    if (folder.empty()) {
        return false;
    }
    auto part = file.begin();
    for (const std::filesystem::path& step : folder) {
        if (step.empty()) {
            continue; // the empty last step of a folder written with a "/" at its end
        }
        if (part == file.end() || *part != step) {
            return false;
        }
        ++part;
    }
    return part != file.end();
}

std::vector<ExampleEntry> ExampleEntries(const std::filesystem::path& folder,
                                         std::vector<std::string> programs,
                                         std::vector<std::string> lessons) {
    std::vector<ExampleEntry> entries;
    AddGroup(entries, folder, std::move(programs), false);
    AddGroup(entries, folder / LessonsFolder, std::move(lessons), true);
    return entries;
}

} // namespace scanbench
