#include "cli/runner_options.h"

#include "engine/program/text_helpers.h"
#include "port/host_port.h"
#include "svf/svf_import.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <string_view>

namespace scanbench {

namespace {

// Stores an option's value in the options; gives the message when the value
// is not accepted.
using ApplyValue = std::optional<std::string> (*)(RunnerOptions&, const std::string&);

struct OptionSpec {
    std::string_view Name;  // without the leading dashes
    std::string_view Value; // the value's name in the usage
    std::string_view Help;
    ApplyValue Apply;
};

std::optional<std::uint64_t> ParseCount(const std::string& text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> ParseOnOff(const std::string& text) {
    const std::string word = ToUpperAscii(text);
    if (word == "ON") {
        return true;
    }
    if (word == "OFF") {
        return false;
    }
    return std::nullopt;
}

std::string Refusal(std::string_view option, std::string_view takes, const std::string& value) {
    return "--" + std::string(option) + " takes " + std::string(takes) + ", not '" + value + "'";
}

// Every option that takes a value, in the order of the usage.
constexpr OptionSpec ValueOptions[] = {
    {"board", "demo|interconnect|loopback|open|FILE.json",
     "what the simulated board carries: a built-in board or a board file (default: the board "
     "the program names, else the stored setting)",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         if (const std::optional<BoardKind> kind = ParseBoardKind(v);
             kind && *kind != BoardKind::File) {
             o.Board = *kind;
             return std::nullopt;
         }
         // A board file's path ends in .json or names a folder; any other
         // word is more likely a misspelt board.
         if (!ToUpperAscii(v).ends_with(".JSON") && v.find('/') == std::string::npos) {
             return Refusal("board",
                            "demo, interconnect, loopback, open or a board file (FILE.json)", v);
         }
         o.Board = BoardChoice(BoardKind::File, v);
         return std::nullopt;
     }},
    {"port", "board|ppdev|direct|remote", "how the parallel port is reached",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         o.Port = ParsePortKind(v);
         return o.Port ? std::nullopt
                       : std::optional(Refusal("port", "board, ppdev, direct or remote", v));
     }},
    {"remote", "HOST:PORT", "the remote_bitbang server of --port remote",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         if (!ParseHostPort(v)) {
             return Refusal("remote", "HOST:PORT with a port from 1 to 65535", v);
         }
         o.Remote = v;
         return std::nullopt;
     }},
    {"switches", "U1=0x5A,SIA=1,...", "set the board's switches before the run",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         auto switches = ParseSwitchSettings(v);
         if (const auto* problem = std::get_if<std::string>(&switches)) {
             return "--switches: " + *problem;
         }
         o.Switches = std::get<std::vector<SwitchSetting>>(std::move(switches));
         return std::nullopt;
     }},
    {"fault", "NET=stuck0|stuck1|open|NET+NET=short|random:SEED",
     "put a fault on a net of the board (repeat for several); random:SEED chooses one or two, "
     "hidden unless --reveal-faults",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         if (const std::optional<std::uint64_t> seed = ParseFaultSeed(v)) {
             o.Faults.Seed = seed;
             return std::nullopt;
         }
         if (ToUpperAscii(v).starts_with("RANDOM:")) {
             return Refusal("fault", "random:SEED with a whole number as the seed", v);
         }
         auto fault = ParseNetFault(v);
         if (const auto* problem = std::get_if<std::string>(&fault)) {
             return "--fault: " + *problem;
         }
         o.Faults.Faults.push_back(std::get<NetFault>(std::move(fault)));
         return std::nullopt;
     }},
    {"events", "FILE", "write the event list export to FILE",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         o.EventsFile = v;
         return std::nullopt;
     }},
    {"vcd", "FILE", "write the played events as a value change dump to FILE",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         o.VcdFile = v;
         return std::nullopt;
     }},
    {"svf", "FILE", "write one TAP's run as Serial Vector Format (SVF) to FILE",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         o.SvfFile = v;
         return std::nullopt;
     }},
    {"svf-tap", "0|1", "the TAP that --svf writes and that an SVF file runs on (default 0)",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         if (v != "0" && v != "1") {
             return Refusal("svf-tap", "0 or 1", v);
         }
         o.SvfTap = static_cast<std::uint8_t>(v[0] - '0');
         return std::nullopt;
     }},
    {"serve-board", "PORT",
     "serve the board's TAP over remote_bitbang on 127.0.0.1:PORT (no program)",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         const std::optional<std::uint64_t> port = ParseCount(v);
         if (!port || *port > 65535) {
             return Refusal("serve-board", "a TCP port from 0 to 65535", v);
         }
         o.ServeBoardPort = static_cast<std::uint16_t>(*port);
         return std::nullopt;
     }},
    {"serve-tap", "0|1", "the TAP that --serve-board serves (default 0: U1, U2; 1: U3)",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         if (v != "0" && v != "1") {
             return Refusal("serve-tap", "0 or 1", v);
         }
         o.ServeTap = static_cast<std::uint8_t>(v[0] - '0');
         return std::nullopt;
     }},
    {"max-steps", "N", "stop after N steps (exit code 3)",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         o.MaxSteps = ParseCount(v);
         return o.MaxSteps ? std::nullopt
                           : std::optional(Refusal("max-steps", "a whole number", v));
     }},
    {"active-mode", "on|off", "keep the whole event history (off: trim it)",
     [](RunnerOptions& o, const std::string& v) -> std::optional<std::string> {
         o.ActiveMode = ParseOnOff(v);
         return o.ActiveMode ? std::nullopt : std::optional(Refusal("active-mode", "on or off", v));
     }},
};

