#pragma once
// A link on the virtual clock with a scripted transmitter at the far end,
// the port open and the pump running, as after the main window has shown.

#include "common/VirtualClock.h"
#include "link/TransmitterLink.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tavin::test {

// What the transmitter sends for one command: the echo, the lines, the prompt.
inline std::string Answer(std::string_view echo, std::initializer_list<std::string_view> lines) {
    std::string out(echo);
    out += "\r\n";
    for (auto l : lines) {
        out += l;
        out += "\r\n";
    }
    return out + ">";
}

class LinkFixture : public ::testing::Test {
protected:
    LinkFixture() : link(clock.Link()) {
        clock.AttachPeer(&peer);
        clock.OpenPort();
        clock.StartPump();
        link.DebugTrace = true;
    }

    // The commands the link wrote, without the wake-up carriage returns.
    std::vector<std::string> SentCommands() const {
        std::vector<std::string> out;
        for (const auto& w : clock.writes) {
            if (w.bytes != "\r") {
                out.push_back(w.bytes);
            }
        }
        return out;
    }
    // The time of the n-th write of exactly these bytes, or -1.
    std::int64_t WriteTime(const std::string& bytes, int nth = 0) const {
        for (const auto& w : clock.writes) {
            if (w.bytes == bytes && nth-- == 0) {
                return w.atMs;
            }
        }
        return -1;
    }
    // Lines that reached the configuration parsers.
    void RecordParsedLines() {
        link.ReplyParsers = {[this](const std::string& l) { parsed.push_back(l); }};
    }

    VirtualClock clock;
    ScriptedPeer peer;
    TransmitterLink& link;
    std::vector<std::string> parsed;
};

} // namespace tavin::test
