#include "CliParser.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cctype>
#include <set>

namespace tavin {

namespace {

constexpr std::size_t kHelpWidth = 79;

constexpr char kExitCodes[] =
    "Exit codes: 0 success; 1 the transmitter refused, the check found an error or\n"
    "the configurations differ; 2 no answer, no port, or a file that cannot be read\n"
    "or written; 3 a bad command line or bad input.\n";

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QCommandLineOption ToQt(const CliOption& o) {
    QStringList names;
    for (const std::string& n : o.names) {
        names << Q(n);
    }
    if (o.valueName.empty()) {
        return QCommandLineOption(names);
    }
    return QCommandLineOption(names, Q(o.help), Q(o.valueName));
}

const std::string& LongName(const CliOption& o) {
    return o.names.front();
}

std::string Spelled(const std::string& name) {
    return (name.size() == 1 ? "-" : "--") + name;
}

// Every option any command takes, once, for finding the command's words.
std::vector<CliOption> AllOptions() {
    std::vector<CliOption> all = {
        PortOption(), IniOption(), ProgressOption(), {{"version"}, "", "", ""}};
    std::set<std::string> seen = {"port", "ini", "progress", "version"};
    for (const CliCommand& c : CliCommands()) {
        for (const CliOption& o : OptionsOf(c)) {
            if (seen.insert(LongName(o)).second) {
                all.push_back(o);
            }
        }
    }
    return all;
}

const CliCommand* FindCommand(const std::string& path) {
    for (const CliCommand& c : CliCommands()) {
        if (c.path == path) {
            return &c;
        }
    }
    return nullptr;
}

bool IsGroup(const std::string& word) {
    return std::any_of(CliCommands().begin(), CliCommands().end(),
                       [&](const CliCommand& c) { return c.path.rfind(word + " ", 0) == 0; });
}

bool Takes(const CliCommand& c, const std::string& name) {
    for (const CliOption& o : OptionsOf(c)) {
        if (std::find(o.names.begin(), o.names.end(), name) != o.names.end()) {
            return true;
        }
    }
    return false;
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += i + 1 == items.size() ? " and " : ", ";
        }
        out += items[i];
    }
    return out;
}

// What is wrong with an option the command does not take: another command's
// option is named with the commands that take it (those of the same group
// first), anything else is unknown.
std::string UnknownOption(const CliCommand& command, const std::string& name) {
    std::vector<std::string> sameGroup, others;
    const std::string group = GroupOf(command);
    for (const CliCommand& c : CliCommands()) {
        if (Takes(c, name)) {
            (!group.empty() && GroupOf(c) == group ? sameGroup : others).push_back(c.path);
        }
    }
    const std::vector<std::string>& users = sameGroup.empty() ? others : sameGroup;
    if (users.empty()) {
        return "unknown option '" + Spelled(name) + "'";
    }
    if (users.size() > 4) {
        return Spelled(name) + " is not an option of " + command.path;
    }
    return Spelled(name) + " is only for " + Listed(users) + ", not for " + command.path;
}

// Qt's own wording of the value errors, in the tool's words.
std::string ValueError(const QString& qtText) {
    const std::string text = qtText.toStdString();
    const auto quoted = [&text]() {
        const auto a = text.find('\'');
        const auto b = text.rfind('\'');
        return a != std::string::npos && b > a ? text.substr(a + 1, b - a - 1) : std::string();
    };
    if (text.rfind("Missing value after", 0) == 0) {
        return quoted() + " needs a value";
    }
    if (text.rfind("Unexpected value after", 0) == 0) {
        std::string option = quoted();
        option = option.substr(0, option.find('='));
        return option + " takes no value";
    }
    return text;
}

