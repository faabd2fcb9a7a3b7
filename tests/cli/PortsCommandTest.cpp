// "ports" over a port list of the test's own: what is shown of each port, and
// which utility port numbers point at it (directly, through a by-id link, or
// by the default /dev/ttyS<N-1>).
#include "cli/PortsCommand.h"
#include "cli/CliParser.h"
#include "files/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <sstream>

using namespace tavin;
using tavin::testing::TempFolder;

namespace {

class PortsCommand : public ::testing::Test {
protected:
    TempFolder dir;
    std::string usb = dir.File("ttyUSB0");
    std::string link = dir.File("usb-Quillfen_Serial_A1-if00-port0");
    std::string ini = dir.File("prefs.ini");

    void SetUp() override {
        TempFolder::Write(usb, "");
        std::filesystem::create_symlink(usb, link);
        TempFolder::Write(ini, "[COMM]\r\nPort3=" + link + "\r\nPort5=" + usb + "\r\n");
    }

    std::vector<SerialPortEntry> Ports() const {
        SerialPortEntry adapter{usb, "USB-Serial Controller", "Quillfen", "A1", 0x067b, 0x2303};
        SerialPortEntry builtIn{"/dev/ttyS0", "", "", "", std::nullopt, std::nullopt};
        return {adapter, builtIn};
    }

    std::pair<int, std::string> Run(const std::vector<std::string>& extra) {
        std::ostringstream out, err;
        CliArgs args(out, err);
        std::vector<std::string> words = {"ports", "--ini", ini};
        words.insert(words.end(), extra.begin(), extra.end());
        EXPECT_TRUE(ParseCommandLine(words, args).run) << err.str();
        const int code = RunPortsCommand(args, [this] { return Ports(); });
        return {code, out.str() + err.str()};
    }
};

TEST_F(PortsCommand, EachPortWithItsUtilityNumbers) {
    const auto [code, out] = Run({});
    EXPECT_EQ(code, 0);
    EXPECT_EQ(out, usb + "\n"
                         "  description: USB-Serial Controller\n"
                         "  manufacturer: Quillfen\n"
                         "  serial number: A1\n"
                         "  USB id: 067b:2303\n"
                         "  utility port: COM3, COM5\n"
                         "/dev/ttyS0\n"
                         "  utility port: COM1\n");
}

TEST_F(PortsCommand, AsJson) {
    const auto [code, out] = Run({"--json"});
    EXPECT_EQ(code, 0);
    const QJsonArray ports =
        QJsonDocument::fromJson(QByteArray::fromStdString(out)).object()["ports"].toArray();
    ASSERT_EQ(ports.size(), 2) << out;
    EXPECT_EQ(ports[0].toObject(), (QJsonObject{{"device", QString::fromStdString(usb)},
                                                {"description", "USB-Serial Controller"},
                                                {"manufacturer", "Quillfen"},
                                                {"serialNumber", "A1"},
                                                {"vendorId", "067b"},
                                                {"productId", "2303"},
                                                {"portNumbers", QJsonArray{3, 5}}}));
    EXPECT_TRUE(ports[1].toObject()["vendorId"].isNull());
    EXPECT_EQ(ports[1].toObject()["portNumbers"].toArray(), QJsonArray{1});
}

TEST_F(PortsCommand, NoPortsAndAMissingPreferencesFile) {
    std::ostringstream out, err;
    CliArgs args(out, err);
    ASSERT_TRUE(ParseCommandLine({"ports"}, args).run);
    EXPECT_EQ(RunPortsCommand(args, [] { return std::vector<SerialPortEntry>{}; }), 0);
    EXPECT_THAT(err.str(), ::testing::HasSubstr("no serial ports"));

    CliArgs missing(out, err);
    ASSERT_TRUE(ParseCommandLine({"ports", "--ini", dir.File("none.ini")}, missing).run);
    EXPECT_EQ(RunPortsCommand(missing, [this] { return Ports(); }), 2);
}

} // namespace