// The options serving the board takes; any other one with --serve-board
// would be ignored, so it is refused instead.
constexpr std::string_view ServingOptions[] = {"serve-board", "serve-tap", "board", "switches",
                                               "fault"};

constexpr std::string_view HelpName = "help";
constexpr std::string_view RevealFaultsName = "reveal-faults";
constexpr std::string_view ToBstName = "to-bst";
constexpr std::string_view VersionName = "version";

// Command-line bytes pass through Latin-1, which maps every byte to one
// character and back, so file names that are not UTF-8 stay intact.
QString FromBytes(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

// The argument as the user wrote it that named the unknown option `name`.
std::string AsWritten(const std::vector<std::string>& arguments, const std::string& name) {
    for (const std::string& argument : arguments) {
        if (argument == "--") {
            break;
        }
        for (const std::string& written : {"--" + name, "-" + name}) {
            if (argument == written || argument.starts_with(written + "=")) {
                return written;
            }
        }
    }
    return "--" + name;
}

// The value option that ends the command line without its value, if any.
const OptionSpec* OptionWithoutValue(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            return nullptr;
        }
        for (const OptionSpec& option : ValueOptions) {
            const std::string name(option.Name);
            if (argument == "--" + name || argument == "-" + name) {
                if (i + 1 == arguments.size()) {
                    return &option;
                }
                ++i; // the value
                break;
            }
        }
    }
    return nullptr;
}

std::string HelpText() {
    std::string text = RunnerUsage();
    text += "\nRuns a Scanbench test program without a window and prints where it ended.\n"
            "Options override the stored settings for this run only.\n\n"
            "A program may name the board it is written for in a comment line of its\n"
            "leading comments: \"// Board: interconnect\" (a built-in board) or\n"
            "\"// Board: NAME.json\" (a board file next to the program, else among the\n"
            "boards that ship with Scanbench). It runs on that board unless --board\n"
            "is given; standard error says which board was used.\n\nOptions:\n";
    const auto line = [&text](std::string left, std::string_view help) {
        left.resize(std::max<std::size_t>(left.size() + 2, 30), ' ');
        text += "  " + left + std::string(help) + "\n";
    };
    for (const OptionSpec& option : ValueOptions) {
        line("--" + std::string(option.Name) + " " + std::string(option.Value), option.Help);
    }
    line("--" + std::string(RevealFaultsName), "name the faults --fault put on the board");
    line("--" + std::string(ToBstName), "print the program an SVF file becomes, and exit");
    line("-h, --help", "show this help and exit");
    line("--version", "show the version and exit");
    text += "\nExit codes: 0 halt or end of text, 1 error, 3 step limit, 2 usage or file error.\n";
    return text;
}

} // namespace

std::string RunnerUsage() {
    constexpr std::string_view Lead = "usage: scanbench-run";
    constexpr std::size_t Width = 92;
    std::string text(Lead);
    std::size_t lineStart = 0;
    const auto add = [&](const std::string& part) {
        if (text.size() - lineStart + 1 + part.size() > Width) {
            text += "\n";
            lineStart = text.size();
            text += std::string(Lead.size(), ' ');
        }
        text += " " + part;
    };
    for (const OptionSpec& option : ValueOptions) {
        add("[--" + std::string(option.Name) + " " + std::string(option.Value) + "]");
    }
    add("[--" + std::string(RevealFaultsName) + "]");
    add("[--" + std::string(ToBstName) + "]");
    add("PROGRAM.bst|FILE.svf");
    return text + "\n";
}

