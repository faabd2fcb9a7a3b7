// The link engine driven by a script of events: bytes from the line (noise,
// prompts, echoes, endless lines), ticks of both timers, commands queued,
// handlers installed and removed, the port opening, closing and going away.
// Nothing may crash, and what the engine keeps stays bounded.

#include "FuzzInput.h"
#include "link/LinkHost.h"
#include "link/TransmitterLink.h"
#include "link/WindowMessages.h"

using namespace tavin;

namespace {

class ScriptHost : public LinkHost {
public:
    void SetTimerInterval(LinkTimer, int) override {}
    void EnableTimer(LinkTimer, bool) override {}
    bool PortOpen() const override { return open; }
    void WritePort(std::string_view bytes) override { written += bytes.size(); }
    void PostWindowMessage(int, int) override { ++posted; }
    void SendWindowMessage(int, int) override { ++sent; }
    void ShowIndicator(IndicatorLook) override {}
    void AppendTrace(std::string_view) override {}
    void ShowCommandInProgressBox(std::string_view) override {}
    void ShowReplyFeedback(std::string_view) override {}
    void ShowRingGauge(int value) override {
        if (value < 0 || value > 1023) {
            __builtin_trap();
        }
    }
    void RefreshSensorViews() override {}
    void RestartConfigureSequence() override { ++restarts; }
    void RestartRetrieveSequence() override { ++restarts; }

    bool open = true;
    std::size_t written = 0;
    int posted = 0, sent = 0, restarts = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    ScriptHost host;
    TransmitterLink link(host);
    link.PortOpened();
    std::size_t handled = 0;
    link.ReplyParsers.push_back([&handled](const std::string& line) { handled += line.size(); });
    while (!in.Empty()) {
        const std::uint8_t op = in.Byte();
        switch (op % 12) {
        case 0:
        case 1:
        case 2:
            link.ComPortTriggerAvail(in.Take(op / 12 + 1));
            break;
        case 3:
            link.XmitReplyTimerTimer();
            break;
        case 4:
            link.CommTimerTimer();
            break;
        case 5:
            link.QueueCommand(std::string(in.Take(op / 12 % 8)));
            break;
        case 6:
            link.ReleaseCurrentCommand();
            break;
        case 7:
            link.LoadEndMarker = std::string(in.Take(op / 12 % 6));
            break;
        case 8:
            link.ConfiguringAll = op & 16;
            link.RetrievingAll = op & 32;
            link.SuppressWake = op & 64;
            break;
        case 9:
            // A handler that removes itself at the prompt, as operations do.
            if (op & 16) {
                link.OperationHandler = [&link](const std::string& line) {
                    if (line == ">") {
                        link.OperationHandler = nullptr;
                    }
                };
            } else {
                link.ReplyHandler =
                    (op & 32) ? TransmitterLink::LineHandler{} : [&link](const std::string& line) {
                        if (line.find("OK") != std::string::npos) {
                            link.QueueCommand("ARG?");
                        }
                    };
            }
            break;
        case 10:
            switch (op / 12 % 4) {
            case 0:
                host.open = true;
                link.ResetReceiveRing();
                link.PortOpened();
                break;
            case 1:
                link.PortClosed();
                break;
            case 2:
                host.open = false;
                link.PortLost();
                break;
            default:
                link.ResetRetries();
                break;
            }
            break;
        default:
            for (int i = 0; i < op / 12 % 40; ++i) {
                link.XmitReplyTimerTimer();
                link.CommTimerTimer();
            }
            break;
        }
        if (link.PartialLine().size() > TransmitterLink::kMaxLineLength) {
            __builtin_trap();
        }
    }
    return 0;
}