// Word-wraps text at kHelpWidth, continuation lines indented by `indent`.
std::string Wrapped(const std::string& text, std::size_t start, std::size_t indent) {
    std::string out;
    std::size_t column = start;
    std::size_t at = 0;
    while (at < text.size()) {
        auto end = text.find(' ', at);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string word = text.substr(at, end - at);
        if (column > indent && column + 1 + word.size() > kHelpWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (column > start || (column == start && !out.empty())) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        at = end + 1;
    }
    return out;
}

std::string OptionLines(const std::vector<CliOption>& options) {
    std::vector<std::string> lefts;
    std::size_t width = 0;
    for (const CliOption& o : options) {
        std::string left = "  ";
        left += o.names.size() > 1 ? "-" + o.names[1] + ", " : "    ";
        left += "--" + LongName(o);
        if (!o.valueName.empty()) {
            left += " " + o.valueName;
        }
        width = std::max(width, left.size());
        lefts.push_back(left);
    }
    width = std::min<std::size_t>(width + 2, 30);
    std::string out;
    for (std::size_t i = 0; i < options.size(); ++i) {
        std::string line = lefts[i];
        if (line.size() + 2 > width) {
            line += "\n" + std::string(width, ' ');
        } else {
            line.append(width - line.size(), ' ');
        }
        out += line + Wrapped(options[i].help, width, width) + "\n";
    }
    return out;
}

std::string UsageLine(const CliCommand& c) {
    std::string line = "Usage: tavin-cli ";
    if (c.port) {
        line += "--port N|DEVICE ";
    }
    line += c.path;
    if (!c.args.empty()) {
        line += " " + c.args;
    }
    return line + " [options]\n";
}

std::string CommandList(const std::vector<const CliCommand*>& commands) {
    std::size_t width = 0;
    for (const CliCommand* c : commands) {
        width = std::max(width, c->path.size() + (c->args.empty() ? 0 : c->args.size() + 1));
    }
    width = std::min<std::size_t>(width + 4, 28);
    std::string out;
    for (const CliCommand* c : commands) {
        std::string left = "  " + c->path + (c->args.empty() ? "" : " " + c->args);
        if (left.size() + 2 > width) {
            left += "\n" + std::string(width, ' ');
        } else {
            left.append(width - left.size(), ' ');
        }
        out += left + Wrapped(c->summary, width, width) + "\n";
    }
    return out;
}

} // namespace

std::string GroupOf(const CliCommand& command) {
    const auto space = command.path.find(' ');
    return space == std::string::npos ? std::string() : command.path.substr(0, space);
}

std::vector<CliOption> OptionsOf(const CliCommand& command) {
    std::vector<CliOption> options = command.options;
    if (command.port) {
        options.push_back(PortOption());
    }
    if (command.prefs) {
        options.push_back(IniOption());
    }
    if (command.port) {
        options.push_back(ProgressOption());
    }
    for (const CliOption& o : GlobalOptions()) {
        options.push_back(o);
    }
    return options;
}

std::string VersionText() {
    return std::string("tavin-cli ") + TAVIN_VERSION + "\n";
}

std::string CommandHelp(const CliCommand& c) {
    std::string summary = c.summary;
    summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    std::string out = UsageLine(c) + "\n" + Wrapped(summary, 0, 0) + ".\n";
    if (!c.details.empty()) {
        // The details' own line breaks end sentences; the rest is filled.
        std::string flowed = c.details;
        std::replace(flowed.begin(), flowed.end(), '\n', ' ');
        out += Wrapped(flowed, 0, 0) + "\n";
    }
    out += "\nOptions:\n" + OptionLines(OptionsOf(c));
    out += "\nOptions take their value as --name VALUE or --name=VALUE";
    out += c.port ? "; --port may come\nbefore or after the command.\n" : ".\n";
    return out + kExitCodes;
}

std::string GroupHelp(const std::string& group) {
    std::vector<const CliCommand*> members;
    for (const CliCommand& c : CliCommands()) {
        if (GroupOf(c) == group) {
            members.push_back(&c);
        }
    }
    return "Usage: tavin-cli " + group + " COMMAND [options]\n\nCommands:\n" +
           CommandList(members) + "\nSee tavin-cli " + group +
           " COMMAND --help for the options of each.\n" + kExitCodes;
}

std::string MainHelp() {
    struct Section {
        const char* title;
        std::vector<const CliCommand*> commands;
    };
    Section sections[] = {
        {"Talking to a transmitter (--port N|DEVICE before or after the command):", {}},
        {"The sensor log:", {}},
        {"Configuration files:", {}},
        {"This computer:", {}},
    };
    for (const CliCommand& c : CliCommands()) {
        const std::string group = GroupOf(c);
        const int at = group == "log" ? 1 : group == "config" ? 2 : c.port ? 0 : 3;
        sections[at].commands.push_back(&c);
    }
    std::string out = "Usage: tavin-cli [--port N|DEVICE] COMMAND [ARGS] [options]\n"
                      "\n"
                      "The TAVIN transmitter configuration utility without windows.\n";
    for (const Section& s : sections) {
        out += "\n" + Wrapped(s.title, 0, 2) + "\n" + CommandList(s.commands);
    }
    out +=
        "\nOptions:\n" + OptionLines({PortOption(),
                                      IniOption(),
                                      ProgressOption(),
                                      GlobalOptions().front(),
                                      {{"version"}, "", "show the program version and exit", ""}});
    out += "\nEvery command takes --help. Options take their value as --name VALUE or\n"
           "--name=VALUE. Results go to standard output, progress and messages to\n"
           "standard error. --json output is described in docs/tavin-cli.md.\n";
    return out + kExitCodes;
}

