// Opening the port, its messages, the device names of port numbers, and the
// readiness check.
#include "common/VirtualClock.h"
#include "link/ComPortControl.h"
#include "link/TransmitterLink.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include <unistd.h>

namespace tavin::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FakeDevice : public SerialDevice {
public:
    std::map<std::string, PortOpenResult> failures; // by device path
    std::vector<std::string> opened;
    int flushes = 0;
    bool open = false;

    PortOpenResult Open(const std::string& device) override {
        opened.push_back(device);
        auto f = failures.find(device);
        if (f != failures.end()) {
            return f->second;
        }
        open = true;
        return {};
    }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    void Flush() override { ++flushes; }
};

class FakeHost : public ComPortHost {
public:
    std::vector<std::string> errors;
    std::string status;
    int autoPolls = 0;
    int menuItem = -1;

    bool watching = false;
    int readies = 0;
    std::vector<int> reopened;

    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    void ShowCommStatus(const std::string& text) override { status = text; }
    void ConfigureAutoPoll() override { ++autoPolls; }
    void CheckComMenuItem(int port) override { menuItem = port; }
    void PortReady() override { ++readies; }
    void WatchLostPort(bool on) override { watching = on; }
    void PortReopened(int port) override { reopened.push_back(port); }
};

class PortControl : public ::testing::Test {
protected:
    PortControl() : link(clock.Link()), control(link, device, host) {
        control.Preferences = [this](const std::string& section, const std::string& key) {
            auto v = prefs.find(section + "/" + key);
            return v == prefs.end() ? std::nullopt : std::optional<std::string>(v->second);
        };
    }
    VirtualClock clock;
    TransmitterLink& link;
    FakeDevice device;
    FakeHost host;
    ComPortControl control;
    std::map<std::string, std::string> prefs;
};

TEST_F(PortControl, PortNumbersMapToDevices) {
    prefs["COMM/Port3"] = "/dev/ttyUSB0";
    prefs["COMM/Port4"] = "  ";
    EXPECT_EQ(PortDeviceName(1, control.Preferences, false), "/dev/ttyS0");
    EXPECT_EQ(PortDeviceName(3, control.Preferences, false), "/dev/ttyUSB0");
    EXPECT_EQ(PortDeviceName(4, control.Preferences, false), "/dev/ttyS3");
    EXPECT_EQ(PortDeviceName(12, nullptr, false), "/dev/ttyS11");
    EXPECT_EQ(PortDeviceName(3, control.Preferences, true), "COM3");
}

TEST_F(PortControl, OpeningAPortMakesTheLinkReady) {
    link.QueueCommand("stale");
    link.ComPortTriggerAvail("old bytes");
    EXPECT_TRUE(control.InitComPort(2));
    EXPECT_THAT(device.opened, ElementsAre("/dev/ttyS1"));
    EXPECT_EQ(device.flushes, 1);
    EXPECT_TRUE(link.PortReady());
    EXPECT_TRUE(link.ListXmitCmd.empty());
    EXPECT_TRUE(link.Ring().Empty());
    EXPECT_EQ(host.status, "COM2");
    EXPECT_EQ(clock.indicator, IndicatorLook::Ok);
    EXPECT_EQ(host.menuItem, 2);
    EXPECT_EQ(host.autoPolls, 1);
    EXPECT_THAT(host.errors, IsEmpty());

    // The same port again closes and reopens it; "None" closes it.
    EXPECT_TRUE(control.InitComPort(2));
    EXPECT_EQ(device.opened.size(), 2u);
    EXPECT_FALSE(control.InitComPort(0));
    EXPECT_FALSE(link.PortReady());
    EXPECT_EQ(host.status, "COM None");
    EXPECT_EQ(host.menuItem, 0);
    EXPECT_EQ(clock.indicator, IndicatorLook::Error);
}