ParsedRunnerCommandLine ParseRunnerOptions(const std::vector<std::string>& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const OptionSpec& option : ValueOptions) {
        parser.addOption(QCommandLineOption(FromBytes(option.Name), FromBytes(option.Help),
                                            FromBytes(option.Value)));
    }
    const QCommandLineOption help(QStringList{QStringLiteral("h"), FromBytes(HelpName)});
    const QCommandLineOption version(FromBytes(VersionName));
    const QCommandLineOption toBst(FromBytes(ToBstName));
    const QCommandLineOption revealFaults(FromBytes(RevealFaultsName));
    parser.addOption(revealFaults);
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(toBst);

    QStringList words{QStringLiteral("scanbench-run")};
    for (const std::string& argument : arguments) {
        words << FromBytes(argument);
    }
    if (!parser.parse(words)) {
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
            return UsageError{"unknown option: " + AsWritten(arguments, ToBytes(unknown.first()))};
        }
        if (const OptionSpec* option = OptionWithoutValue(arguments)) {
            return UsageError{"option --" + std::string(option->Name) + " needs a value"};
        }
        // Anything else Qt finds, worded like the messages above.
        QString message = parser.errorText();
        if (message.endsWith(QLatin1Char('.'))) {
            message.chop(1);
        }
        if (!message.isEmpty()) {
            message[0] = message[0].toLower();
        }
        return UsageError{ToBytes(message)};
    }
    if (parser.isSet(help)) {
        return RunnerInformation{HelpText()};
    }
    if (parser.isSet(version)) {
        return RunnerInformation{std::string("scanbench-run ") + SCANBENCH_VERSION + "\n"};
    }

    RunnerOptions options;
    for (const OptionSpec& option : ValueOptions) {
        const QString name = FromBytes(option.Name);
        if (!parser.isSet(name)) {
            continue;
        }
        // --fault adds up; any other option's last value counts.
        const QStringList values =
            option.Name == "fault" ? parser.values(name) : QStringList{parser.value(name)};
        for (const QString& value : values) {
            if (auto error = option.Apply(options, ToBytes(value))) {
                return UsageError{std::move(*error)};
            }
        }
    }
    if (options.Faults.Seed && !options.Faults.Faults.empty()) {
        return UsageError{"--fault random:SEED chooses the faults itself: give no other --fault"};
    }
    options.Faults.Revealed = parser.isSet(revealFaults);
    if (options.Faults.Revealed && options.Faults.Empty()) {
        return UsageError{"--reveal-faults needs --fault"};
    }
    options.ToBst = parser.isSet(toBst);
    const QStringList programs = parser.positionalArguments();
    if (options.ServeBoardPort) {
        // The server runs instead of a program.
        if (!programs.isEmpty()) {
            return UsageError{"--serve-board runs no program: " + ToBytes(programs.first())};
        }
        if (options.ToBst) {
            return UsageError{"--serve-board translates no SVF file: --to-bst"};
        }
        for (const OptionSpec& option : ValueOptions) {
            if (parser.isSet(FromBytes(option.Name)) &&
                std::ranges::find(ServingOptions, option.Name) == std::end(ServingOptions)) {
                return UsageError{"--" + std::string(option.Name) +
                                  " has no effect on --serve-board, which runs no program"};
            }
        }
        if (options.Board && options.Board->Kind != BoardKind::Demo &&
            options.Board->Kind != BoardKind::Interconnect &&
            options.Board->Kind != BoardKind::File) {
            return UsageError{"--serve-board serves a board of chips: --board demo, interconnect "
                              "or a board file"};
        }
        return options;
    }
    if (parser.isSet(QStringLiteral("serve-tap"))) {
        return UsageError{"--serve-tap needs --serve-board"};
    }
    if (programs.isEmpty()) {
        return UsageError{"no program file given"};
    }
    if (programs.size() > 1) {
        return UsageError{"more than one program file given: " + ToBytes(programs[1])};
    }
    options.ProgramFile = ToBytes(programs.first());
    if (options.ToBst && !IsSvfFileName(options.ProgramFile)) {
        return UsageError{"--to-bst translates an SVF file (FILE.svf), not " + options.ProgramFile};
    }
    return options;
}

} // namespace scanbench
