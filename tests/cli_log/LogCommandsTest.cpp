// tavin-cli reads, filters and erases the log that tavin-sim keeps, over a
// real pseudo-terminal. What comes back is checked against the simulator's
// own log, built again here as the program built it: the raw bytes line for
// line, and the decoded records in order with their text.
#include "cli_port/CliRun.h"
#include "common/LogLines.h"
#include "common/SimProcess.h"
#include "datalog/SavedHexLog.h"
#include "datalog/TLOG_REC.h"
#include "sim/SimLog.h"

#include <gmock/gmock.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace tavin::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
namespace fs = std::filesystem;
using Kind = sim::SimLog::Kind;

constexpr std::int64_t kLogEpoch = 946684800; // 01/01/2000 00:00:00 UTC
constexpr std::uint32_t kDay = 86400;

// The first second of today in log time, as tavin-sim takes it.
std::uint32_t LogToday() {
    return static_cast<std::uint32_t>((std::time(nullptr) - kLogEpoch) / kDay * kDay);
}

// "mm/dd/yyyy,hh:mm:ss" of a log time.
std::string FilterTime(std::uint32_t seconds) {
    const std::time_t t = static_cast<std::time_t>(kLogEpoch + seconds);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char buf[80];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d,%02d:%02d:%02d", utc.tm_mon + 1, utc.tm_mday,
                  utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return buf;
}

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
        out.push_back(line);
    }
    return out;
}

// The labels the simulated transmitter is configured with, and others a
// configuration file brings.
constexpr char kSimConfig[] = "SLX=0,LVL\r\nSLX=1,WIND\r\nILX=0,BATT\r\nILX=1,TEMP\r\n"
                              "ILX=2,RAIN\r\nTBM=0.1\r\nCFS\r\n";
constexpr char kOtherLabels[] = "SLX=0,STAG\r\nILX=2,PRCP\r\nTBM=0.5\r\nCFS\r\n";

// The record lines a window shows for a log: labels and bucket multiplier
// as given, every record numbered from 00001.
std::vector<std::string>
Decoded(sim::SimLog& log, const std::vector<std::pair<int, std::string>>& labels, int multiplier) {
    TLOG_REC rec;
    for (const auto& [index, label] : labels) {
        rec.SetSensorLabel(index, label);
    }
    rec.SetBucketMultiplier(multiplier);
    return DecodeSavedHexLog(*log.Answer("LHD?"), rec).records;
}

const std::vector<std::pair<int, std::string>> kSimLabels = {
    {0, "LVL"}, {1, "WIND"}, {64, "BATT"}, {65, "TEMP"}, {66, "RAIN"}};
constexpr int kMultiplierTenth = 4; // 0.1

// The records of the full dump that pass a filter, without their numbers.
std::vector<std::string> Passing(const std::vector<std::string>& records, const sim::SimLog& log,
                                 const std::function<bool(const sim::SimLog::Entry&)>& passes) {
    std::vector<std::string> out;
    const auto& entries = log.Entries();
    EXPECT_EQ(records.size(), entries.size());
    for (std::size_t i = 0; i < std::min(records.size(), entries.size()); ++i) {
        if (passes(entries[i])) {
            out.push_back(records[i].substr(6));
        }
    }
    return out;
}

