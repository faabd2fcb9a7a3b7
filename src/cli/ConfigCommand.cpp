#include "ConfigCommand.h"

#include "ConfigJson.h"
#include "editor/LocalValidation.h"
#include "editor/MessageStats.h"
#include "files/AtomicFile.h"
#include "files/ConfigFile.h"
#include "files/Preferences.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonParseError>

#include <clocale>
#include <cstdio>
#include <iostream>
#include <optional>

namespace tavin {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitCheckFailed = 1;
constexpr int kExitFile = 2;
constexpr int kExitBadOptions = 3;

// A JSON document larger than this is not a configuration.
constexpr std::size_t kMaxJsonBytes = 64u << 20;


constexpr char kConfigUsage[] =
    "Usage: tavin-cli config json FILE [--template] [OPTIONS]\n"
    "       tavin-cli config write JSON -o FILE [--template] [OPTIONS]\n"
    "       tavin-cli config check FILE [--template] [OPTIONS]\n"
    "       tavin-cli config stats FILE [--json] [--template] [OPTIONS]\n"
    "\n"
    "  json    print the configuration held in FILE as JSON\n"
    "  write   write a configuration file from a JSON document (keys left out\n"
    "          keep their cleared values)\n"
    "  check   run the local check; exit 1 when it finds an error\n"
    "  stats   print the buffer size, message length and duration of the timed,\n"
    "          random and ARGOS messages\n"
    "\n"
    "Options:\n"
    "  --template       read or write a template instead of a configuration file\n"
    "  --firmware X.YY  firmware version for the feature switches (default: the\n"
    "                   TAVINVersion preference)\n"
    "  --advanced       advanced settings on (transmit powers, GPS calibration,\n"
    "                   invalid character replacement)\n"
    "  --ini PATH       preferences file to use (default: tavin-utility.ini beside\n"
    "                   the program)\n"
    "  --json           stats as a JSON object\n"
    "  -o FILE          the file that write creates or replaces\n"
    "\n"
    "Check errors name the page, the control and, for a table, the row as the\n"
    "file's commands number it (from 0).\n"
    "\n"
    "Exit codes: 0 done, 1 the check found an error, 2 a file that cannot be\n"
    "read or written or a malformed JSON document, 3 bad options.\n";

struct Options {
    std::string command;
    std::string file;
    std::string output;
    std::string ini;
    std::optional<std::string> firmware;
    bool asTemplate = false;
    bool advanced = false;
    bool json = false;
    bool help = false;
};

// Everything a command needs besides the file: the preferences, the feature
// switches and the parser context over them.
struct Session {
    TGlbIni Ini;
    TUtilityControl Utility;
    ParseContext Ctx;

    Session() = default;
    Session(const Session&) = delete;

    // A model as the utility starts with: cleared, presence from the preferences.
    XmtrConfig NewModel() {
        XmtrConfig cfg;
        cfg.ClearAll(Ini);
        cfg.InitPresence(Ini);
        Ctx.RederiveTxMode(cfg);
        return cfg;
    }
};

bool ParseOptions(const std::vector<std::string>& args, Options& o, std::ostream& err) {
    std::vector<std::string> positional;
    const auto value = [&](std::size_t& i, std::string& into) {
        if (i + 1 >= args.size()) {
            err << "tavin-cli: " << args[i] << " needs a value\n";
            return false;
        }
        into = args[++i];
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--template") {
            o.asTemplate = true;
        } else if (a == "--advanced") {
            o.advanced = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--ini") {
            if (!value(i, o.ini)) {
                return false;
            }
        } else if (a == "-o" || a == "--output") {
            if (!value(i, o.output)) {
                return false;
            }
        } else if (a == "--firmware") {
            std::string v;
            if (!value(i, v)) {
                return false;
            }
            o.firmware = v;
        } else if (a.size() > 1 && a[0] == '-') {
            err << "tavin-cli: unknown option '" << a << "' (see config --help)\n";
            return false;
        } else {
            positional.push_back(a);
        }
    }
    if (o.help) {
        return true;
    }
    if (positional.empty()) {
        err << kConfigUsage;
        return false;
    }
    o.command = positional[0];
    if (o.command != "json" && o.command != "write" && o.command != "check" &&
        o.command != "stats") {
        err << "tavin-cli: unknown config command '" << o.command << "' (see config --help)\n";
        return false;
    }
    if (positional.size() != 2) {
        err << "tavin-cli: config " << o.command
            << (positional.size() < 2 ? " needs a file" : ": too many arguments")
            << " (see config --help)\n";
        return false;
    }
    o.file = positional[1];
    if (o.command == "write" && o.output.empty()) {
        err << "tavin-cli: config write needs -o FILE\n";
        return false;
    }
    if (o.command != "write" && !o.output.empty()) {
        err << "tavin-cli: -o is only for config write\n";
        return false;
    }
    if (o.json && o.command != "stats") {
        err << "tavin-cli: --json is only for config stats\n";
        return false;
    }
    return true;
}

