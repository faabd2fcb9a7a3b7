#pragma once
// What the main window shows and enables in each operating mode, as plain
// data, so that the table can be checked without a window and the window
// only applies it.

#include <string>
#include <vector>

namespace tavin {

enum class OperatingMode {
    Idle,               // no mode button down
    CreateTemplate,     // "Create/Open A Setup Template"
    ConfigFromTemplate, // "Configure TAVIN From A Template"
    ConfigControl,      // "Configure / Control / Deploy TAVIN"
    Monitor,            // "Monitor / Inspect TAVIN"
};

// The preferences and feature switches the table depends on.
struct ModeLayoutInputs {
    bool DownloadSave = true;
    bool ModifyOnDownload = true;
    bool LoggerModeEnabled = false;
    bool EquationsEnabled = false;
    bool MinMaxAvgEnabled = false;
    bool TdfTabVisible = true;
    bool RdfTabVisible = true;
    bool RandomDataSourceSet = false; // the random data source is not 0
    bool SDI12Visible = true;
    bool InternalTabVisible = true;
    bool ArgosScd = false;
    bool CalOptionVisible = false;
};

enum class ItemChange { Off, On, Unchanged };

// One control by objectName. For buttons and groups On means shown; for
// menu items it means enabled.
struct ItemState {
    std::string name;
    ItemChange change = ItemChange::Off;
};

// One page of `MainPageControl`.
struct PageState {
    std::string name;
    bool shown = false;
    bool enabled = true;
};

struct ModeLayout {
    std::vector<ItemState> shown; // buttons and groups
    std::vector<ItemState> menus; // menu items (enabled or not)
    std::vector<PageState> pages; // every page but "Configuration Options"
    bool calibrationMenuVisible = false;
};

ModeLayout LayoutForMode(OperatingMode mode, const ModeLayoutInputs& in);

// The table pages, in page order, after the two setting pages.
const std::vector<std::string>& TablePageNames();

} // namespace tavin