class LogCommands : public ::testing::Test {
protected:
    LogCommands() {
        dir = fs::temp_directory_path() /
              ("tavin-cli-log-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        simConfig = Write("sim-config.txt", kSimConfig);
    }
    ~LogCommands() override {
        sim.reset();
        fs::remove_all(dir);
    }

    fs::path Write(const std::string& name, const std::string& text) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Starts tavin-sim with `days` of typical records and builds the same log
    // here; a start that straddles midnight is done again.
    void StartSim(int days, std::vector<std::string> args) {
        args.insert(args.end(), {"--config", simConfig.string(), "--log-days", std::to_string(days),
                                 "--transcript", transcript().string()});
        for (int attempt = 0; attempt < 3; ++attempt) {
            const std::uint32_t before = LogToday();
            sim = std::make_unique<SimProcess>();
            std::string error;
            ASSERT_TRUE(sim->Start(TAVIN_SIM_PROGRAM, args, error)) << error;
            if (LogToday() == before) {
                logStart = before - static_cast<std::uint32_t>(days) * kDay;
                log = sim::SimLog();
                log.AddTypicalDays(logStart, days);
                return;
            }
        }
        FAIL() << "the clock kept crossing midnight";
    }

    fs::path transcript() const { return dir / "sim.log"; }
    // The lines the simulator received, and its notes ("ESC").
    std::vector<std::string> Heard() const {
        std::vector<std::string> out;
        for (const std::string& line : Lines(ReadText(transcript()))) {
            for (const char* mark : {" R ", " * "}) {
                if (const auto at = line.find(mark); at != std::string::npos) {
                    out.push_back(line.substr(at + 3));
                }
            }
        }
        return out;
    }

    CliResult Cli(std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", sim->Link(), "log"});
        return RunProgram(TAVIN_CLI_PROGRAM, args);
    }
    // Through the shell, for what goes on standard input or signals.
    CliResult Shell(const std::string& script) { return RunProgram("/bin/sh", {"-c", script}); }
    // Runs the command in the background and sends it Ctrl-C a second after
    // its retrieval has started.
    CliResult Interrupted(const std::string& rest) {
        const std::string err = (dir / "interrupted.err").string();
        return Shell("rm -f '" + err + "'; " + CliLine(rest) + " 2>'" + err +
                     "' & p=$!; i=0; until grep -q Retrieving '" + err +
                     "' || [ $i -gt 300 ]; do sleep 0.1; i=$((i+1)); done; sleep 1; " +
                     "kill -INT $p; wait $p; r=$?; cat '" + err + "' >&2; exit $r");
    }
    std::string CliLine(const std::string& rest) const {
        return std::string("'") + TAVIN_CLI_PROGRAM + "' --port '" + sim->Link() + "' log " + rest;
    }

    fs::path dir;
    fs::path simConfig;
    std::unique_ptr<SimProcess> sim;
    sim::SimLog log;
    std::uint32_t logStart = 0;
};

TEST_F(LogCommands, AFullDumpBringsBackEveryRecordInOrder) {
    StartSim(2, {});
    const std::vector<std::string> expected = Decoded(log, kSimLabels, kMultiplierTenth);
    ASSERT_EQ(expected.size(), log.Entries().size());
    ASSERT_GT(expected.size(), 1000u);

    const CliResult r = Cli({"dump"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Lines(r.out), expected);
    EXPECT_THAT(r.err, HasSubstr("Retrieving Sensor Log"));
    EXPECT_THAT(r.err, HasSubstr("Log Retrieval Complete (" + std::to_string(expected.size()) +
                                 " records)"));
    // A full dump clears the filters first.
    const std::vector<std::string> heard = Heard();
    const std::vector<std::string> clears = {"LFB=*", "LFA=*", "LFT=*", "LFS=*", "LFI=*", "LHD?"};
    EXPECT_NE(std::search(heard.begin(), heard.end(), clears.begin(), clears.end()), heard.end());

    // The raw hex is the simulator's memory, line for line; saved, it decodes
    // to the same records with the labels of the configuration file.
    const fs::path hex = dir / "log.hex";
    const CliResult h = Cli({"dump", "--hex", "-o", hex.string()});
    ASSERT_EQ(h.exitCode, 0) << h.err;
    EXPECT_TRUE(h.out.empty());
    std::vector<std::string> saved = Lines(ReadText(hex));
    if (!saved.empty() && saved.back() == std::string(32, 'F')) {
        saved.pop_back(); // the prompt of a log that fills its last line
    }
    EXPECT_EQ(saved, *log.Answer("LHD?"));
    const CliResult d = RunProgram(TAVIN_CLI_PROGRAM,
                                   {"log", "decode", hex.string(), "--labels", simConfig.string()});
    ASSERT_EQ(d.exitCode, 0) << d.err;
    EXPECT_EQ(Lines(d.out), expected);

    // Labels from a configuration file win over the transmitter's.
    const fs::path other = Write("other.txt", kOtherLabels);
    const CliResult l = Cli({"dump", "--labels", other.string(), "-o", (dir / "l.txt").string()});
    ASSERT_EQ(l.exitCode, 0) << l.err;
    EXPECT_EQ(Lines(ReadText(dir / "l.txt")), Decoded(log, {{0, "STAG"}, {66, "PRCP"}}, 7));
}

TEST_F(LogCommands, FilteredDumpsShowThePassingRecords) {
    StartSim(2, {});
    const std::vector<std::string> all = Decoded(log, kSimLabels, kMultiplierTenth);

    // Events only, through a port number that the preferences map.
    const fs::path ini = Write("prefs.ini", "[COMM]\nPort7=" + sim->Link() + "\n");
    const CliResult events = RunProgram(TAVIN_CLI_PROGRAM, {"--port", "7", "log", "dump", "--type",
                                                            "Event", "--ini", ini.string()});
    ASSERT_EQ(events.exitCode, 0) << events.err;
    const auto expectedEvents =
        Passing(all, log, [](const auto& e) { return e.kind == Kind::Event; });
    EXPECT_EQ(Unnumbered(Lines(events.out)), expectedEvents);
    EXPECT_GT(expectedEvents.size(), 10u);
    EXPECT_THAT(Heard(), ::testing::Contains("LFT=E"));

    // Sensors of both kinds after a time: the events pass the sensor lists.
    const std::uint32_t after = logStart + kDay + 43200;
    const CliResult sensors =
        Cli({"dump", "--sdi12", "0", "--internal", "1-2", "--after", FilterTime(after)});
    ASSERT_EQ(sensors.exitCode, 0) << sensors.err;
    const auto expectedSensors = Passing(all, log, [&](const sim::SimLog::Entry& e) {
        if (e.time < after) {
            return false;
        }
        if (e.kind == Kind::Event) {
            return true;
        }
        return e.internalSensor ? e.number == 1 || e.number == 2 : e.number == 0;
    });
    EXPECT_EQ(Unnumbered(Lines(sensors.out)), expectedSensors);
    EXPECT_GT(expectedSensors.size(), 100u);

    // Data of every SDI-12 sensor and no internal one, up to a time, saved.
    const std::uint32_t before = logStart + 3 * 3600;
    const fs::path out = dir / "early.txt";
    const CliResult early = Cli({"dump", "--type", "data", "--sdi12", "all", "--before",
                                 FilterTime(before), "-o", out.string()});
    ASSERT_EQ(early.exitCode, 0) << early.err;
    EXPECT_TRUE(early.out.empty());
    const auto expectedEarly = Passing(all, log, [&](const sim::SimLog::Entry& e) {
        return e.time <= before && e.kind != Kind::Event && !e.internalSensor;
    });
    EXPECT_EQ(Unnumbered(Lines(ReadText(out))), expectedEarly);
    EXPECT_GT(expectedEarly.size(), 20u);
    EXPECT_TRUE(std::any_of(expectedEarly.begin(), expectedEarly.end(), [](const std::string& l) {
        return l.find(" MAX") != std::string::npos;
    }));
}

TEST_F(LogCommands, ClearErasesOnlyWhenConfirmed) {
    StartSim(2, {});
    // "n" and no answer at all keep the log; the port is not even opened.
    for (const char* input : {"echo n", "true"}) {
        const CliResult no = Shell(std::string(input) + " | " + CliLine("clear"));
        EXPECT_EQ(no.exitCode, 3) << input;
        EXPECT_THAT(no.err, HasSubstr("Do you want to continue?"));
        EXPECT_THAT(no.err, HasSubstr("Log Erase Cancelled"));
    }
    EXPECT_THAT(Heard(), Not(::testing::Contains("LOG=CLEAR")));

    const CliResult yes = Shell("echo yes | " + CliLine("clear"));
    ASSERT_EQ(yes.exitCode, 0) << yes.err;
    EXPECT_THAT(yes.err, HasSubstr("Log Erase Complete"));
    EXPECT_THAT(Heard(), ::testing::Contains("LOG=CLEAR"));

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"dump"}, std::vector<std::string>{"dump", "--type", "Event"}}) {
        const CliResult empty = Cli(args);
        ASSERT_EQ(empty.exitCode, 0) << empty.err;
        EXPECT_TRUE(empty.out.empty()) << empty.out;
        EXPECT_THAT(empty.err, HasSubstr("Log Empty"));
    }

    const CliResult again = Cli({"clear", "--yes"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_THAT(again.err, Not(HasSubstr("continue?")));
}

TEST_F(LogCommands, SilenceRefusalsAndBadInput) {
    StartSim(1, {"--silent", "1000"});
    const fs::path none = dir / "none.txt";
    const CliResult dead = Cli({"dump", "-o", none.string()});
    EXPECT_EQ(dead.exitCode, 2);
    EXPECT_THAT(dead.err, HasSubstr("COMMUNICATION TIMED OUT"));
    EXPECT_FALSE(fs::exists(none));
    const CliResult deadClear = Cli({"clear", "--yes"});
    EXPECT_EQ(deadClear.exitCode, 2);

    StartSim(1, {"--err", "LHD", "--err", "LFA", "--err", "LOG"});
    const CliResult noDump = Cli({"dump", "-o", none.string()});
    EXPECT_EQ(noDump.exitCode, 1);
    EXPECT_THAT(noDump.err, HasSubstr("refused \"LHD?\""));
    EXPECT_FALSE(fs::exists(none));
    // A refused filter shows nothing rather than records it did not select.
    const CliResult noFilter = Cli({"dump", "--type", "Event", "--after", "01/01/2024"});
    EXPECT_EQ(noFilter.exitCode, 1);
    EXPECT_THAT(noFilter.err, HasSubstr("Log Dump Error"));
    EXPECT_THAT(noFilter.err, HasSubstr("refused \"LFA=01/01/2024,00:00:00\""));
    EXPECT_TRUE(noFilter.out.empty()) << noFilter.out;
    const CliResult noClear = Cli({"clear", "--yes"});
    EXPECT_EQ(noClear.exitCode, 1);
    EXPECT_THAT(noClear.err, HasSubstr("Log Erase Error"));

    // Bad input is exit 3, and nothing is sent for what can be checked
    // before the port opens.
    const std::size_t heardBefore = Heard().size();
    const std::vector<std::vector<std::string>> bad = {
        {"dump", "--sdi12", "5-2"},
        {"dump", "--internal", "1,,2"},
        {"dump", "--before", "13/01/2024"},
        {"dump", "--after", "01/01/2024,25:00:00"},
        {"dump", "--type", "Both"},
        {"dump", "--bogus"},
        {"dump", "-o"},
        {"dump", "-o", (dir / "no" / "such" / "x.txt").string()},
        {"dump", "--labels", (dir / "missing.txt").string()},
        {"dump", "--ini", (dir / "missing.ini").string()},
        {"clear", "--hex"},
        {"erase"},
        {},
    };
    for (const auto& args : bad) {
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 3) << ::testing::PrintToString(args) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(Heard().size(), heardBefore);
    // A sensor the transmitter does not have is found once it has told.
    const CliResult past = Cli({"dump", "--sdi12", "0,12"});
    EXPECT_EQ(past.exitCode, 3);
    EXPECT_THAT(past.err, HasSubstr("sensors 0 to 9"));
    EXPECT_THAT(Heard(), Not(::testing::Contains("LHF?")));
}

TEST_F(LogCommands, AtLineSpeedAndStoppedWithCtrlC) {
    StartSim(2, {"--pace"});
    const std::vector<std::string> expected = Decoded(log, kSimLabels, kMultiplierTenth);
    const CliResult paced = Cli({"dump"});
    ASSERT_EQ(paced.exitCode, 0) << paced.err;
    EXPECT_EQ(Lines(paced.out), expected);

    // Ctrl-C halfway: the abort bytes stop the transmitter, the lines shown
    // are the log's first ones, the output file is not written.
    const fs::path out = dir / "partial.txt";
    const CliResult stopped = Interrupted("dump -o '" + out.string() + "'");
    EXPECT_EQ(stopped.exitCode, 130) << stopped.err;
    EXPECT_THAT(stopped.err, HasSubstr("Log Dump Aborted"));
    EXPECT_FALSE(fs::exists(out));
    const std::vector<std::string> heard = Heard();
    const auto lastDump = std::find(heard.rbegin(), heard.rend(), "LHD?");
    ASSERT_NE(lastDump, heard.rend());
    // The abort went out after the dump's command, which is not sent again.
    EXPECT_NE(std::find(heard.rbegin(), lastDump, "ESC"), lastDump);

    const CliResult shown = Interrupted("dump");
    EXPECT_EQ(shown.exitCode, 130) << shown.err;
    const std::vector<std::string> partial = Lines(shown.out);
    ASSERT_LT(partial.size(), expected.size());
    EXPECT_TRUE(std::equal(partial.begin(), partial.end(), expected.begin()));

    // The transmitter answers again straight away.
    const CliResult after = Cli({"dump", "--type", "Event"});
    ASSERT_EQ(after.exitCode, 0) << after.err;
    EXPECT_EQ(Unnumbered(Lines(after.out)),
              Passing(expected, log, [](const auto& e) { return e.kind == Kind::Event; }));
}

} // namespace
} // namespace tavin::test
