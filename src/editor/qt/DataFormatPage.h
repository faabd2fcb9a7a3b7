#pragma once
// The "Timed Data Buffer" and "Random Data Buffer" pages: the format grid
// with its "Insert" and "Clean Up" buttons, the message statistics, and the
// buffer check (check box, memo and "Refresh").

#include "editor/DataFormatGridRules.h"
#include "editor/qt/GridView.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tavin {

class MessageStatsPanel;

class DataFormatPage : public QWidget {
    Q_OBJECT
public:
    // buffer: kTimedBuffer or kRandomBuffer.
    DataFormatPage(XmtrConfig& cfg, const ParseContext& ctx, int buffer, QWidget* parent = nullptr);

    DataFormatGridRules& Rules() { return rules_; }
    GridView* Grid() const { return grid_; }
    MessageStatsPanel* Stats() const { return stats_; }
    QCheckBox* CheckBox() const { return check_; }
    QPlainTextEdit* CheckMemo() const { return memo_; }
    QPushButton* RefreshButton() const { return refresh_; }

    // `RefreshTimedDataGrid` / `RefreshRandomDataGrid`: header rows take
    // their widths, the grid shows the table, the Slope and Offset columns
    // follow the data format, and the statistics are recomputed.
    void RefreshGrid();
    void UpdateStats();
    // Enabled: the grid takes edits and "Insert", "Clean Up" and the buffer
    // check are offered. Disabled: a read-only list; the check is unticked.
    void SetPageEnabled(bool enabled);

    // "Insert" and "Clean Up" at the grid's current row.
    void InsertClick();
    void CleanUpClick();
    // The Flags cell's button of a row.
    void FlagsButtonClick(int row);

    // The buffer check box was clicked (its new tick), "Refresh" pressed.
    std::function<void(bool checked)> OnCheckClicked;
    std::function<void()> OnRefreshClicked;
    // Something in the table changed through this page.
    std::function<void()> OnEdited;
    // Opens "Record Format Flags"; the default shows the dialog.
    std::function<std::optional<std::string>(const DataFormatFlagsInput&)> AskFlags;

private:
    void Edited();

    DataFormatGridRules rules_;
    const ParseContext& ctx_;
    bool random_;
    GridView* grid_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* cleanUp_ = nullptr;
    MessageStatsPanel* stats_ = nullptr;
    QCheckBox* check_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* refresh_ = nullptr;
    bool refreshing_ = false;
};

} // namespace tavin
