#pragma once
// The "Random Triggers" page: the trigger grid with "Insert" and "Clean Up".

#include "editor/RandomTriggerGridRules.h"
#include "editor/qt/GridView.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace tavin {

class RandomTriggerPage : public QWidget {
    Q_OBJECT
public:
    RandomTriggerPage(XmtrConfig& cfg, const ParseContext& ctx, QWidget* parent = nullptr);

    RandomTriggerGridRules& Rules() { return rules_; }
    GridView* Grid() const { return grid_; }

    // `RefreshRandomTriggerGrid`.
    void RefreshGrid();
    // Enabled: edits, "Insert" and "Clean Up"; disabled: a read-only list.
    void SetPageEnabled(bool enabled);
    void InsertClick();
    void CleanUpClick();

    std::function<void()> OnEdited;

private:
    RandomTriggerGridRules rules_;
    GridView* grid_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* cleanUp_ = nullptr;
};

} // namespace tavin
