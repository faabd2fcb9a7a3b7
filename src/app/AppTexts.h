#pragma once
// The main window's own captions and texts, byte for byte.

namespace tavin::texts {

inline constexpr char kApplicationTitle[] = "Quillfen TAVIN Utility";
inline constexpr char kMainCaption[] = "Quillfen Design TAVIN Utility";
inline constexpr char kMainCaptionArgos[] = "Quillfen Design TAVIN Utility - ARGOS Operation";
inline constexpr char kMainCaptionArgosScd[] =
    "Quillfen Design TAVIN Utility - ARGOS & SCD Operation";
inline constexpr char kTabConfigOptions[] = "Configuration Options";

// Operating modes
inline constexpr char kWhatDoYouWantToDo[] = "What Do You Want To Do?";
inline constexpr char kModeCreateTemplate[] = "Create/Open A Setup Template";
inline constexpr char kModeConfigFromTemplate[] = "Configure TAVIN From A Template";
inline constexpr char kModeConfigControl[] = "Configure / Control / Deploy TAVIN";
inline constexpr char kModeMonitor[] = "Monitor / Inspect TAVIN";

// Platform id group
inline constexpr char kPlatformId[] = "Platform ID";
inline constexpr char kGoesPlatformId[] = "GOES Platform ID";
inline constexpr char kGoesPlatformIdHint[] = "NESDIS (GOES) Platform ID in Hexadecimal";
inline constexpr char kArgosPlatformId[] = "ARGOS/SCD Platform ID";
inline constexpr char kArgosPlatformIdHint[] =
    "ARGOSE/SCD Platform ID in Hexadecimal - 20 or 28 bit";

// "Comm" menu
inline constexpr char kSelectComPortCaption[] = "Select COM Port ...";
inline constexpr char kEnterComPort[] = "Enter Desired COM Port";
// The toolkit's own words for a text that is not a number.
inline constexpr char kNotAValidInteger[] = "' is not a valid integer value";

// Monitor mode start-up
inline constexpr char kGatheringInfo[] = "Gathering TAVIN Information";
inline constexpr char kPleaseWait[] = "Please Wait.....";

// Configuration files
inline constexpr char kConfigFileFilter[] = "TAVIN Configuration File|*.txt|All Files|*.*";
inline constexpr char kSaveConfigTitle[] = "Save TAVIN Configuration To File";
inline constexpr char kOpenConfigTitle[] = "Open TAVIN Configuration File";
inline constexpr char kSaveConfigMenu[] = "Save Configuration To File";
inline constexpr char kOpenConfigMenu[] = "Open Configuration File";

// Templates
inline constexpr char kTemplateFileFilter[] = "TAVIN Template File|*.tpl|All Files|*.*";
inline constexpr char kSaveTemplateTitle[] = "Save TAVIN Configuration Template";
inline constexpr char kOpenTemplateTitle[] = "Open TAVIN Configuration Template";
inline constexpr char kNewTemplateQuestion[] =
    "Creating A New Template Erases All Locally Stored Data\rDo you wish to proceed";
inline constexpr char kNewTemplateLabel[] = " New Template";
inline constexpr char kTemplateError[] = "Template Error\r";
inline constexpr char kTemplateOK[] = "Template OK";

// The local check
inline constexpr char kLocalConfigOK[] = "Local Configuration OK";
inline constexpr char kLocalConfigError[] = "Local Configuration Error\r";
inline constexpr char kGotoInvalidData[] = "\rGoto Invalid Data?";
inline constexpr char kCheckLocalHint[] = "Check Values In Configuration Utility for Valid Values";

} // namespace tavin::texts
