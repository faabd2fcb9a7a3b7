#pragma once
// The logic of the status window: one button per status or inspection
// query, and every reply line shown as it arrives. Nothing is interpreted.
// Lines that arrive before the window has sent anything belong to an earlier
// exchange and are not shown.

#include "link/TransmitterLink.h"
#include "workflows/ServiceMemo.h"

#include <string>

namespace tavin {

enum class StatusQuery {
    StatusRead,     // "Status Information" / "Read"
    LastTransmit,   // "Status Information" / "Last Transmit"
    ConfigRead,     // "Configuration" / "Read"
    ConfigCheck,    // "Configuration" / "Check"
    BufferTimed,    // "Buffer Info" / "Timed"
    BufferRandom,   // "Buffer Info" / "Random"
    GpsStatus,      // "GPS" / "Status"
    GpsRead,        // "GPS" / "Read"
    GpsLastCal,     // "GPS" / "Last Cal"
    SampleSDI12,    // "Next Sample Time" / "SDI-12"
    SampleInternal, // "Next Sample Time" / "Internal Sensor"
};

// The command a button queues; the sample queries use the X forms with the
// extended tables.
std::string StatusQueryCommand(StatusQuery query, bool extended);

class StatusWindowController {
public:
    StatusWindowController(TransmitterLink& link, ServiceMemo& memo, bool extended)
        : link_(link), memo_(memo), extended_(extended) {}

    void Press(StatusQuery query);
    // Every reply line from the link.
    void PacketHandler(const std::string& line);

    bool Sent() const { return sent_; }
    bool Extended() const { return extended_; }

private:
    TransmitterLink& link_;
    ServiceMemo& memo_;
    bool extended_;
    bool sent_ = false;
};

} // namespace tavin
