// tavin-cli against tavin-sim over a real pseudo-terminal: the whole serial
// stack, the program's own options, output and exit codes, and the
// simulator's transcript as the witness of what went over the line.
#include "CliRun.h"
#include "common/SampleConfigs.h"
#include "common/SimProcess.h"
#include "files/ConfigFile.h"
#include "protocol/GlbIni.h"
#include "protocol/UtilityControl.h"

#include <gmock/gmock.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tavin::test {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        out.push_back(line);
    }
    return out;
}

class PortCommands : public ::testing::Test {
protected:
    PortCommands() {
        dir = fs::temp_directory_path() /
              ("tavin-cli-port-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~PortCommands() override { fs::remove_all(dir); }

    // A simulated transmitter with a transcript of its own.
    SimProcess& StartSim(std::vector<std::string> args) {
        auto sim = std::make_unique<SimProcess>();
        const fs::path transcript = dir / ("sim" + std::to_string(sims.size()) + ".log");
        args.insert(args.end(), {"--transcript", transcript.string(), "--log-days", "0"});
        std::string error;
        EXPECT_TRUE(sim->Start(TAVIN_SIM_PROGRAM, args, error)) << error;
        transcripts.push_back(transcript);
        sims.push_back(std::move(sim));
        return *sims.back();
    }
    // The lines the n-th simulator received.
    std::vector<std::string> Received(std::size_t n) const {
        std::vector<std::string> out;
        for (const std::string& line : Lines(ReadText(transcripts.at(n)))) {
            const auto at = line.find(" R ");
            if (at != std::string::npos) {
                out.push_back(line.substr(at + 3));
            }
        }
        return out;
    }
    CliResult Cli(const SimProcess& sim, std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim.Link()});
        return RunProgram(TAVIN_CLI_PROGRAM, args);
    }
    // A configuration file of cfg as firmware `version` takes it.
    fs::path WriteConfig(const std::string& name, const XmtrConfig& cfg, int version) {
        TGlbIni ini;
        TUtilityControl utility;
        utility.SetVersionCode(version, ini, true);
        ParseContext ctx;
        ctx.Utility = &utility;
        ctx.Ini = &ini;
        ctx.RederiveTxMode(cfg);
        const fs::path path = dir / name;
        const ConfigFileResult saved = SaveConfigFile(path.string(), cfg, ctx);
        EXPECT_TRUE(saved.Ok) << saved.Error;
        return path;
    }

    fs::path dir;
    std::vector<std::unique_ptr<SimProcess>> sims;
    std::vector<fs::path> transcripts;
};

bool StartsWithAny(const std::vector<std::string>& lines, const std::string& start) {
    for (const auto& l : lines) {
        if (l.rfind(start, 0) == 0) {
            return true;
        }
    }
    return false;
}