// The preferences, the firmware and the switches. Returns an exit code
// when it cannot.
std::optional<int> OpenSession(const Options& o, const std::string& defaultIni, Session& s,
                               std::ostream& err) {
    const std::string iniPath = o.ini.empty() ? defaultIni : o.ini;
    s.Ini = DefaultGlbIni(FolderOfFile(iniPath));
    if (!iniPath.empty()) {
        std::string why;
        const auto loaded = LoadGlbIni(iniPath, FolderOfFile(iniPath), s.Ini, &why);
        if (loaded != IniFile::LoadResult::Loaded && !o.ini.empty()) {
            err << "tavin-cli: cannot read the preferences: " << why << "\n";
            return kExitFile;
        }
        if (loaded == IniFile::LoadResult::Unreadable) {
            err << "tavin-cli: preferences not read, using the defaults: " << why << "\n";
        }
    }
    int code = VersionCodeFromDouble(s.Ini.TAVINVersion);
    if (o.firmware) {
        bool ok = false;
        code = VersionCodeFromText(*o.firmware, &ok);
        if (!ok) {
            err << "tavin-cli: '" << *o.firmware << "' is not a firmware version (like 1.30)\n";
            return kExitBadOptions;
        }
    }
    s.Utility.SetVersionCode(code, s.Ini, true);
    s.Ctx.Utility = &s.Utility;
    s.Ctx.Ini = &s.Ini;
    s.Ctx.AdvancedSettings = o.advanced;
    return std::nullopt;
}

bool Load(const Options& o, Session& s, XmtrConfig& cfg, std::ostream& err) {
    cfg = s.NewModel();
    const ConfigFileResult r = LoadConfigFile(o.file, cfg, s.Ctx, o.asTemplate);
    if (!r.Ok) {
        err << "tavin-cli: " << r.Error << "\n";
    }
    return r.Ok;
}

int PrintJson(const Options& o, Session& s, std::ostream& out, std::ostream& err) {
    XmtrConfig cfg;
    if (!Load(o, s, cfg, err)) {
        return kExitFile;
    }
    out << QJsonDocument(ConfigToJson(cfg)).toJson(QJsonDocument::Indented).toStdString();
    return kExitOk;
}

int WriteFromJson(const Options& o, Session& s, std::ostream& err) {
    std::string text;
    std::string why;
    if (!ReadWholeFile(o.file, text, &why, nullptr, kMaxJsonBytes)) {
        err << "tavin-cli: " << why << "\n";
        return kExitFile;
    }
    QJsonParseError parse{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(text.data(), qsizetype(text.size())), &parse);
    if (parse.error != QJsonParseError::NoError) {
        err << "tavin-cli: " << o.file
            << " is not a JSON document: " << parse.errorString().toStdString() << " at offset "
            << parse.offset << "\n";
        return kExitFile;
    }
    if (!doc.isObject()) {
        err << "tavin-cli: " << o.file << ": a JSON object is expected\n";
        return kExitFile;
    }
    XmtrConfig cfg = s.NewModel();
    QString bad;
    if (!ConfigFromJson(doc.object(), cfg, bad)) {
        err << "tavin-cli: " << o.file << ": " << bad.toStdString() << "\n";
        return kExitFile;
    }
    // The document's ARGOS and SCD flags say which mode the file is written in.
    s.Ctx.RederiveTxMode(cfg);
    const ConfigFileResult r = SaveConfigFile(o.output, cfg, s.Ctx, o.asTemplate);
    if (!r.Ok) {
        err << "tavin-cli: " << r.Error << "\n";
        return kExitFile;
    }
    return kExitOk;
}

