// The sensor log as hex text: a live dump line by line, a saved raw hex file,
// and single records, with whatever bytes a line or a file may carry.

#include "FuzzInput.h"
#include "datalog/HexDumpDecoder.h"
#include "datalog/SavedHexLog.h"
#include "datalog/TLOG_REC.h"

using namespace tavin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const std::uint8_t choice = in.Byte();
    TLOG_REC rec;
    rec.SetBucketMultiplier(choice % 8);
    rec.SetBucketRollover(static_cast<std::uint16_t>(choice * 97));
    const std::vector<std::string> lines = fuzz::SplitLines(in.Rest());
    switch (choice % 3) {
    case 0: {
        HexDumpDecoder dump(rec);
        dump.Start(static_cast<std::int32_t>(lines.size()) + (choice >> 4) - 4);
        std::size_t records = 0;
        auto sink = [&records](const std::string&) { ++records; };
        for (const std::string& line : lines) {
            if (dump.AddLine(line, sink)) {
                break;
            }
        }
        dump.Finish(sink);
        break;
    }
    case 1:
        DecodeSavedHexLog(lines, rec);
        break;
    default:
        for (const std::string& line : lines) {
            std::string_view hex = line;
            while (!hex.empty()) {
                rec.DecodeHexRecord(hex);
                std::string text;
                rec.FormatRecord(text);
                hex.remove_prefix(std::min<std::size_t>(hex.size(), 2));
            }
            LogRecord expanded;
            DecodeExpandedLine(line, expanded);
        }
        break;
    }
    return 0;
}
