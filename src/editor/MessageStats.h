#pragma once
// How long the timed, random and ARGOS messages of a configuration will be:
// buffer size, message length as sent and its duration, and the fixed timing
// figures of the chosen bit rate. Pure functions of the model; the window
// only shows their results.

#include "protocol/XmtrConfig.h"

#include <string>

namespace tavin {

// Bytes of the timed (entries 0-99) and random (entries 0-39) data buffers.
int CalcTimedBufferLength(const XmtrConfig& cfg);
int CalcRandomBufferLength(const XmtrConfig& cfg);
// Take the buffer length, replace it by the message length and return the
// duration in seconds.
double CalcTimedMsgLength(const XmtrConfig& cfg, int& length);
double CalcRandomMsgLength(const XmtrConfig& cfg, int& length);
// Bits of the ARGOS data: the data pack widths with RS-232 data, the random
// format widths (20 rows, 40 with extended tables) with sensor data.
int CalcARGOSBufferLength(const XmtrConfig& cfg, bool extendedTables);
// Takes the data bits, replaces them by the message bits, returns seconds.
double CalcARGOSMsgLength(const XmtrConfig& cfg, int& bits);

// The "Message Stats" labels of one group. An empty caption leaves the
// window's caption as it is.
struct MessageStatsLabels {
    bool Visible = false;
    std::string TypeCaption;
    std::string TypeValue;
    std::string SizeCaption;
    std::string SizeValue;
    std::string Carrier;
    std::string SymbolCaption;
    std::string SymbolValue;
    std::string Frame;
    std::string DataRate;
    std::string BitRate;
};

MessageStatsLabels UpdateTimedMsgStats(const XmtrConfig& cfg);
MessageStatsLabels UpdateRandomMsgStats(const XmtrConfig& cfg);
MessageStatsLabels UpdateARGOSMsgStats(const XmtrConfig& cfg);

// The "Buffer Size:", "Msg Length:" and "Duration:" texts of one message.
struct MessageFigures {
    int BufferLength = 0;
    int MsgLength = 0;
    double Seconds = 0;
    std::string BufferText;   // "20 bytes" ("32 Bits" for ARGOS)
    std::string MsgText;      // "25 bytes"
    std::string DurationText; // "%4.3f sec"
};

MessageFigures TimedMessageFigures(const XmtrConfig& cfg);
MessageFigures RandomMessageFigures(const XmtrConfig& cfg);
MessageFigures ARGOSMessageFigures(const XmtrConfig& cfg, bool extendedTables);

} // namespace tavin