// Transmitter -> file -> transmitter -> file: the configuration survives, and
// the second transmitter was given exactly what the first one held.
TEST_F(PortCommands, RoundTripThroughAFile) {
    // Big enough for labels past row 10 and every table; the full tables go
    // through the benchmark.
    const fs::path original =
        WriteConfig("original.txt", SampleConfig({16, 12, 24, 12, 8, 4, 6}), 153);
    SimProcess& first = StartSim({"--config", original.string()});
    const fs::path retrieved = dir / "retrieved.txt";
    const CliResult r = Cli(first, {"retrieve", "-o", retrieved.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("retrieved"));
    EXPECT_THAT(r.err, HasSubstr("Retrieving TAVIN Configuration"));
    // The retrieve reproduces the simulator's configuration line for line.
    EXPECT_EQ(ReadText(retrieved), ReadText(original));
    EXPECT_THAT(Received(0), Contains("SSX=*?"));

    SimProcess& second = StartSim({});
    const CliResult s = Cli(second, {"send", retrieved.string()});
    ASSERT_EQ(s.exitCode, 0) << s.err;
    EXPECT_THAT(s.err, HasSubstr("Sending TAVIN Configuration"));
    const std::vector<std::string> sent = Received(1);
    EXPECT_THAT(sent, Contains("DTX"));
    EXPECT_THAT(sent, Contains("TCH=95,300"));
    EXPECT_THAT(sent, Contains("SLX=15,W015"));
    EXPECT_THAT(sent, Contains("CFS"));
    EXPECT_THAT(sent, Not(Contains("ETX")));

    const fs::path again = dir / "again.txt";
    const CliResult r2 = Cli(second, {"retrieve", "-o", again.string()});
    ASSERT_EQ(r2.exitCode, 0) << r2.err;
    EXPECT_EQ(ReadText(again), ReadText(original));

    // The state and status commands on the same transmitter.
    const CliResult status = Cli(second, {"status"});
    ASSERT_EQ(status.exitCode, 0) << status.err;
    EXPECT_THAT(status.out, HasSubstr("1.53"));
    EXPECT_THAT(status.out, HasSubstr("1234ABCE"));
    EXPECT_THAT(status.out, HasSubstr("Disabled"));
}

TEST_F(PortCommands, RefusalsAndSilence) {
    const fs::path file = WriteConfig("config.txt", SampleConfig({4, 2, 4, 2, 1, 1, 1}), 153);

    SimProcess& err = StartSim({"--err", "TWL"});
    const CliResult refused = Cli(err, {"send", file.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.err, HasSubstr("Error With Command \"TWL=10\""));
    EXPECT_THAT(Received(0), Not(Contains("CFS")));
    EXPECT_THAT(Received(0), Not(Contains("TPR=Short")));

    SimProcess& inv = StartSim({"--inv", "TDP"});
    const CliResult invalid = Cli(inv, {"send", file.string()});
    EXPECT_EQ(invalid.exitCode, 1);
    EXPECT_THAT(invalid.err, Not(HasSubstr("Error With Command")));
    EXPECT_THAT(invalid.err, HasSubstr("INV"));
    EXPECT_THAT(Received(1), Not(Contains("CFS")));
    EXPECT_THAT(Received(1), Not(Contains("RDP=CLEAR")));

    // Silence: the first command goes out three times, then the link is
    // declared dead.
    SimProcess& silent = StartSim({"--silent", "1000"});
    const CliResult dead = Cli(silent, {"retrieve", "-o", (dir / "none.txt").string()});
    EXPECT_EQ(dead.exitCode, 2);
    EXPECT_THAT(dead.err, HasSubstr("COMMUNICATION TIMED OUT"));
    EXPECT_FALSE(fs::exists(dir / "none.txt"));
    const auto lines = Received(2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "ARG?"), 3);

    // No port, bad options and bad files.
    EXPECT_EQ(
        RunProgram(TAVIN_CLI_PROGRAM, {"--port", (dir / "absent").string(), "status"}).exitCode, 2);
    EXPECT_EQ(RunProgram(TAVIN_CLI_PROGRAM, {"--port", "0", "status"}).exitCode, 2);
    EXPECT_EQ(Cli(err, {"send", (dir / "missing.txt").string()}).exitCode, 3);
    EXPECT_EQ(Cli(err, {"clock", "--set", "25:00:00 01/01/2024"}).exitCode, 3);
    EXPECT_EQ(Cli(err, {"utc", "--set", "+5"}).exitCode, 3);
    EXPECT_EQ(Cli(err, {"retrieve"}).exitCode, 3);
    EXPECT_EQ(Cli(err, {"frobnicate"}).exitCode, 3);
    // None of those reached the transmitter.
    EXPECT_THAT(Received(0), Not(Contains("TIM=25:00:00")));
}

TEST_F(PortCommands, ArgosAndGoes) {
    XmtrConfig argos = SampleConfig({3, 2, 1, 2, 2, 0, 0});
    argos.RandomTx.ArgosEnabled = true;
    argos.RandomTx.ScdEnabled = true;
    argos.PlatformIdArgos = "ABC77";
    argos.RandomTx.ArgosChannel = "D17+S55";
    argos.RandomTx.ArgosInterval = 90;
    argos.RandomTx.ArgosRepeatCount = 4;
    argos.RandomTx.DataSource = 0;
    argos.RandomTx.ArgosDataPack[0] = 5;
    argos.RandomTx.ArgosDataPack[1] = 7;
    const fs::path file = WriteConfig("argos.txt", argos, 153);

    SimProcess& goes = StartSim({});
    const CliResult sent = Cli(goes, {"send", file.string()});
    ASSERT_EQ(sent.exitCode, 0) << sent.err;
    const auto lines = Received(0);
    EXPECT_THAT(lines, Contains("ARG=1"));
    EXPECT_THAT(lines, Contains("SCD=1"));
    EXPECT_THAT(lines, Contains("AID=ABC77"));
    EXPECT_THAT(lines, Contains("ADP=1,7"));
    EXPECT_FALSE(StartsWithAny(lines, "NID="));

    // Read back: the transmitter is now in ARGOS & SCD mode.
    const fs::path back = dir / "back.txt";
    const CliResult r = Cli(goes, {"retrieve", "-o", back.string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto text = Lines(ReadText(back));
    EXPECT_THAT(text, Contains("ARG=1"));
    EXPECT_THAT(text, Contains("AID=ABC77"));
    EXPECT_THAT(text, Contains("ADP=0,5"));
    const CliResult status = Cli(goes, {"status"});
    EXPECT_THAT(status.out, HasSubstr("ARGOS & SCD"));
    EXPECT_THAT(status.out, HasSubstr("ABC77"));

    // Back to GOES: "ARG=0" and the GOES id.
    const fs::path goesFile = WriteConfig("goes.txt", SampleConfig({3, 2, 1, 2, 2, 0, 0}), 153);
    ASSERT_EQ(Cli(goes, {"send", goesFile.string()}).exitCode, 0);
    EXPECT_THAT(Received(0), Contains("NID=1234ABCE"));
    EXPECT_THAT(Cli(goes, {"status"}).out, HasSubstr("GOES"));
}

// Below 1.30 the tables go in the short forms without counts; from 1.30 in
// the X forms. The firmware is read from the transmitter first.
TEST_F(PortCommands, FirmwareDecidesTheForms) {
    struct Case {
        const char* firmware;
        bool extended;
    };
    std::size_t n = 0;
    for (const Case c : {Case{"1.25", false}, Case{"1.35", true}}) {
        SCOPED_TRACE(c.firmware);
        const XmtrConfig cfg =
            c.extended ? SampleConfig({12, 7, 20, 9, 6, 3, 4}) : ShortFormConfig();
        const fs::path file = WriteConfig(std::string("fw") + c.firmware + ".txt", cfg, 153);
        SimProcess& sim = StartSim({"--firmware", c.firmware});
        const CliResult sent = Cli(sim, {"send", file.string()});
        ASSERT_EQ(sent.exitCode, 0) << sent.err;
        const auto lines = Received(n);
        EXPECT_EQ(StartsWithAny(lines, "SSX="), c.extended);
        EXPECT_EQ(StartsWithAny(lines, "SS0="), !c.extended);
        EXPECT_EQ(StartsWithAny(lines, "SSN="), c.extended);
        EXPECT_EQ(StartsWithAny(lines, "CFB"), c.extended);
        const fs::path back = dir / (std::string("back") + c.firmware + ".txt");
        const CliResult r = Cli(sim, {"retrieve", "-o", back.string()});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto after = Received(n);
        EXPECT_THAT(after, Contains(c.extended ? "SSX=*?" : "SS*?"));
        const auto text = Lines(ReadText(back));
        EXPECT_EQ(StartsWithAny(text, "SSX=5,"), c.extended);
        EXPECT_EQ(StartsWithAny(text, "SS5="), !c.extended);
        ++n;
    }
}

TEST_F(PortCommands, StateCommands) {
    SimProcess& sim = StartSim({});
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* shown;
    };
    const Case cases[] = {
        {{"disable"}, 0, "TAVIN Disabled"},
        {{"check-config"}, 0, "Configuration OK"},
        {{"enable"}, 0, "TAVIN Enabled"},
        {{"check-config"}, 0, "TAVIN Enabled - Configuration OK"},
        {{"disable"}, 0, "TAVIN Disabled"},
        {{"enable-logger"}, 0, "TAVIN Logger Enabled"},
        {{"disable"}, 0, "TAVIN Disabled"},
        {{"clock", "--set", "10:20:30 05/06/2025"}, 0, "Clock Set"},
        {{"clock"}, 0, "05/06/2025"},
        {{"utc"}, 0, "UTC Is Not Set"},
        {{"utc", "--set", "-13"}, 0, "UTC Set"},
        {{"utc"}, 0, "-13 (Manual Set)"},
        {{"clock", "--set-pc"}, 0, "Clock Set"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliResult r = Cli(sim, c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_THAT(r.out, HasSubstr(c.shown));
    }
    EXPECT_THAT(Received(0), Contains("TIM=10:20:30"));
    EXPECT_THAT(Received(0), Contains("UTC=-13"));

    // Refusals: an unset clock keeps the logger off; the check names why.
    SimProcess& unset = StartSim({"--clock-unset"});
    const CliResult logger = Cli(unset, {"enable-logger"});
    EXPECT_EQ(logger.exitCode, 1);
    EXPECT_THAT(logger.err, HasSubstr("TAVIN Logger Not Enabled - Check Configuration"));
    const CliResult check = Cli(unset, {"check-config"});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_THAT(check.out, HasSubstr("ERROR - TIM Not Set"));
}

QJsonObject Json(const std::string& text) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return doc.object();
}

// The drift check: the transmitter against a golden file, as a cron job runs it.
TEST_F(PortCommands, VerifyReportsASettingChangedBehindTheOperatorsBack) {
    XmtrConfig cfg = SampleConfig({4, 2, 4, 2, 1, 1, 1});
    const fs::path golden = WriteConfig("golden.txt", cfg, 153);
    SimProcess& sim = StartSim({"--config", golden.string()});

    const CliResult same = Cli(sim, {"verify", golden.string()});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // Someone sets another timed channel at the station.
    XmtrConfig changed = cfg;
    changed.TimedTx.Channel = cfg.TimedTx.Channel + 1;
    const fs::path other = WriteConfig("changed.txt", changed, 153);
    ASSERT_EQ(Cli(sim, {"send", other.string()}).exitCode, 0);

    const CliResult drift = Cli(sim, {"verify", golden.string()});
    EXPECT_EQ(drift.exitCode, 1) << drift.err;
    EXPECT_EQ(drift.out, "TimedTx.Channel: " + std::to_string(cfg.TimedTx.Channel) + " -> " +
                             std::to_string(changed.TimedTx.Channel) + "\n");

    // --port after the command, JSON parsed back.
    const CliResult json =
        RunProgram(TAVIN_CLI_PROGRAM, {"verify", golden.string(), "--json", "--port", sim.Link()});
    EXPECT_EQ(json.exitCode, 1) << json.err;
    const QJsonObject doc = Json(json.out);
    EXPECT_FALSE(doc["equal"].toBool());
    const QJsonArray list = doc["differences"].toArray();
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list[0].toObject()["path"].toString(), "TimedTx.Channel");
    EXPECT_EQ(list[0].toObject()["new"].toInt(), changed.TimedTx.Channel);

    // A port number the preferences given with --ini map to the device.
    const fs::path ini = dir / "prefs.ini";
    std::ofstream(ini) << "[COMM]\nPort7=" << sim.Link() << "\n";
    const CliResult mapped =
        RunProgram(TAVIN_CLI_PROGRAM, {"retrieve", "-o", (dir / "r.txt").string(), "--ini",
                                       ini.string(), "--port", "7"});
    EXPECT_EQ(mapped.exitCode, 0) << mapped.err;
    EXPECT_EQ(RunProgram(TAVIN_CLI_PROGRAM, {"--port=7", "--ini=" + ini.string(), "config", "diff",
                                             golden.string(), (dir / "r.txt").string()})
                  .exitCode,
              3); // config commands take no port
    EXPECT_EQ(RunProgram(TAVIN_CLI_PROGRAM, {"config", "diff", other.string(),
                                             (dir / "r.txt").string(), "--ini", ini.string()})
                  .exitCode,
              0);

    // A golden file that cannot be read never reaches the port.
    const CliResult missing = Cli(sim, {"verify", (dir / "none.txt").string()});
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_THAT(missing.err, HasSubstr("none.txt"));
}

TEST_F(PortCommands, JsonResults) {
    SimProcess& sim = StartSim({});
    const QJsonObject status = Json(Cli(sim, {"status", "--json"}).out);
    EXPECT_THAT(status["firmware"].toString().toStdString(), ::testing::StartsWith("1.53"));
    EXPECT_EQ(status["mode"].toString(), "GOES");
    EXPECT_THAT(status["state"].toString().toStdString(), ::testing::StartsWith("Disabled"));
    for (const char* key : {"serialNumber", "platformId", "timeToNextTx", "nextTimedTx",
                            "timedBufferSize", "nextRandomTx", "randomBufferSize", "failsafe"}) {
        EXPECT_TRUE(status[key].isString()) << key;
    }

    const QJsonObject check = Json(Cli(sim, {"check-config", "--json"}).out);
    EXPECT_EQ(check, (QJsonObject{{"ok", true}, {"result", "Configuration OK"}}));

    // Two arguments for --set, and --set=VALUE with a negative number.
    EXPECT_EQ(Json(Cli(sim, {"clock", "--set", "10:20:30", "05/06/2025", "--json"}).out),
              (QJsonObject{{"ok", true}, {"result", "Clock Set"}}));
    const QJsonObject clock = Json(Cli(sim, {"clock", "--json"}).out);
    EXPECT_EQ(clock["date"].toString(), "05/06/2025");
    EXPECT_EQ(clock["time"].toString().size(), 8);

    const QJsonObject unset = Json(Cli(sim, {"utc", "--json"}).out);
    EXPECT_TRUE(unset["correction"].isNull());
    EXPECT_EQ(unset["messages"].toArray(), QJsonArray{"UTC Is Not Set"});
    EXPECT_EQ(Cli(sim, {"utc", "--set=-7"}).exitCode, 0);
    const QJsonObject utc = Json(Cli(sim, {"utc", "--json"}).out);
    EXPECT_EQ(utc["correction"].toInt(), -7);
    EXPECT_EQ(utc["source"].toString(), "Manual Set");
    EXPECT_THAT(Received(0), Contains("UTC=-7"));

    SimProcess& unsetClock = StartSim({"--clock-unset"});
    const CliResult refused = Cli(unsetClock, {"check-config", "--json"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(Json(refused.out), (QJsonObject{{"ok", false}, {"result", "ERROR - TIM Not Set"}}));
}

} // namespace
} // namespace tavin::test
