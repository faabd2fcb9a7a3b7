#include "ConfigCommand.h"

#include "CliParser.h"
#include "ConfigDiff.h"
#include "ConfigJson.h"
#include "editor/BufferStats.h"
#include "editor/LocalValidation.h"
#include "editor/MessageStats.h"
#include "files/AtomicFile.h"
#include "files/ConfigFile.h"
#include "files/Preferences.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <clocale>
#include <cstdio>
#include <optional>

namespace tavin {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitCheckFailed = 1;
constexpr int kExitFile = 2;
constexpr int kExitBadOptions = 3;

// A JSON document larger than this is not a configuration.
constexpr std::size_t kMaxJsonBytes = 64u << 20;

struct Options {
    std::string command;
    std::string file;
    std::string file2; // the second file of diff
    std::string output;
    std::string ini;
    bool iniGiven = false;
    std::optional<std::string> firmware;
    bool asTemplate = false;
    bool advanced = false;
    bool json = false;
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

Options OptionsFrom(const CliArgs& args) {
    Options o;
    o.command = args.Command()->path.substr(args.Command()->path.find(' ') + 1);
    o.file = args.Positional().at(0);
    if (args.Positional().size() > 1) {
        o.file2 = args.Positional()[1];
    }
    o.output = args.Value("output").value_or(std::string());
    o.ini = args.Ini();
    o.iniGiven = args.IniGiven();
    o.firmware = args.Value("firmware");
    o.asTemplate = args.Has("template");
    o.advanced = args.Has("advanced");
    o.json = args.Has("json");
    return o;
}

// The preferences, the firmware and the switches. Returns an exit code
// when it cannot.
std::optional<int> OpenSession(const Options& o, Session& s, std::ostream& err) {
    const std::string& iniPath = o.ini;
    s.Ini = DefaultGlbIni(FolderOfFile(iniPath));
    if (!iniPath.empty()) {
        std::string why;
        const auto loaded = LoadGlbIni(iniPath, FolderOfFile(iniPath), s.Ini, &why);
        if (loaded != IniFile::LoadResult::Loaded && o.iniGiven) {
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

bool Load(const std::string& file, bool asTemplate, Session& s, XmtrConfig& cfg,
          std::ostream& err) {
    cfg = s.NewModel();
    const ConfigFileResult r = LoadConfigFile(file, cfg, s.Ctx, asTemplate);
    if (!r.Ok) {
        err << "tavin-cli: " << r.Error << "\n";
    }
    return r.Ok;
}

int PrintJson(const Options& o, Session& s, std::ostream& out, std::ostream& err) {
    XmtrConfig cfg;
    if (!Load(o.file, o.asTemplate, s, cfg, err)) {
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
    if (!Load(o.file, o.asTemplate, s, cfg, err)) {
        return kExitFile;
    }
    const TConfigCheckError e =
        CheckLocalSetup(cfg, EditorValuesFromModel(cfg, o.advanced), s.Utility);
    // A message longer than its window is worth knowing, but not a check error.
    const std::string windowWarning = TimedWindowWarning(cfg);
    // The template check says "Template" where the local check says
    // "Local Configuration".
    const bool ok = e.ErrorCode == kErrNone;
    const std::string verdict =
        std::string(o.asTemplate ? "Template" : "Local Configuration") + (ok ? " OK" : " Error");
    const bool hasRow = !ok && ErrorGridColumn(e.ErrorControl, e.ErrorCode) >= 0;
    if (o.json) {
        QJsonObject doc;
        doc["ok"] = ok;
        doc["result"] = QString::fromStdString(verdict);
        if (!ok) {
            doc["error"] = QString::fromStdString(GetErrorString(e));
            doc["page"] = QString::fromStdString(e.ErrorPage);
            doc["control"] = QString::fromStdString(e.ErrorControl);
            if (hasRow) {
                doc["row"] = e.ErrorRow;
            }
        }
        if (!windowWarning.empty()) {
            doc["warning"] = QString::fromStdString(windowWarning);
        }
        out << QJsonDocument(doc).toJson(QJsonDocument::Compact).toStdString() << "\n";
        return ok ? kExitOk : kExitCheckFailed;
    }
    out << verdict << "\n";
    if (ok) {
        if (!windowWarning.empty()) {
            out << "Warning: " << windowWarning << "\n";
        }
        return kExitOk;
    }
    out << GetErrorString(e) << "\n";
    if (!e.ErrorPage.empty()) {
        out << "Page: " << e.ErrorPage << "\n";
    }
    if (!e.ErrorControl.empty()) {
        out << "Control: " << e.ErrorControl << "\n";
    }
    if (hasRow) {
        out << "Row: " << e.ErrorRow << "\n";
    }
    if (!windowWarning.empty()) {
        out << "Warning: " << windowWarning << "\n";
    }
    return kExitCheckFailed;
}

int Diff(const Options& o, Session& s, const CliArgs& args) {
    const bool templateA = o.asTemplate || IsTemplatePath(o.file);
    const bool templateB = o.asTemplate || IsTemplatePath(o.file2);
    XmtrConfig a, b;
    if (!Load(o.file, templateA, s, a, args.Err()) || !Load(o.file2, templateB, s, b, args.Err())) {
        return kExitFile;
    }
    XmtrConfig cleared = s.NewModel();
    ParseContext ctx = s.Ctx;
    LoadConfigText("", cleared, ctx, false);
    return PrintConfigDiff(args, a, b, cleared, templateA || templateB, o.file, o.file2);
}

std::string Seconds(double s) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", s);
    return buf;
}

int Stats(const Options& o, Session& s, std::ostream& out, std::ostream& err) {
    XmtrConfig cfg;
    if (!Load(o.file, o.asTemplate, s, cfg, err)) {
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

bool IsTemplatePath(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).suffix().compare("tpl", Qt::CaseInsensitive) ==
           0;
}

int PrintConfigDiff(const CliArgs& args, const XmtrConfig& a, const XmtrConfig& b,
                    const XmtrConfig& cleared, bool withTemplate, const std::string& nameA,
                    const std::string& nameB) {
    DiffOptions options;
    options.skipPlatformIds = withTemplate;
    const std::vector<ConfigDifference> differences = DiffConfigs(a, b, cleared, options);
    if (args.Has("json")) {
        args.Out() << QJsonDocument(DiffJson(differences, nameA, nameB))
                          .toJson(QJsonDocument::Indented)
                          .toStdString();
    } else {
        args.Out() << DiffText(differences);
    }
    args.Out().flush();
    return differences.empty() ? kExitOk : kExitCheckFailed;
}

int RunConfigCommand(const CliArgs& args) {
    // QCoreApplication adopts the environment's locale for the C library;
    // durations and powers are written with "." whatever it says.
    std::setlocale(LC_NUMERIC, "C");
    const Options o = OptionsFrom(args);
    if (o.command == "write" && o.output.empty()) {
        return args.BadInput("config write needs -o FILE");
    }
    Session s;
    if (const auto failed = OpenSession(o, s, args.Err())) {
        return *failed;
    }
    std::ostream& out = args.Out();
    std::ostream& err = args.Err();
    if (o.command == "json") {
        return PrintJson(o, s, out, err);
    }
    if (o.command == "write") {
        return WriteFromJson(o, s, err);
    }
    if (o.command == "check") {
        return Check(o, s, out, err);
    }
    if (o.command == "diff") {
        return Diff(o, s, args);
    }
    return Stats(o, s, out, err);
}

int RunConfigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const std::string& defaultIni) {
    std::vector<std::string> words = {"config"};
    words.insert(words.end(), args.begin(), args.end());
    return RunCli(words, out, err, defaultIni, false);
}

} // namespace tavin
