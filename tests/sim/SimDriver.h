#pragma once
// Drives a SimTransmitter in virtual time for the tests: sends command lines
// and collects the answer, split into lines.

#include "sim/SimTransmitter.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::sim::testing {

// Splits an answer at "\r\n"; the bare prompt stays as the last piece.
inline std::vector<std::string> SplitAnswer(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

struct SimDriver {
    SimTransmitter sim;
    std::int64_t now = 1000;

    // Sends bytes `gapMs` after the previous exchange and returns all that the
    // transmitter sends in answer.
    std::string Raw(std::string_view bytes, std::int64_t gapMs = 20) {
        now += gapMs;
        sim.Receive(bytes, now);
        return Drain();
    }
    // Everything the transmitter sends from now on, stepping virtual time
    // while output is waiting.
    std::string Drain() {
        std::string out;
        for (int guard = 0; guard < 100000; ++guard) {
            out += sim.Poll(now);
            std::int64_t next = sim.NextOutputMs();
            if (next < 0) {
                break;
            }
            now = next > now ? next : now;
        }
        return out;
    }
    // Lets time pass, then wakes the transmitter as the utility does after
    // a silence: a lone carriage return.
    void Wait(std::int64_t ms) {
        now += ms;
        Raw("\r", 0);
    }
    std::vector<std::string> Ask(std::string_view line, std::int64_t gapMs = 20) {
        return SplitAnswer(Raw(std::string(line) + "\r", gapMs));
    }
    // The reply lines only: echo and prompt checked and taken away.
    std::vector<std::string> Reply(std::string_view line) {
        std::vector<std::string> lines = Ask(line);
        if (lines.size() < 2 || lines.front() != line || lines.back() != ">") {
            return {"<malformed answer>"};
        }
        return {lines.begin() + 1, lines.end() - 1};
    }
    std::string One(std::string_view line) {
        std::vector<std::string> r = Reply(line);
        return r.size() == 1 ? r[0] : "<" + std::to_string(r.size()) + " lines>";
    }
};

} // namespace tavin::sim::testing
