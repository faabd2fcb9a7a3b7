#pragma once
// The "General Setup" page: each field is the model value itself, written
// the moment it changes. Which fields are shown follows GeneralSetupViewFor.

#include "editor/GeneralSetupRules.h"
#include "protocol/XmtrConfig.h"

#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace tavin {

class ChoiceGroup;

class GeneralSetupPage : public QWidget {
    Q_OBJECT
public:
    GeneralSetupPage(XmtrConfig& cfg, QWidget* parent = nullptr);

    // `RefreshGeneralSetup`: the fields show the model and the groups the
    // mode and the feature switches.
    void RefreshGeneralSetup(const GeneralSetupInputs& in);
    QLineEdit* PIS() const { return pis_; }

signals:
    // "Enable ARGOS / SCD" was ticked or unticked (the model follows already).
    void argosTicked(bool on);
    // The transmission type changed: the window re-derives the mode.
    void transmissionTypeChanged();

private:
    void Build();
    void Connect();
    void ShowValues();
    void cbEnableARGOSSCDClick(bool on);
    void rgGOESARGOSSCDselectClick(int choice);

    XmtrConfig& cfg_;
    bool showing_ = false;
    GeneralSetupInputs inputs_;

    QLineEdit* pb1_ = nullptr;
    QLineEdit* pb2_ = nullptr;
    QLineEdit* pis_ = nullptr;
    QGroupBox* gbGPSSync_ = nullptr;
    QSpinBox* gpsTimeSync_ = nullptr;
    QSpinBox* gpsTcxo_ = nullptr;
    QSpinBox* gpsOcxo_ = nullptr;
    QSpinBox* gpsTimeout_ = nullptr;
    QList<QWidget*> advancedGpsRows_;
    QCheckBox* powerUp_ = nullptr;
    QGroupBox* gbAdvanced_ = nullptr;
    QLineEdit* invalidReplace_ = nullptr;
    QDoubleSpinBox* pwr100_ = nullptr;
    QDoubleSpinBox* pwr300_ = nullptr;
    QDoubleSpinBox* pwr1200_ = nullptr;
    QDoubleSpinBox* pwr400_ = nullptr;
    QList<QWidget*> goesPowerRow_;
    QList<QWidget*> argosPowerRow_;
    QGroupBox* gbSlash_ = nullptr;
    QCheckBox* slash_ = nullptr;
    QGroupBox* gbTimeZone_ = nullptr;
    QSpinBox* timeZone_ = nullptr;
    QCheckBox* loggerMode_ = nullptr;
    QCheckBox* argos_ = nullptr;
    ChoiceGroup* scdChoice_ = nullptr;
};

} // namespace tavin
