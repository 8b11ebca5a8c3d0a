#pragma once

namespace scanbench {

struct Settings;
class SettingsStore;
class PortConnection;

// What the program runs with besides the engine: the settings in effect,
// the store they are saved in and the port they opened. The program owns
// all three; the Setup dialog changes them.
struct Workbench {
    Settings& Values;
    const SettingsStore& Store;
    PortConnection& Port;
};

} // namespace scanbench