int Check(const Options& o, Session& s, std::ostream& out, std::ostream& err) {
    XmtrConfig cfg;
    if (!Load(o, s, cfg, err)) {
        return kExitFile;
    }
    const TConfigCheckError e =
        CheckLocalSetup(cfg, EditorValuesFromModel(cfg, o.advanced), s.Utility);
    // The template check says "Template" where the local check says
    // "Local Configuration".
    if (e.ErrorCode == kErrNone) {
        out << (o.asTemplate ? "Template OK" : "Local Configuration OK") << "\n";
        return kExitOk;
    }
    out << (o.asTemplate ? "Template Error" : "Local Configuration Error") << "\n"
        << GetErrorString(e) << "\n";
    if (!e.ErrorPage.empty()) {
        out << "Page: " << e.ErrorPage << "\n";
    }
    if (!e.ErrorControl.empty()) {
        out << "Control: " << e.ErrorControl << "\n";
    }
    if (ErrorGridColumn(e.ErrorControl, e.ErrorCode) >= 0) {
        out << "Row: " << e.ErrorRow << "\n";
    }
    return kExitCheckFailed;
}

std::string Seconds(double s) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", s);
    return buf;
}

int Stats(const Options& o, Session& s, std::ostream& out, std::ostream& err) {
    XmtrConfig cfg;
    if (!Load(o, s, cfg, err)) {
        return kExitFile;
    }
    const MessageFigures timed = TimedMessageFigures(cfg);
    const MessageFigures random = RandomMessageFigures(cfg);
    const MessageFigures argos = ARGOSMessageFigures(cfg, s.Utility.ExtendedTables());
    if (o.json) {
        const auto bytes = [](const MessageFigures& f) {
            return "{\"BufferLength\":" + std::to_string(f.BufferLength) +
                   ",\"MsgLength\":" + std::to_string(f.MsgLength) +
                   ",\"Duration\":" + Seconds(f.Seconds) + "}";
        };
        out << "{\"Timed\":" << bytes(timed) << ",\"Random\":" << bytes(random)
            << ",\"Argos\":{\"BufferBits\":" << argos.BufferLength
            << ",\"MsgBits\":" << argos.MsgLength << ",\"Duration\":" << Seconds(argos.Seconds)
            << "}}\n";
        return kExitOk;
    }
    const auto group = [&](const char* name, const MessageFigures& f) {
        out << name << "\n"
            << "  Buffer Size: " << f.BufferText << "\n"
            << "  Msg Length: " << f.MsgText << "\n"
            << "  Duration: " << f.DurationText << "\n";
    };
    group("Timed", timed);
    group("Random", random);
    group("ARGOS", argos);
    return kExitOk;
}

} // namespace

int RunConfigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const std::string& defaultIni) {
    Options o;
    if (!ParseOptions(args, o, err)) {
        return kExitBadOptions;
    }
    if (o.help) {
        out << kConfigUsage;
        return kExitOk;
    }
    Session s;
    if (const auto failed = OpenSession(o, defaultIni, s, err)) {
        return *failed;
    }
    if (o.command == "json") {
        return PrintJson(o, s, out, err);
    }
    if (o.command == "write") {
        return WriteFromJson(o, s, err);
    }
    if (o.command == "check") {
        return Check(o, s, out, err);
    }
    return Stats(o, s, out, err);
}

int RunConfigCommand(const std::vector<std::string>& args) {
    // QCoreApplication adopts the environment's locale for the C library;
    // durations and powers are written with "." whatever it says.
    std::setlocale(LC_NUMERIC, "C");
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    const std::string ini = UtilityPreferencesFile(program);
    const int code = RunConfigCommand(args, std::cout, std::cerr, ini);
    std::cout.flush();
    return code;
}

} // namespace tavin
