#include "editor/qt/GeneralSetupPage.h"

#include "editor/qt/ChoiceGroup.h"
#include "editor/qt/PageWidgets.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavin {

namespace {

QString CharText(char c) {
    return c == '\0' ? QString() : QString(QLatin1Char(c));
}

char TextChar(const QString& text) {
    return text.isEmpty() ? '\0' : text.at(0).toLatin1();
}

// Showing the model leaves a field that already holds its value alone, so
// that a refresh does not move the cursor of someone typing in it.
void ShowText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

QLineEdit* TextField(const char* name, int maxLength, const char* hint) {
    auto* edit = Named(new QLineEdit, name);
    edit->setMaxLength(maxLength);
    edit->setToolTip(hint);
    return edit;
}

// A spin field with its caption before it and its unit after it; returns the
// row's widgets so that the row can be shown or hidden as one.
QList<QWidget*> AddRow(QGridLayout* grid, int row, const char* caption, QWidget* field,
                       const char* unit = nullptr) {
    QList<QWidget*> widgets;
    QLabel* label = Caption(caption, field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    widgets << label << field;
    if (unit) {
        auto* u = new QLabel(unit);
        grid->addWidget(u, row, 2);
        widgets << u;
    }
    return widgets;
}

void SetShown(const QList<QWidget*>& widgets, bool shown) {
    for (QWidget* w : widgets) {
        w->setVisible(shown);
    }
}

} // namespace

GeneralSetupPage::GeneralSetupPage(XmtrConfig& cfg, QWidget* parent) : QWidget(parent), cfg_(cfg) {
    setObjectName("GeneralSetupPage");
    Build();
    Connect();
    RefreshGeneralSetup(inputs_);
}

void GeneralSetupPage::Build() {
    auto* header = Named(new QGroupBox("Header Information"), "gbHeaderInfo");
    auto* headerGrid = new QGridLayout(header);
    pb1_ = TextField("PB1", 1, "Pseudo Binary Header Character 1");
    pb2_ = TextField("PB2", 1, "Pseudo Binary Header Character 2");
    pis_ = TextField("PIS", 40, "Platform Identification String");
    pb1_->setMaximumWidth(40);
    pb2_->setMaximumWidth(40);
    AddRow(headerGrid, 0, "Pseudo-Binary Header Character 1", pb1_);
    AddRow(headerGrid, 1, "Pseudo-Binary Header Character 2", pb2_);
    headerGrid->addWidget(Caption("Platform ID String", pis_), 2, 0);
    // The platform id string is a station value: while a template is
    // configured it moves to the start page, and comes back into this slot.
    auto* pisSlot = Named(new QWidget, "PISHome");
    auto* pisSlotLayout = new QHBoxLayout(pisSlot);
    pisSlotLayout->setContentsMargins(0, 0, 0, 0);
    pisSlotLayout->addWidget(pis_);
    headerGrid->addWidget(pisSlot, 2, 1, 1, 2);
    headerGrid->setColumnStretch(2, 1);

    gbGPSSync_ = Named(new QGroupBox("GPS Time Sync"), "gbGPSSync");
    auto* gpsGrid = new QGridLayout(gbGPSSync_);
    gpsTimeSync_ =
        IntSpin("RzGPSTimeSync", 0, 999, "Number of Timed Transimission Before GPS Sync");
    gpsTcxo_ = IntSpin("RzGPSTCXOCal", 0, 99, "Number of Days in between TCXO Cal");
    gpsOcxo_ = IntSpin("RzGPSOCXOCal", 0, 99, "Number of Days in between OCXO Cal");
    gpsTimeout_ = IntSpin("RzGPSSyncCalTimeout", 15, 30, "GPS Sync Timeout in minutes");
    AddRow(gpsGrid, 0, "GPS Time Sync", gpsTimeSync_, "# Timed Tx");
    advancedGpsRows_ << AddRow(gpsGrid, 1, "GPS TCXO Calibration", gpsTcxo_, "Days");
    advancedGpsRows_ << AddRow(gpsGrid, 2, "GPS OCXO Calibration", gpsOcxo_, "Days");
    advancedGpsRows_ << AddRow(gpsGrid, 3, "GPS Sync Timeout", gpsTimeout_, "Minutes");

    auto* power = Named(new QGroupBox("Power Up Enable"), "gbPowerUpEnable");
    auto* powerLayout = new QVBoxLayout(power);
    powerUp_ = Named(new QCheckBox("Enable TAVIN for Transmission On Power Up"), "cbPowerUpEnable");
    powerUp_->setToolTip("Check To Enable Transmitter On Power Up");
    powerLayout->addWidget(powerUp_);

    gbAdvanced_ = Named(new QGroupBox("Advanced Settings"), "gbAdvancedSettings");
    auto* advancedLayout = new QGridLayout(gbAdvanced_);
    invalidReplace_ = TextField("EdtInvalidReplace", 1, "Invaild Transmit Character Replacement");
    invalidReplace_->setMaximumWidth(40);
    AddRow(advancedLayout, 0, "Invalid Character Replacement", invalidReplace_);
    auto* txPower = Named(new QGroupBox("Transmit Power (Watts)"), "gbTxPower");
    auto* txGrid = new QGridLayout(txPower);
    pwr100_ = RealSpin("RzSpinTxPwr100", 0.0, 99.9, "100bps Data Rate Transmit Power ");
    pwr300_ = RealSpin("RzSpinTxPwr300", 0.0, 99.9, "300bps Data Rate Transmit Power");
    pwr1200_ = RealSpin("RzSpinTxPwr1200", 0.0, 99.9, "1200bps Data Rate Transmit Power ");
    pwr400_ = RealSpin("RzSpinTxPwr400", 0.0, 4.0, nullptr);
    // "400 BPS" takes the place of "100 BPS": one or the other is shown.
    goesPowerRow_ << AddRow(txGrid, 0, "100 BPS", pwr100_);
    argosPowerRow_ << AddRow(txGrid, 0, "400 BPS", pwr400_);
    goesPowerRow_ << AddRow(txGrid, 1, "300 BPS", pwr300_);
    goesPowerRow_ << AddRow(txGrid, 2, "1200 BPS", pwr1200_);
    advancedLayout->addWidget(txPower, 1, 0, 1, 3);

    gbSlash_ = Named(new QGroupBox("Forward Slash (/) for Null Data"), "gbSlash");
    auto* slashLayout = new QVBoxLayout(gbSlash_);
    slash_ = Named(new QCheckBox("Replace Null with Slash"), "cbSlash");
    slashLayout->addWidget(slash_);

    gbTimeZone_ = Named(new QGroupBox("Time Zone"), "gbTimeZone");
    auto* tzGrid = new QGridLayout(gbTimeZone_);
    timeZone_ = IntSpin("RzSpinTimeZone", -12, 12);
    AddRow(tzGrid, 0, "Offset from GMT", timeZone_);
    tzGrid->setColumnStretch(2, 1);

    auto* logger = Named(new QGroupBox("Logger Mode Enable"), "gbLoggerMode");
    auto* loggerLayout = new QVBoxLayout(logger);
    loggerMode_ = Named(new QCheckBox("Enable TAVIN In Logger Mode"), "cbLoggerMode");
    loggerMode_->setToolTip("Check To Enable TAVIN Logger");
    loggerLayout->addWidget(loggerMode_);

    auto* type = Named(new QGroupBox("Transmission Type"), "gbTransmissionType");
    auto* typeLayout = new QVBoxLayout(type);
    argos_ = Named(new QCheckBox("Enable ARGOS / SCD"), "cbEnableARGOSSCD");
    argos_->setToolTip("Check to enable ARGOS/SCD Transmission Mode, Uncheck for GOES Operation");
    scdChoice_ = new ChoiceGroup("rgGOESARGOSSCDselect", "", {"SCD", "ARGOS"}, 2);
    typeLayout->addWidget(argos_);
    typeLayout->addWidget(scdChoice_);

    // Two columns: what every unit has on the left, the optional and
    // advanced groups on the right.
    auto* grid = new QGridLayout(this);
    grid->addWidget(header, 0, 0);
    grid->addWidget(gbGPSSync_, 1, 0);
    grid->addWidget(power, 2, 0);
    grid->addWidget(type, 3, 0);
    grid->addWidget(gbAdvanced_, 0, 1, 2, 1);
    grid->addWidget(gbSlash_, 2, 1);
    grid->addWidget(gbTimeZone_, 3, 1);
    grid->addWidget(logger, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(2, 1);
}

void GeneralSetupPage::Connect() {
    TGeneralSettings& g = cfg_.General;
    connect(pb1_, &QLineEdit::textChanged, this,
            [&g](const QString& t) { g.PseudoBinaryHeader1 = TextChar(t); });
    connect(pb2_, &QLineEdit::textChanged, this,
            [&g](const QString& t) { g.PseudoBinaryHeader2 = TextChar(t); });
    connect(pis_, &QLineEdit::textChanged, this,
            [&g](const QString& t) { g.PlatformIdString = Latin1(t); });
    connect(invalidReplace_, &QLineEdit::textChanged, this,
            [&g](const QString& t) { g.InvalidReplaceChar = TextChar(t); });
    auto intField = [this](QSpinBox* spin, std::int32_t& value) {
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, [this, &value](int v) {
            if (!showing_) {
                value = v;
            }
        });
    };
    // The GPS fields: `RzGPSTimeSyncChange` and its three siblings.
    intField(gpsTimeSync_, g.GpsTimeSync);
    intField(gpsTcxo_, g.GpsTcxoCal);
    intField(gpsOcxo_, g.GpsOcxoCal);
    intField(gpsTimeout_, g.GpsSyncTimeout);
    intField(timeZone_, g.TimeZoneOffset);
    auto realField = [this](QDoubleSpinBox* spin, double& value) {
        connect(spin, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
                [this, &value](double v) {
                    if (!showing_) {
                        value = v;
                    }
                });
    };
    realField(pwr100_, g.TxPower100);
    realField(pwr300_, g.TxPower300);
    realField(pwr1200_, g.TxPower1200);
    realField(pwr400_, cfg_.RandomTx.ArgosTxPower);
    connect(powerUp_, &QCheckBox::toggled, this, [&g](bool on) { g.PowerUpEnable = on; });
    connect(slash_, &QCheckBox::toggled, this, [&g](bool on) { g.SlashForNull = on; });
    connect(loggerMode_, &QCheckBox::toggled, this, [&g](bool on) { g.LoggerMode = on; });
    connect(argos_, &QCheckBox::toggled, this, [this](bool on) { cbEnableARGOSSCDClick(on); });
    connect(scdChoice_, &ChoiceGroup::chosen, this,
            [this](int choice) { rgGOESARGOSSCDselectClick(choice); });
}

void GeneralSetupPage::cbEnableARGOSSCDClick(bool on) {
    cfg_.RandomTx.ArgosEnabled = on;
    scdChoice_->setEnabled(on);
    if (on) {
        scdChoice_->Select(cfg_.RandomTx.ScdEnabled ? kChoiceScd : kChoiceArgos);
    } else {
        // SCD keeps its value for the next time ARGOS is ticked.
        scdChoice_->Select(-1);
    }
    emit argosTicked(on);
    emit transmissionTypeChanged();
}

void GeneralSetupPage::rgGOESARGOSSCDselectClick(int choice) {
    cfg_.RandomTx.ScdEnabled = choice == kChoiceScd;
    emit transmissionTypeChanged();
}

void GeneralSetupPage::ShowValues() {
    // Showing the model must not write rounded or clamped values back.
    showing_ = true;
    const TGeneralSettings& g = cfg_.General;
    ShowText(pb1_, CharText(g.PseudoBinaryHeader1));
    ShowText(pb2_, CharText(g.PseudoBinaryHeader2));
    ShowText(pis_, Latin1(g.PlatformIdString));
    ShowText(invalidReplace_, CharText(g.InvalidReplaceChar));
    gpsTimeSync_->setValue(g.GpsTimeSync);
    gpsTcxo_->setValue(g.GpsTcxoCal);
    gpsOcxo_->setValue(g.GpsOcxoCal);
    gpsTimeout_->setValue(g.GpsSyncTimeout);
    timeZone_->setValue(g.TimeZoneOffset);
    pwr100_->setValue(g.TxPower100);
    pwr300_->setValue(g.TxPower300);
    pwr1200_->setValue(g.TxPower1200);
    pwr400_->setValue(cfg_.RandomTx.ArgosTxPower);
    showing_ = false;
    powerUp_->setChecked(g.PowerUpEnable);
    slash_->setChecked(g.SlashForNull);
    loggerMode_->setChecked(g.LoggerMode);
}

void GeneralSetupPage::RefreshGeneralSetup(const GeneralSetupInputs& in) {
    inputs_ = in;
    // Ticking the box from the model runs its reaction when the tick changes.
    argos_->setChecked(cfg_.RandomTx.ArgosEnabled);
    ShowValues();
    const GeneralSetupView v = GeneralSetupViewFor(cfg_, inputs_);
    scdChoice_->setEnabled(v.ChoiceEnabled);
    {
        const QSignalBlocker quiet(scdChoice_);
        scdChoice_->Select(v.ScdChoice);
    }
    SetShown(goesPowerRow_, v.GoesPowersShown);
    SetShown(argosPowerRow_, v.ArgosPowerShown);
    gbSlash_->setVisible(v.SlashShown);
    gbTimeZone_->setVisible(v.TimeZoneShown);
    loggerMode_->setEnabled(v.LoggerEnabled);
    gbAdvanced_->setVisible(v.AdvancedShown);
    SetShown(advancedGpsRows_, v.AllGpsFieldsShown);
}

} // namespace tavin
