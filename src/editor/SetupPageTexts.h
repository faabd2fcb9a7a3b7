#pragma once
// The setting pages' own captions, hints and messages, byte for byte.

namespace tavin::texts {

// Page captions
inline constexpr char kTabGeneralSetup[] = "General Setup";
inline constexpr char kTabTxSetup[] = "Transmission Setup";

// Bit-rate limits
inline constexpr char kChannelOutOfRange100[] = "Channel Number out of Range for 100BPS";
inline constexpr char kChannelOutOfRange1200[] = "Channel Number out of Range for 1200BPS";

// Information lines of the table pages
inline constexpr char kSensorsNotEnabled[] =
    "Sensors Have Not Been Enbled - Go To Transmission Setup To Enable Sensors";
inline constexpr char kTimedDisabledInfo[] =
    "Timed Transmissions are Disabled - Go To Transmission Setup To Enable Timed Transmissions";
inline constexpr char kRandomDisabledInfo[] = "Random Transmissions are Disabled - Go To "
                                              "Transmission Setup To Enable Random Transmissions";

} // namespace tavin::texts
