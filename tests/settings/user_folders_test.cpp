#include "settings/user_folders.h"

#include <gtest/gtest.h>

namespace scanbench {
namespace {

TEST(SettingsFolders, XdgVariableWinsOnlyWhenAbsolute) {
    EXPECT_EQ(XdgFolder("/xdg/config", "/home/u", ".config"), "/xdg/config");
    EXPECT_EQ(XdgFolder("", "/home/u", ".config"), "/home/u/.config");
    EXPECT_EQ(XdgFolder("relative/config", "/home/u", ".config"), "/home/u/.config");
    EXPECT_EQ(XdgFolder("", "/home/u", ".local/share"), "/home/u/.local/share");
}

} // namespace
} // namespace scanbench
