#pragma once
// The "SDI-12 Sensors" page: the SDI-12 sensor grid and its "Insert" button.

#include "editor/SDI12GridRules.h"

#include <QWidget>

namespace tavin {

class GridView;
class Prompter;
struct TGlbIni;
class TUtilityControl;

class SDI12Page : public QWidget {
    Q_OBJECT
public:
    SDI12Page(XmtrConfig& config, const TUtilityControl& utility, const TGlbIni& ini,
              QWidget* page);

    void SetPrompter(Prompter* prompter);
    GridView& Grid() { return *grid_; }
    SDI12GridRules& Rules() { return rules_; }

    // RefreshSDI12ParamGrid: the whole table again, 10 or 64 rows and the
    // Trig column as the firmware has them.
    void Refresh();
    // The record of the grid's current row (the sensor a query asks), -1
    // when no row is current.
    int CurrentRow() const;
    void BtnSDI12InsertClick();

signals:
    void CurrentRowChanged(int row);
    // The table changed through this page (labels and sensors other pages list).
    void TableEdited();

private:
    SDI12GridRules rules_;
    GridView* grid_ = nullptr;
};

} // namespace tavin
