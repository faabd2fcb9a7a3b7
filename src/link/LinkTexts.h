#pragma once
// The link's own texts, byte for byte: trace lines and the port messages.

namespace tavin::texts {

// Debug trace
inline constexpr char kTraceSent[] = "S=";
inline constexpr char kTraceReceived[] = "R=";
inline constexpr char kTraceWake[] = "WAKE TAVIN";
inline constexpr char kTraceEsc[] = "ESC SENT";
// Followed by a count: bytes lost because the receive ring was full, or
// because a line grew longer than the framer keeps.
inline constexpr char kTraceRingFull[] = "RECEIVE BUFFER FULL, BYTES DROPPED: ";
inline constexpr char kTraceLineTooLong[] = "LINE TOO LONG, BYTES DROPPED: ";

// Readiness
inline constexpr char kSelectComPort[] = "Please Select a Com Port";
inline constexpr char kConnectTavin[] = "Please Connect TAVIN to Com Port ";
inline constexpr char kTryingToOpen[] = "Please Wait...\rTrying To Open Com Port ";

// Opening errors: "COM" + number + kAlreadyInUse, kCouldNotInitCom + number,
// kCouldNotInitComms.
inline constexpr char kCom[] = "COM";
inline constexpr char kAlreadyInUse[] = " Already in Use";
inline constexpr char kCouldNotInitCom[] = "Could Not Initialize COM";
inline constexpr char kCouldNotInitComms[] = "Could Not Initialize Communications";
inline constexpr char kComNone[] = "COM None";
// Our own additions to those messages.
inline constexpr char kPermissionDenied[] =
    "Permission denied: the user must be a member of group \"dialout\"";
inline constexpr char kPortNumberRange[] = "Invalid COM Port Number ";
inline constexpr char kPortNumberRangeHint[] = "\rPlease Enter a Number From 0 To 255";
inline constexpr char kConnectionLost[] = " Connection Lost";
inline constexpr char kReconnected[] = " Reconnected";

} // namespace tavin::texts
