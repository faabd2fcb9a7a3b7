#pragma once
// The "Internal Sensors" page: the internal sensor grid with "Insert" and
// "Clean Up", the tipping bucket settings and the internal sensor tests.

#include "editor/InternSensGridRules.h"

#include <QWidget>

namespace tavin {

class GridView;
class InternalSensorTestGroup;
class Prompter;
class TippingBucketGroup;
class TUtilityControl;

class InternalSensorsPage : public QWidget {
    Q_OBJECT
public:
    InternalSensorsPage(XmtrConfig& config, const TUtilityControl& utility, QWidget* page);

    void SetPrompter(Prompter* prompter);
    GridView& Grid() { return *grid_; }
    InternSensGridRules& Rules() { return rules_; }
    TippingBucketGroup& TippingBucket() { return *bucket_; }
    InternalSensorTestGroup& Tests() { return *tests_; }

    // RefreshInternSensParamGrid and RefreshTippingBucketSetup.
    void Refresh();
    int CurrentRow() const;
    void BtnInternSensInsertClick();
    void btnInternSensCleanUpClick();
    // "Equation Test": "EQT=" for the nearest equation sensor at or above
    // the current row, or "Equation Not Found" in the memo.
    void btnEquationQueryClick();

signals:
    void TableEdited();

private:
    XmtrConfig& cfg_;
    const TUtilityControl& utility_;
    InternSensGridRules rules_;
    GridView* grid_ = nullptr;
    TippingBucketGroup* bucket_ = nullptr;
    InternalSensorTestGroup* tests_ = nullptr;
};

} // namespace tavin
