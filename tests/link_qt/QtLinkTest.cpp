// The Qt adapter over a real pseudo-terminal: the test plays the transmitter
// on the master side while QSerialPort holds the slave.
#include "link/qt/QtLink.h"
#include "link/WindowMessages.h"

#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace tavin {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A pseudo-terminal whose master end the test reads and writes.
class Pty {
public:
    Pty() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
            slave_ = ::ptsname(master_);
            ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
        }
    }
    ~Pty() { Close(); }
    bool Ok() const { return master_ >= 0 && !slave_.empty(); }
    const std::string& Slave() const { return slave_; }
    // Everything the utility has written so far.
    std::string Read() {
        char buf[256];
        ssize_t n = 0;
        while (master_ >= 0 && (n = ::read(master_, buf, sizeof buf)) > 0) {
            got_.append(buf, std::size_t(n));
        }
        return got_;
    }
    void Write(std::string_view bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    void Close() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

private:
    int master_ = -1;
    std::string slave_;
    std::string got_;
};

class QtLinkOnPty : public ::testing::Test {
protected:
    QtLinkOnPty() {
        link.PortControl().Preferences = [this](const std::string& section,
                                                const std::string& key) {
            std::optional<std::string> v;
            if (section == "COMM" && key == "Port7") {
                v = pty.Slave();
            } else if (section == "COMM" && key == "Port9") {
                v = "/nonexistent/ttyX";
            } else if (section == "COMM" && key == "Port10") {
                v = "/dev/null";
            }
            return v;
        };
        link.PortControl().ComNum = 7;
        link.Link().ReplyParsers = {[this](const std::string& l) { parsed.push_back(l); }};
    }

    Pty pty;
    QtLink link;
    std::vector<std::string> parsed;
};

TEST_F(QtLinkOnPty, ACommandAndItsReplyCrossTheSerialPort) {
    ASSERT_TRUE(pty.Ok());
    QSignalSpy errors(&link, &QtLink::errorBoxRequested);
    QSignalSpy status(&link, &QtLink::commStatusChanged);
    ASSERT_TRUE(link.InitComPort(7));
    EXPECT_EQ(errors.count(), 0);
    EXPECT_EQ(status.takeLast().at(0).toString(), "COM7");
    QSerialPort& port = link.SerialPort();
    EXPECT_EQ(port.baudRate(), 9600);
    EXPECT_EQ(port.dataBits(), QSerialPort::Data8);
    EXPECT_EQ(port.parity(), QSerialPort::NoParity);
    EXPECT_EQ(port.stopBits(), QSerialPort::OneStop);
    EXPECT_EQ(port.flowControl(), QSerialPort::NoFlowControl);
    EXPECT_EQ(port.error(), QSerialPort::NoError); // RTS refused by the pty, and forgiven

    link.EnableTimer(LinkTimer::Comm, true);
    link.Link().QueueCommand("TCH?");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return pty.Read().find("TCH?\r") != std::string::npos; }, 3000));
    EXPECT_EQ(pty.Read(), "\rTCH?\r"); // woken first
    pty.Write("TCH?\r\nTCH=1,300\r\n>");
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.Link().CurrentCommand().empty(); }, 3000));
    EXPECT_THAT(parsed, ElementsAre("TCH?", "TCH=1,300", ">"));
    EXPECT_TRUE(link.Link().TransmitterAnswering);
    EXPECT_TRUE(link.CheckLinkReady(false));
    EXPECT_EQ(errors.count(), 0);
}

TEST_F(QtLinkOnPty, AVanishedPeerClosesThePortAndEndsTheLink) {
    ASSERT_TRUE(pty.Ok());
    ASSERT_TRUE(link.InitComPort(7));
    QSignalSpy messages(&link, &QtLink::windowMessage);
    QSignalSpy errors(&link, &QtLink::errorBoxRequested);
    link.EnableTimer(LinkTimer::Comm, true);
    pty.Close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return errors.count() > 0; }, 3000));
    QTest::qWait(100);
    EXPECT_EQ(errors.count(), 1);
    EXPECT_THAT(errors.at(0).at(0).toString().toStdString(), HasSubstr("COM7 Connection Lost"));
    EXPECT_FALSE(link.SerialPort().isOpen());
    EXPECT_FALSE(link.Link().PortReady());
    ASSERT_GE(messages.count(), 1);
    EXPECT_EQ(messages.at(0).at(0).toInt(), UMCommTimeOut);
}

TEST_F(QtLinkOnPty, OpeningErrorsNameThePortAndTheCause) {
    ASSERT_TRUE(pty.Ok());
    QtLink holder; // another program holding the port
    holder.PortControl().Preferences = link.PortControl().Preferences;
    ASSERT_TRUE(holder.InitComPort(7));

    struct Case {
        int port;
        const char* message;
    };
    for (const Case c : {Case{7, "COM7 Already in Use"},
                         Case{9, "Could Not Initialize COM9\r/nonexistent/ttyX: No such file or "
                                 "directory"},
                         Case{10, "Could Not Initialize COM10\r/dev/null: Inappropriate ioctl for "
                                  "device"},
                         Case{300, "Invalid COM Port Number 300\rPlease Enter a Number From 0 To "
                                   "255"}}) {
        SCOPED_TRACE(c.port);
        QSignalSpy errors(&link, &QtLink::errorBoxRequested);
        EXPECT_FALSE(link.InitComPort(c.port));
        ASSERT_EQ(errors.count(), 1);
        EXPECT_EQ(errors.at(0).at(0).toString().toStdString(), c.message);
        EXPECT_FALSE(link.SerialPort().isOpen());
    }
    EXPECT_FALSE(link.CheckLinkReady(false));
}

TEST(QtLink, PostedMessagesArriveAfterTheEventAndTheSentOneAtOnce) {
    QtLink link;
    QSignalSpy messages(&link, &QtLink::windowMessage);
    link.PostWindowMessage(UMEndLoadMessage, 1000);
    link.SendWindowMessage(UMTAVINErrorMessage, 0);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.at(0).at(0).toInt(), UMTAVINErrorMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.count() == 2; }, 1000));
    EXPECT_EQ(messages.at(1).at(0).toInt(), UMEndLoadMessage);
    EXPECT_EQ(messages.at(1).at(1).toInt(), 1000);

    EXPECT_EQ(link.XmitReplyTimer().timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(link.XmitReplyTimer().isActive());
    EXPECT_EQ(link.XmitReplyTimer().interval(), kXmitReplyInitialMs);
    EXPECT_FALSE(link.CommTimer().isActive());
    EXPECT_EQ(link.CommTimer().interval(), kCommInitialMs);
}

TEST(QtSerialDevice, RelativePathsMeanTheFileAndBareNamesStayKernelNames) {
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QFile("port").open(QIODevice::WriteOnly);
    const QString here = QDir(dir.path()).absolutePath();
    EXPECT_EQ(QtSerialDevice::PortNameFor("./port"), here + "/port");
    EXPECT_EQ(QtSerialDevice::PortNameFor("port"), here + "/port");
    EXPECT_EQ(QtSerialDevice::PortNameFor("sub/dev"), here + "/sub/dev");
    EXPECT_EQ(QtSerialDevice::PortNameFor("ttyUSB0"), "ttyUSB0");
    EXPECT_EQ(QtSerialDevice::PortNameFor("/dev/ttyS0"), "/dev/ttyS0");
    QDir::setCurrent(old);
}

} // namespace
} // namespace tavin
