#pragma once
// The data log window's own texts, byte for byte.

#include <string_view>

namespace tavin::logtext {

inline constexpr std::string_view kCaption = "TAVIN Data Log";
inline constexpr std::string_view kFileFilter =
    "Text File (*.txt)|*.txt|Log File (*.log)|*.log|All Files (*.*)|*.*";
inline constexpr std::string_view kDefaultFileMask = "*.txt";

// Memo messages
inline constexpr std::string_view kDumpAborted = "Log Dump Aborted";
inline constexpr std::string_view kDumpError = "Log Dump Error";
inline constexpr std::string_view kEraseCancelled = "Log Erase Cancelled";
inline constexpr std::string_view kEraseError = "Log Erase Error";
inline constexpr std::string_view kEraseComplete = "Log Erase Complete";

// Progress box
inline constexpr std::string_view kRetrievingOperation = "Retrieving Sensor Log";
inline constexpr std::string_view kErasingOperation = "Erasing Sensor Log";
inline constexpr std::string_view kAbortCaption = "Abort";
inline constexpr std::string_view kCancelCaption = "Cancel";
inline constexpr std::string_view kPleaseWait = "Please Wait...";
inline constexpr std::string_view kRetrievalComplete = "Log Retrieval Complete";
inline constexpr std::string_view kLogEmpty = "Log Empty";
inline constexpr std::string_view kTextRetrievalComplete = "LOG RETRIEVAL COMPLETE";
inline constexpr std::string_view kTextLogEmpty = "LOG EMPTY";
inline constexpr std::string_view kSearching = "Searching Data Log, Please Wait...";
inline constexpr std::string_view kRecordPrefix = "Record : ";

// Questions
inline constexpr std::string_view kEraseQuestion =
    "This will delete all logged data in the TAVIN\rDo you want to continue?";
inline constexpr std::string_view kFileErrorQuestion = "Error Writing To File - Continue?";
inline constexpr std::string_view kFileWriteError = "Error Writing To File";
inline constexpr std::string_view kFileReadError = "Error Reading File";
inline constexpr std::string_view kFileTooLarge = "The file is larger than 128 MB: not a log.";

// File dialogs of the window
inline constexpr std::string_view kSaveLogTitle = "Save Log";
inline constexpr std::string_view kOpenLogTitle = "Open Log";
inline constexpr std::string_view kExportPlotTitle = "Export Plot";
inline constexpr std::string_view kPngFilter = "PNG Image (*.png)|*.png";
inline constexpr std::string_view kPlotFileName = "log-plot.png";
inline constexpr std::string_view kPlotNoRecords = "No records to plot: retrieve or open a log";

// Filter type box
inline constexpr std::string_view kTypeData = "Data";
inline constexpr std::string_view kTypeEvent = "Event";

// Commands this window spells beyond the builders: clear all filters, and
// what goes straight to the port to stop a dump.
inline constexpr std::string_view kClearAllFilters = "LF*";
inline constexpr std::string_view kAbortBytes = "\x1b\r\n";
inline constexpr std::string_view kEscape = "\x1b";
// The prompt during a dump stands for the end of the data.
inline constexpr std::string_view kFillLine = "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF";

} // namespace tavin::logtext
