#include "settings/user_folders.h"

#include "settings/qt_paths.h"

#include <QCoreApplication>

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace scanbench {

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view{};
}

// $HOME, or the user's home folder from the password database when HOME is
// not set.
std::string HomeFolder() {
    if (const std::string_view home = Environment("HOME"); !home.empty()) {
        return std::string(home);
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "/";
}

} // namespace

std::filesystem::path XdgFolder(std::string_view variableValue, std::string_view home,
                                std::string_view fallbackUnderHome) {
    std::filesystem::path named(variableValue); // not const: returned by moving
    if (!variableValue.empty() && named.is_absolute()) {
        return named;
    }
    return std::filesystem::path(home) / fallbackUnderHome;
}

std::filesystem::path ConfigHome() {
    return XdgFolder(Environment("XDG_CONFIG_HOME"), HomeFolder(), ".config");
}

std::filesystem::path DataHome() {
    return XdgFolder(Environment("XDG_DATA_HOME"), HomeFolder(), ".local/share");
}

std::filesystem::path ProgramFolder() {
    if (QCoreApplication::instance() != nullptr) {
        return FromQtPath(QCoreApplication::applicationDirPath());
    }
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : self.parent_path();
}

} // namespace scanbench
