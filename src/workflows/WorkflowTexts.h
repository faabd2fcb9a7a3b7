#pragma once
// The workflows' own texts, byte for byte: prompts, box captions and the
// outcomes the user is told. The time-out and UTC availability texts are
// supervision's (SupervisionTexts.h).

namespace tavin::texts {

// Retrieve all
inline constexpr char kRetrieveConfirm[] =
    "This will change all locally stored values\rDo you want to continue?";
inline constexpr char kRetrieveCaption[] = "Retrieving TAVIN Configuration";
inline constexpr char kRetrieveOperation[] = "Retrieving TAVIN Configuration Information";
inline constexpr char kPleaseWait[] = "Please Wait....";

// Send all
inline constexpr char kSendConfirm[] =
    "This will change the current configuration\rDo you want to continue?";
inline constexpr char kPasswordCaption[] = "Please Enter Password to Configure TAVIN";
inline constexpr char kPasswordPrompt[] = "Password:";
inline constexpr char kSendCaption[] = "Sending TAVIN Configuration";
inline constexpr char kSendOperation[] = "Sending Configuration Information to TAVIN";
inline constexpr char kInvalidGoesId[] = "INVALID GOES PLATFORM ID VALUE";
// The refusal's box: the transmitter's own words, then what would be accepted.
inline constexpr char kInvalidGoesIdBox[] =
    "INVALID GOES PLATFORM ID VALUE\rA GOES platform ID is eight hexadecimal digits (0-9, A-F) "
    "and even: its last digit is 0, 2, 4, 6, 8, A, C or E.";
// Followed by the command in double quotes.
inline constexpr char kErrorWithCommand[] = "Error With Command ";

// Configuration memory
inline constexpr char kFactoryConfirm[] =
    "This will load the factory defaults\rDo you want to continue?";

// Enable, enable logger, disable
inline constexpr char kEnablingCaption[] = "Enabling TAVIN";
inline constexpr char kEnablingLoggerCaption[] = "Enabling TAVIN Logger - No Transmissions";
inline constexpr char kEnablingLoggerOperation[] = "Enabling TAVIN Logger";
inline constexpr char kDisablingCaption[] = "Disabling TAVIN";
inline constexpr char kEnabledOk[] = "TAVIN Enabled";
inline constexpr char kEnabledErr[] = "TAVIN Not Enabled - Check Configuration";
inline constexpr char kLoggerOk[] = "TAVIN Logger Enabled";
inline constexpr char kLoggerErr[] = "TAVIN Logger Not Enabled - Check Configuration";
inline constexpr char kDisabledOk[] = "TAVIN Disabled";
inline constexpr char kDisabledErr[] = "TAVIN Disable Error";

// Check configuration
inline constexpr char kConfigurationOk[] = "Configuration OK";
inline constexpr char kEnabledConfigurationOk[] = "TAVIN Enabled - Configuration OK";
inline constexpr char kConfigurationError[] = "ERROR - ";

// Clock and UTC correction
inline constexpr char kClockSet[] = "Clock Set";
inline constexpr char kClockNotSet[] = "TAVIN CLOCK HAS NOT BEEN SET";
inline constexpr char kInvalidUTC[] = "Invalid UTC Correction";
inline constexpr char kUTCSet[] = "UTC Set";
inline constexpr char kUTCFromGps[] = "UTC Correction Acquired from GPS";
inline constexpr char kUTCManualSet[] = "Manual Set";
inline constexpr char kUTCFromAlmanac[] = "From Almanac";

} // namespace tavin::texts
