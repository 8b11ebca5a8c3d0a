#include "settings/file_type_registrar.h"

#include "fileio/write_file.h"
#include "settings/file_type_texts.h"
#include "settings/qt_paths.h"
#include "settings/tool_runner.h"

#include <QDir>

#include <utility>

namespace scanbench {

namespace {

bool WriteText(const std::filesystem::path& file, const std::string& text) {
    return QDir().mkpath(ToQtPath(file.parent_path())) && WriteFileContents(file, text).empty();
}

} // namespace

FileTypeRegistrar::FileTypeRegistrar(std::filesystem::path dataHome, ToolRunner runTool)
    : DataHome(std::move(dataHome)), RunTool(std::move(runTool)) {}

FileTypeRegistrar::ToolRunner FileTypeRegistrar::NoTools() {
    return [](const std::string&, const std::vector<std::string>&) {};
}

FileTypeRegistrar::ToolRunner FileTypeRegistrar::DefaultRunner() {
    return [](const std::string& tool, const std::vector<std::string>& arguments) {
        // A missing or failing tool only delays the desktop noticing the
        // files; the registration itself is done.
        (void)RunToolIfInstalled(tool, arguments);
    };
}

std::filesystem::path FileTypeRegistrar::MimeFolder() const {
    return DataHome / "mime";
}

std::filesystem::path FileTypeRegistrar::ApplicationsFolder() const {
    return DataHome / "applications";
}

std::filesystem::path FileTypeRegistrar::MimePackagePath(std::string_view extension) const {
    return MimeFolder() / "packages" / ("scanbench-" + std::string(extension) + ".xml");
}

std::filesystem::path FileTypeRegistrar::DesktopEntryPath() const {
    return ApplicationsFolder() / "scanbench.desktop";
}

bool FileTypeRegistrar::RegisterFileType(std::string_view extension,
                                         const std::filesystem::path& executable) const {
    if (!IsPlainExtension(extension) || !executable.is_absolute()) {
        return false;
    }
    if (!WriteText(MimePackagePath(extension), MimePackageText(extension)) ||
        !WriteText(DesktopEntryPath(), DesktopEntryText(executable.string()))) {
        return false;
    }
    if (RunTool) {
        RunTool("update-mime-database", {MimeFolder().string()});
        RunTool("update-desktop-database", {ApplicationsFolder().string()});
    }
    return true;
}

} // namespace scanbench
