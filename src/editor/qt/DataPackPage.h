#pragma once
// The "ARGOS/SCD Data Pack" page: the 48 field widths with "Insert" and
// "Clean Up", and the ARGOS message statistics in bits.

#include "editor/DataPackGridRules.h"
#include "editor/qt/GridView.h"
#include "protocol/ParseContext.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace tavin {

class MessageStatsPanel;

class DataPackPage : public QWidget {
    Q_OBJECT
public:
    DataPackPage(XmtrConfig& cfg, const ParseContext& ctx, QWidget* parent = nullptr);

    DataPackGridRules& Rules() { return rules_; }
    GridView* Grid() const { return grid_; }
    MessageStatsPanel* Stats() const { return stats_; }

    // `RefreshARGOSDataPak`: the widths and the ARGOS figures.
    void RefreshGrid();
    void UpdateStats();
    // The whole page is unusable while the pack comes from the sensors.
    void SetPageEnabled(bool enabled);
    void InsertClick();
    void CleanUpClick();

    std::function<void()> OnEdited;

private:
    DataPackGridRules rules_;
    XmtrConfig& cfg_;
    const ParseContext& ctx_;
    GridView* grid_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* cleanUp_ = nullptr;
    MessageStatsPanel* stats_ = nullptr;
};

} // namespace tavin
