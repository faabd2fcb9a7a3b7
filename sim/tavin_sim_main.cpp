// tavin-sim: a simulated TAVIN transmitter on a pseudo-terminal.

#include "sim/PtyServer.h"
#include "sim/SimLog.h"
#include "sim/SimTransmitter.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) {
    gStop = 1;
}

const char* const kUsage =
    "Usage: tavin-sim --link PATH [options]\n"
    "A simulated TAVIN transmitter on a pseudo-terminal. PATH becomes a symbolic\n"
    "link to the terminal device; open it like a serial port (9600 8N1). The\n"
    "device path is printed on standard output. Stop with Ctrl-C or SIGTERM.\n"
    "\n"
    "Options:\n"
    "  --link PATH        create the link PATH to the terminal device\n"
    "  --config FILE      start with the settings of a configuration file\n"
    "  --transcript FILE  write every line received and sent, with times\n"
    "  --firmware X.YY    firmware version to report and behave as (default 1.53)\n"
    "  --password TEXT    refuse configuration changes until \"CFE=TEXT\"\n"
    "  --sleep-after MS   sleep after MS idle milliseconds (default 3000, 0 never)\n"
    "  --clock-unset      start with the clock not set (default: the PC's UTC time)\n"
    "  --log-days N       start with N days of typical log records before today\n"
    "                     (default 2, 0 for an empty log)\n"
    "  --pace             pace the output at 9600 baud\n"
    "Faults:\n"
    "  --err MNE          answer ERR to commands with mnemonic MNE (repeatable)\n"
    "  --inv MNE          answer INV to commands with mnemonic MNE (repeatable)\n"
    "  --silent N         do not answer the first N commands\n"
    "  --garble           replace the answer to every tenth command with noise\n"
    "  --chunked          send the output in small random pieces\n"
    "  --help, --version\n";

std::string Printable(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "tavin-sim: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tavin::sim;
    std::string link, configFile, transcriptFile, firmware, password;
    std::vector<std::string> errOn, invOn;
    int silent = 0;
    int logDays = 2;
    long sleepAfter = SimTransmitter::kDefaultSleepAfterMs;
    bool pace = false, garble = false, chunked = false, clockUnset = false;

    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                return false;
            }
            into = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--version") {
            std::printf("tavin-sim %s\n", TAVIN_VERSION);
            return 0;
        } else if (a == "--link" && value(link)) {
        } else if (a == "--config" && value(configFile)) {
        } else if (a == "--transcript" && value(transcriptFile)) {
        } else if (a == "--firmware" && value(firmware)) {
        } else if (a == "--password" && value(password)) {
        } else if (a == "--err" && value(v)) {
            errOn.push_back(v);
        } else if (a == "--inv" && value(v)) {
            invOn.push_back(v);
        } else if (a == "--log-days" && value(v)) {
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (end == v.c_str() || *end != '\0' || n < 0 || n > 366) {
                return Fail("--log-days takes a number of days from 0 to 366");
            }
            logDays = static_cast<int>(n);
        } else if ((a == "--silent" || a == "--sleep-after") && value(v)) {
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || n < 0 || n > 100000000) {
                return Fail(a + " needs a number, not \"" + v + "\"");
            }
            if (a == "--silent") {
                silent = static_cast<int>(n);
            } else {
                sleepAfter = n;
            }
        } else if (a == "--pace") {
            pace = true;
        } else if (a == "--garble") {
            garble = true;
        } else if (a == "--chunked") {
            chunked = true;
        } else if (a == "--clock-unset") {
            clockUnset = true;
        } else {
            std::fputs(kUsage, stderr);
            return Fail("unknown option or missing value: " + a);
        }
    }
    if (link.empty()) {
        std::fputs(kUsage, stderr);
        return Fail("--link PATH is required");
    }

    SimTransmitter sim;
    // The sensor log answers the log commands; it starts with a few days of
    // ordinary records so that a dump shows something straight away.
    SimLog log;
    if (logDays > 0) {
        constexpr std::int64_t kLogEpoch = 946684800; // 01/01/2000 00:00:00 UTC
        const std::int64_t today =
            (static_cast<std::int64_t>(std::time(nullptr)) - kLogEpoch) / 86400 * 86400;
        log.AddTypicalDays(static_cast<std::uint32_t>(today - std::int64_t(logDays) * 86400),
                           logDays);
    }
    sim.SetLogResponder([&log](std::string_view line) {
        auto answer = log.Answer(line);
        return answer ? *answer : std::vector<std::string>{"ERR"};
    });
    if (!firmware.empty() && !sim.SetFirmwareVersion(firmware)) {
        return Fail("firmware version must look like 1.53, not \"" + firmware + "\"");
    }
    // Firmware with the extended tables sends filtered records expanded.
    log.SetExpandedFilteredDump(sim.FirmwareLevel() >= 130);
    sim.SetSleepAfterMs(sleepAfter);
    sim.SetPaced(pace);
    if (!password.empty()) {
        sim.SetPassword(password);
    }
    if (clockUnset) {
        sim.Clock().Unset();
    } else {
        std::time_t t = std::time(nullptr);
        std::tm utc{};
        gmtime_r(&t, &utc);
        sim.Clock().Set(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                        utc.tm_sec, 0);
        sim.Commands().Unit().gpsTime = sim.Clock();
    }
    if (!configFile.empty()) {
        std::string text;
        if (!ReadFile(configFile, text)) {
            return Fail("cannot read " + configFile + ": " + std::strerror(errno));
        }
        std::vector<std::string> refused;
        if (!sim.LoadConfiguration(text, &refused)) {
            for (const auto& r : refused) {
                std::fprintf(stderr, "tavin-sim: %s: refused %s\n", configFile.c_str(), r.c_str());
            }
        }
    }

    std::FILE* transcript = nullptr;
    if (!transcriptFile.empty()) {
        transcript = std::fopen(transcriptFile.c_str(), "w");
        if (!transcript) {
            return Fail("cannot write " + transcriptFile + ": " + std::strerror(errno));
        }
        sim.SetTranscript([transcript](std::int64_t nowMs, char dir, std::string_view text) {
            std::fprintf(transcript, "%10.3f %c %s\n", static_cast<double>(nowMs) / 1000.0, dir,
                         Printable(text).c_str());
            std::fflush(transcript);
        });
    }

    for (const auto& m : errOn) {
        sim.Inject(ErrOn{m});
    }
    for (const auto& m : invOn) {
        sim.Inject(InvOn{m});
    }
    if (silent > 0) {
        sim.Inject(NoAnswer{silent});
    }
    if (garble) {
        sim.Inject(Garble{0, 24, static_cast<std::uint32_t>(std::time(nullptr)), 10});
    }
    if (chunked) {
        sim.Inject(Chunked{7, 15, static_cast<std::uint32_t>(std::time(nullptr))});
    }

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    PtyServer server(sim);
    std::string error;
    if (!server.Open(link, error)) {
        if (transcript) {
            std::fclose(transcript);
        }
        std::fprintf(stderr, "tavin-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", server.DevicePath().c_str());
    std::fflush(stdout);
    int rc = server.Serve(gStop);
    server.Close();
    if (transcript) {
        std::fclose(transcript);
    }
    return rc;
}
