#pragma once
// The rules of the "General Setup" page and of the page set, without the
// widgets: which general fields are shown and enabled for the mode and the
// feature switches, where the platform id goes, and what each page's
// information line says when it is turned to.

#include "protocol/XmtrConfig.h"

#include <string>

namespace tavin {

// The SCD/ARGOS choice of "Transmission Type".
inline constexpr int kChoiceScd = 0;
inline constexpr int kChoiceArgos = 1;

struct GeneralSetupInputs {
    bool AdvancedSettings = false;
    bool SlashFillEnabled = false;
    bool TimeZoneEnabled = false;
    bool LoggerModeEnabled = false;
};

struct GeneralSetupView {
    bool ArgosTicked = false;
    bool ChoiceEnabled = false;
    int ScdChoice = -1;           // kChoiceScd, kChoiceArgos or -1 for none
    bool GoesPowersShown = true;  // "100 BPS", "300 BPS", "1200 BPS"
    bool ArgosPowerShown = false; // "400 BPS", in the same place
    bool SlashShown = false;
    bool TimeZoneShown = false;
    bool LoggerEnabled = false;
    bool AdvancedShown = false; // invalid character and transmit powers
    bool AllGpsFieldsShown = false;
};

GeneralSetupView GeneralSetupViewFor(const XmtrConfig& cfg, const GeneralSetupInputs& in);

// The platform id field edits the ARGOS id while ARGOS is on, else the GOES id.
const std::string& PlatformIdOfMode(const XmtrConfig& cfg);
void StorePlatformId(XmtrConfig& cfg, const std::string& text);

// The table pages turned to by the page control.
struct PageChangeInputs {
    // "Create/Open A Setup Template" or "Configure / Control / Deploy TAVIN".
    bool EditingMode = false;
};

// Timed or random transmissions are enabled with data source "Sensor".
bool SensorsInUse(const XmtrConfig& cfg);
// The information line of a page (by objectName) when it is turned to; ""
// for pages without one or when nothing needs saying.
std::string PageInfoLine(const std::string& page, const XmtrConfig& cfg,
                         const PageChangeInputs& in);
// The data pack page takes edits unless, in an editing mode, the random
// buffer comes from the sensors.
bool ArgosDataPackUsable(const XmtrConfig& cfg, const PageChangeInputs& in);

} // namespace tavin
