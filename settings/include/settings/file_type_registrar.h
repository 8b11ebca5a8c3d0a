#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace scanbench {

// Tells the desktop that files with an extension are Scanbench test programs
// and which program opens them: a shared-mime-info package and a desktop
// entry below the user's data folder, then the two databases refreshed.
class FileTypeRegistrar {
public:
    // Runs a desktop tool with its arguments; the result is not needed.
    using ToolRunner =
        std::function<void(const std::string& tool, const std::vector<std::string>& arguments)>;

    // dataHome stands for $XDG_DATA_HOME. The default runner starts the
    // tools when they are installed; tests pass their own.
    explicit FileTypeRegistrar(std::filesystem::path dataHome,
                               ToolRunner runTool = DefaultRunner());

    // Does nothing, for callers that must not start programs.
    [[nodiscard]] static ToolRunner NoTools();
    [[nodiscard]] static ToolRunner DefaultRunner();

    // Writes both files atomically and runs update-mime-database and
    // update-desktop-database. False, with the tools not run, when the
    // extension is not plain, the executable path is not absolute, or a file
    // cannot be written.
    bool RegisterFileType(std::string_view extension,
                          const std::filesystem::path& executable) const;

    [[nodiscard]] std::filesystem::path MimeFolder() const;
    [[nodiscard]] std::filesystem::path ApplicationsFolder() const;
    [[nodiscard]] std::filesystem::path MimePackagePath(std::string_view extension) const;
    [[nodiscard]] std::filesystem::path DesktopEntryPath() const;

private:
    std::filesystem::path DataHome;
    ToolRunner RunTool;
};

} // namespace scanbench
