#pragma once
// The main window's own messages. The link and the workflows report what must
// be handled after the current event through them; the first parameter
// carries the result (0 = OK, 1 = ERR, 2 = INV; for UMEndLoadMessage a delay
// in milliseconds or 0).

namespace tavin {

inline constexpr int UMChannelLoadMessage = 1125;
inline constexpr int UMEndLoadMessage = 1126;
inline constexpr int UMTAVINErrorMessage = 1127;
inline constexpr int UMCommTimeOut = 1128;
inline constexpr int UMTAVINEnabled = 1129;
inline constexpr int UMTAVINDisabled = 1130;
inline constexpr int UMTAVINClockSet = 1131;
inline constexpr int UMTAVINUTCSet = 1132;
inline constexpr int UMTAVINLoggerEnabled = 1133;

// Results carried by the first parameter.
inline constexpr int kResultOk = 0;
inline constexpr int kResultErr = 1;
inline constexpr int kResultInv = 2;

} // namespace tavin
