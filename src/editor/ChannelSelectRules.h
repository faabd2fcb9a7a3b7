#pragma once
// The "Select Channel" dialog's rules: the ARGOS and SCD channel lists, how
// a channel text such as "D5+A3" is split between them, and how the two
// choices are joined again.

#include <string>
#include <vector>

namespace tavin {

struct ChannelSelection {
    std::string Argos; // `cbARGOSChan`; empty = none
    std::string Scd;   // `cbSCDChan`; empty = none
};

// An empty entry, "A1".."A17", "S1".."S14", "L1".."L3".
const std::vector<std::string>& ArgosChannelList();
// "C1".."C9", "D1".."D17".
const std::vector<std::string>& ScdChannelList();

// What the two lists show for a channel text; the SCD list takes nothing
// while SCD is not selected.
ChannelSelection SplitChannelText(const std::string& text, bool scdSelected);
// OK: with SCD selected the SCD channel, joined with "+" and the ARGOS
// channel when both are chosen, and nothing without an SCD channel; with
// ARGOS alone the ARGOS channel.
std::string JoinChannelText(const ChannelSelection& choice, bool scdSelected);

} // namespace tavin