CliParseOutcome ParseCommandLine(const std::vector<std::string>& words, CliArgs& args) {
    QStringList qwords("tavin-cli");
    for (const std::string& w : words) {
        qwords << Q(w);
    }
    // First pass: every option of every command, to find the command's words
    // wherever the options stand.
    QCommandLineParser first;
    first.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    for (const CliOption& o : AllOptions()) {
        first.addOption(ToQt(o));
    }
    first.parse(qwords);
    std::vector<std::string> positional;
    for (const QString& p : first.positionalArguments()) {
        positional.push_back(p.toStdString());
    }
    const bool help = first.isSet("help");
    std::ostream& out = args.Out();
    std::ostream& err = args.Err();

    if (positional.empty()) {
        if (help) {
            out << MainHelp();
            return {false, kCliExitOk};
        }
        if (first.isSet("version") && first.unknownOptionNames().isEmpty()) {
            out << VersionText();
            return {false, kCliExitOk};
        }
        err << MainHelp();
        return {false, kCliExitBadInput};
    }
    std::string path = positional[0];
    std::size_t used = 1;
    if (FindCommand(path) == nullptr) {
        if (!IsGroup(path)) {
            args.BadInput("unknown command '" + path + "' (see tavin-cli --help)");
            return {false, kCliExitBadInput};
        }
        if (positional.size() < 2) {
            (help ? out : err) << GroupHelp(path);
            return {false, help ? kCliExitOk : kCliExitBadInput};
        }
        if (FindCommand(path + " " + positional[1]) == nullptr) {
            args.BadInput("unknown " + path + " command '" + positional[1] + "' (see tavin-cli " +
                          path + " --help)");
            return {false, kCliExitBadInput};
        }
        path += " " + positional[1];
        used = 2;
    }
    const CliCommand& command = *FindCommand(path);
    if (help) {
        out << CommandHelp(command);
        return {false, kCliExitOk};
    }

    // Second pass: only what this command takes.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const std::vector<CliOption> options = OptionsOf(command);
    for (const CliOption& o : options) {
        parser.addOption(ToQt(o));
    }
    const std::string seeHelp = " (see tavin-cli " + path + " --help)";
    if (!parser.parse(qwords)) {
        const QStringList unknown = parser.unknownOptionNames();
        const std::string why = unknown.isEmpty()
                                    ? ValueError(parser.errorText())
                                    : UnknownOption(command, unknown.front().toStdString());
        args.BadInput(why + seeHelp);
        return {false, kCliExitBadInput};
    }
    positional.erase(positional.begin(), positional.begin() + static_cast<std::ptrdiff_t>(used));
    if (static_cast<int>(positional.size()) < command.minArgs) {
        args.BadInput(path + " needs " + command.args + seeHelp);
        return {false, kCliExitBadInput};
    }
    if (static_cast<int>(positional.size()) > command.maxArgs) {
        args.BadInput(path + ": too many arguments, '" + positional[command.maxArgs] +
                      "' is one too many" + seeHelp);
        return {false, kCliExitBadInput};
    }
    for (const CliOption& o : options) {
        if (parser.isSet(Q(LongName(o)))) {
            std::vector<std::string> values;
            for (const QString& v : parser.values(Q(LongName(o)))) {
                values.push_back(v.toStdString());
            }
            args.Add(LongName(o), std::move(values));
        }
    }
    if (command.port && args.Port().empty()) {
        args.BadInput(path + " talks to a transmitter: tavin-cli --port N|DEVICE " + path);
        return {false, kCliExitBadInput};
    }
    args.SetCommand(&command);
    args.SetPositional(std::move(positional));
    return {true, kCliExitOk};
}

int RunCli(const std::vector<std::string>& words, std::ostream& out, std::ostream& err,
           const std::string& defaultIni, bool stderrIsTerminal) {
    CliArgs args(out, err);
    args.SetDefaultIni(defaultIni);
    args.SetStderrIsTerminal(stderrIsTerminal);
    const CliParseOutcome parsed = ParseCommandLine(words, args);
    if (!parsed.run) {
        return parsed.exitCode;
    }
    const int code = args.Command()->run(args);
    out.flush();
    return code;
}

} // namespace tavin