TEST_F(PortControl, OpeningErrorsAreReportedAndLeaveThePortClosed) {
    struct Case {
        int port;
        PortOpenError error;
        std::string detail;
        std::string message;
    };
    const std::vector<Case> cases = {
        {3, PortOpenError::InUse, "Permission error while locking the device",
         "COM3 Already in Use"},
        {5, PortOpenError::NotFound, "No such file or directory",
         "Could Not Initialize COM5\r/dev/ttyS4: No such file or directory"},
        {6, PortOpenError::Unsupported, "", "Could Not Initialize COM6"},
        {7, PortOpenError::PermissionDenied, "Permission denied",
         "Could Not Initialize COM7\r/dev/ttyS6: Permission denied: the user must be a member "
         "of group \"dialout\""},
        {8, PortOpenError::Other, "", "Could Not Initialize Communications"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        host.errors.clear();
        device.failures[PortDeviceName(c.port, nullptr, false)] = {c.error, c.detail};
        EXPECT_FALSE(control.InitComPort(c.port));
        EXPECT_THAT(host.errors, ElementsAre(c.message));
        EXPECT_EQ(control.SelectedPort(), 0);
        EXPECT_EQ(host.status, "COM None");
        EXPECT_EQ(host.menuItem, 0);
        EXPECT_FALSE(link.PortReady());
    }
}

TEST_F(PortControl, APortNumberAbove255IsRefusedAndChangesNothing) {
    ASSERT_TRUE(control.InitComPort(4));
    for (int port : {256, 1000, -1}) {
        host.errors.clear();
        EXPECT_TRUE(control.InitComPort(port));
        EXPECT_THAT(host.errors, ElementsAre("Invalid COM Port Number " + std::to_string(port) +
                                             "\rPlease Enter a Number From 0 To 255"));
        EXPECT_EQ(control.SelectedPort(), 4);
        EXPECT_TRUE(link.PortReady());
    }
    EXPECT_EQ(device.opened.size(), 1u);
    EXPECT_FALSE(PortNumberError(255));
}

TEST_F(PortControl, ReadinessNamesTheFirstMissingCondition) {
    control.ComNum = 2;
    struct Case {
        int port;
        bool answering;
        const char* message; // null = ready
    };
    for (const Case c :
         {Case{0, true, "Please Select a Com Port"},
          Case{2, false, "Please Connect TAVIN to Com Port 2"}, Case{2, true, nullptr}}) {
        host.errors.clear();
        control.InitComPort(c.port);
        host.errors.clear();
        link.TransmitterAnswering = c.answering;
        EXPECT_EQ(control.CheckLinkReady(false), c.message == nullptr);
        EXPECT_THAT(host.errors, IsEmpty()); // silent check
        EXPECT_EQ(control.CheckLinkReady(true), c.message == nullptr);
        if (c.message != nullptr) {
            EXPECT_THAT(host.errors, ElementsAre(c.message));
        }
    }
    // Port selected and answering, but not (yet) reported open.
    link.PortClosed();
    host.errors.clear();
    EXPECT_FALSE(control.CheckLinkReady(true));
    EXPECT_THAT(host.errors, ElementsAre("Please Wait...\rTrying To Open Com Port 2"));
}

TEST_F(PortControl, ALostDeviceClosesThePortAndEndsTheLinkOnce) {
    ASSERT_TRUE(control.InitComPort(2));
    link.TransmitterAnswering = true;
    control.ComPortLost("Input/output error");
    control.ComPortLost("Input/output error"); // the device repeats itself
    clock.DeliverPosted();
    EXPECT_FALSE(device.open);
    EXPECT_FALSE(link.PortReady());
    EXPECT_FALSE(link.TransmitterAnswering);
    EXPECT_EQ(clock.messages.size(), 1u); // UMCommTimeOut
    EXPECT_THAT(host.errors, ElementsAre("COM2 Connection Lost\r/dev/ttyS1: Input/output error"));
    EXPECT_EQ(host.status, "COM None");
    EXPECT_EQ(control.SelectedPort(), 0);
}

// A pulled adapter: the port is looked for under its own path and under the
// stable name that led to it, reopened without a box as soon as it is there,
// and the status pane says so. Failed attempts stay silent.
TEST_F(PortControl, ALostPortReopensWhenItsDeviceComesBack) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("tavin-reopen-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "by-id");
    const std::string path = (dir / "ttyUSB0").string();
    const std::string alias = (dir / "by-id" / "usb-FTDI_FT232R-if00-port0").string();
    std::ofstream(path).put('\n');
    fs::create_symlink(path, alias);
    control.ByIdFolder = (dir / "by-id").string();
    std::set<std::string> present;
    control.DevicePresentNow = [&](const std::string& path) { return present.count(path) > 0; };
    prefs["COMM/Port3"] = path;

    ASSERT_TRUE(control.InitComPort(3));
    EXPECT_EQ(host.readies, 1);
    control.ComPortLost("Input/output error");
    EXPECT_TRUE(control.WatchingLostPort());
    EXPECT_TRUE(host.watching);
    EXPECT_THAT(control.WatchedPaths(), ElementsAre(path, alias));

    const std::size_t opens = device.opened.size();
    EXPECT_FALSE(control.TryReopenLostPort()); // nothing there yet
    EXPECT_EQ(device.opened.size(), opens);
    // The adapter is back under another kernel name; its stable name leads
    // there, and the first opening fails (the system still sets it up).
    present = {alias};
    device.failures[alias] = {PortOpenError::PermissionDenied, "Permission denied"};
    EXPECT_FALSE(control.TryReopenLostPort());
    EXPECT_FALSE(device.open);
    device.failures.clear();
    host.errors.clear();
    ASSERT_TRUE(control.TryReopenLostPort());
    EXPECT_EQ(device.opened.back(), alias);
    EXPECT_THAT(host.errors, IsEmpty());
    EXPECT_EQ(host.status, "COM3 Reconnected");
    EXPECT_EQ(host.menuItem, 3);
    EXPECT_EQ(host.readies, 2);
    EXPECT_THAT(host.reopened, ElementsAre(3));
    EXPECT_FALSE(host.watching);
    EXPECT_EQ(control.SelectedPort(), 3);
    EXPECT_TRUE(link.PortReady());
    EXPECT_EQ(link.Indicator(), IndicatorLook::Ok);

    // Lost again: the stable name it came back under is still looked for.
    control.ComPortLost("Input/output error");
    EXPECT_THAT(control.WatchedPaths(), ElementsAre(path, alias));
    // Choosing a port ends the watch.
    control.InitComPort(0);
    EXPECT_FALSE(control.WatchingLostPort());
    EXPECT_FALSE(host.watching);
    present = {path, alias};
    EXPECT_FALSE(control.TryReopenLostPort());
    EXPECT_EQ(control.SelectedPort(), 0);
    fs::remove_all(dir);
}

} // namespace
} // namespace tavin::test
