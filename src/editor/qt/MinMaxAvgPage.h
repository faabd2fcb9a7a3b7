#pragma once
// The "Sensor Min Max Avg" page: the min/max/average grid.

#include "editor/MinMaxAvgGridRules.h"

#include <QWidget>

class QLabel;

namespace tavin {

class GridView;
class Prompter;

class MinMaxAvgPage : public QWidget {
    Q_OBJECT
public:
    MinMaxAvgPage(XmtrConfig& config, const TUtilityControl& utility, const TGlbIni& ini,
                  QWidget* page);

    void SetPrompter(Prompter* prompter);
    GridView& Grid() { return *grid_; }
    MinMaxAvgGridRules& Rules() { return rules_; }
    // RefreshMinMaxAvgGrid: labels of the sensors and the "Vec" column anew.
    void Refresh();

private:
    MinMaxAvgGridRules rules_;
    GridView* grid_ = nullptr;
    QLabel* caption_ = nullptr;
};

} // namespace tavin
