#include "files/qt/TfrmXmtrCfgPrefs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavin {

namespace {

// Object names follow the preference keys.
const char* BoxName(PrefsBox box) {
    static const char* const kNames[kPrefsBoxCount] = {
        "cbWorkOffline",      "cbShowStartUpScreen",  "cbDownloadSave",      "cbProtect",
        "cbShowFeedback",     "cbSaveLogAsHex",       "cbSaveLogToFile",     "cbPasswordPrompt",
        "cbShowEnableLogger", "cbSoundOnError",       "cbModifyOnDownload",  "cbLabelsInEquations",
        "cbVectorAverage",    "cbDefaultExtended",    "cbDefaultLogTrigger", "cbAllowIntervalDays",
        "cbTdfTabVisible",    "cbRdfTabVisible",      "cbARGOS_SCD",         "cbSDI12AllowChars",
        "cbSDI12Visible",     "cbInternalTabVisible", "cbCalOptionVisible",
    };
    return kNames[static_cast<int>(box)];
}

QVBoxLayout* PageLayout(QWidget* page) {
    return static_cast<QVBoxLayout*>(page->layout());
}

} // namespace

TfrmXmtrCfgPrefs::TfrmXmtrCfgPrefs(const TGlbIni& settings, int versionCode, QWidget* parent)
    : QDialog(parent), model_(settings, versionCode) {
    setObjectName("TfrmXmtrCfgPrefs");
    setWindowTitle("TAVIN Configuration Preferrences");
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("PageControlPrefs");
    // Every tab caption in sight: the dialog grows to fit them.
    tabs_->setUsesScrollButtons(false);
    layout->addWidget(tabs_);

    BuildConfigurationTab();

    QWidget* tmpl = AddTab("TabTemplateSetup", "Template Setup");
    AddBox(tmpl, PrefsBox::ModifyOnDownload,
           "Allow Template Modification When Configuring TAVIN from Template");

    QWidget* offline = AddTab("TabOfflineOperation", "Offline Operation");
    AddBox(offline, PrefsBox::LabelsInEquations, "Allow Sensor Labels in Equations");
    AddBox(offline, PrefsBox::VectorAverage, "Allow Vector Averaging");
    // Kept in the file and in the rules, but not offered.
    AddBox(offline, PrefsBox::DefaultExtended, "Default To Extend Command Set")->hide();
    AddBox(offline, PrefsBox::DefaultLogTrigger, "Default Logging Triggers")->hide();

    BuildTransmissionTab();

    QWidget* sensors = AddTab("TabSensors", "Sensors");
    AddBox(sensors, PrefsBox::SDI12AllowChars, "Allow SDI-12 Address Characters");
    AddBox(sensors, PrefsBox::SDI12Visible, "Show SDI-12 Sensors Tab");
    AddBox(sensors, PrefsBox::InternalTabVisible, "Show Internal Sensors Tab");

    QWidget* cal = AddTab("TabCalibration", "Calibration");
    AddBox(cal, PrefsBox::CalOptionVisible, "Show Calibration Menu");

    for (int i = 0; i < tabs_->count(); ++i) {
        PageLayout(tabs_->widget(i))->addStretch(1);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("PrefsButtons");
    buttons->button(QDialogButtonBox::Ok)->setObjectName("BtnOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("BtnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Sync();
}

QWidget* TfrmXmtrCfgPrefs::AddTab(const char* name, const char* caption) {
    auto* page = new QWidget(tabs_);
    page->setObjectName(name);
    new QVBoxLayout(page);
    tabs_->addTab(page, caption);
    return page;
}

QCheckBox* TfrmXmtrCfgPrefs::AddBox(QWidget* page, PrefsBox box, const char* caption,
                                    const char* hint) {
    auto* check = new QCheckBox(caption, page);
    check->setObjectName(BoxName(box));
    if (hint) {
        check->setToolTip(hint);
    }
    connect(check, &QCheckBox::clicked, this, [this, box](bool on) {
        model_.Click(box, on);
        Sync();
    });
    boxes_[static_cast<int>(box)] = check;
    PageLayout(page)->addWidget(check);
    return check;
}

void TfrmXmtrCfgPrefs::BuildConfigurationTab() {
    QWidget* page = AddTab("TabConfiguration", "Configuration");
    AddBox(page, PrefsBox::WorkOffline, "Work Offline",
           "Use All features of the Configuration Utility without a TAVIN Connected");
    AddBox(page, PrefsBox::ShowStartUpScreen, "Show Startup Screen");
    AddBox(page, PrefsBox::DownloadSave, "AutoSave Configuration to TAVIN on Download");
    AddBox(page, PrefsBox::Protect, "Protect Download");
    AddBox(page, PrefsBox::ShowFeedback, "Show TAVIN Communication Feedback");
    AddBox(page, PrefsBox::SaveLogAsHex, "Save Log as Hex");
    AddBox(page, PrefsBox::SaveLogToFile, "Save Log To File");
    AddBox(page, PrefsBox::PasswordPrompt, "Prompt for Password");
    AddBox(page, PrefsBox::ShowEnableLogger, "Show Enable Logger Button");
    AddBox(page, PrefsBox::SoundOnError, "Sound on Error");

    auto* row = new QHBoxLayout;
    auto* label = new QLabel("TAVIN Firmware Version", page);
    version_ = new QDoubleSpinBox(page);
    version_->setObjectName("spnTAVINVersion");
    version_->setDecimals(2);
    version_->setSingleStep(0.01);
    version_->setRange(0, 2000);
    label->setBuddy(version_);
    connect(version_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        model_.SetVersion(v);
        Sync();
    });
    auto* setDefault = new QPushButton("Set Default", page);
    setDefault->setObjectName("BtnSetDefault");
    setDefault->setToolTip(
        "Assume this firmware version at start-up until a TAVIN reports its own");
    connect(setDefault, &QPushButton::clicked, this, [this] { model_.SetDefault(); });
    row->addWidget(label);
    row->addWidget(version_);
    row->addWidget(setDefault);
    row->addStretch(1);
    PageLayout(page)->addLayout(row);
}

void TfrmXmtrCfgPrefs::BuildTransmissionTab() {
    QWidget* page = AddTab("TabTransmissionSetup", "Transmission Setup");
    AddBox(page, PrefsBox::AllowIntervalDays, "Allow Interval Days");
    AddBox(page, PrefsBox::TdfTabVisible, "Show Timed Data Buffer Tab");
    AddBox(page, PrefsBox::RdfTabVisible, "Show Random Data Buffer Tab");
    AddBox(page, PrefsBox::ArgosScd, "Enable ARGOS/SCD");
    auto* row = new QHBoxLayout;
    row->addSpacing(24);
    choice_ = new QButtonGroup(page);
    choice_->setObjectName("rgArgosScd");
    scd_ = new QRadioButton("SCD", page);
    scd_->setObjectName("rbSCD");
    argos_ = new QRadioButton("ARGOS", page);
    argos_->setObjectName("rbARGOS");
    choice_->addButton(scd_);
    choice_->addButton(argos_);
    connect(scd_, &QRadioButton::clicked, this, [this] {
        model_.Choose(true);
        Sync();
    });
    connect(argos_, &QRadioButton::clicked, this, [this] {
        model_.Choose(false);
        Sync();
    });
    row->addWidget(scd_);
    row->addWidget(argos_);
    row->addStretch(1);
    PageLayout(page)->addLayout(row);
}

void TfrmXmtrCfgPrefs::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    tabs_->setCurrentIndex(0);
}

void TfrmXmtrCfgPrefs::Sync() {
    for (int i = 0; i < kPrefsBoxCount; ++i) {
        const PrefsBoxState state = model_.Box(static_cast<PrefsBox>(i));
        boxes_[i]->setChecked(state.checked);
        boxes_[i]->setEnabled(state.enabled);
    }
    {
        const QSignalBlocker block(version_);
        if (version_->value() != model_.Version()) {
            version_->setValue(model_.Version());
        }
    }
    // A cleared choice needs the group's exclusiveness off for a moment.
    choice_->setExclusive(false);
    scd_->setChecked(model_.Choice() == ScdChoice::Scd);
    argos_->setChecked(model_.Choice() == ScdChoice::Argos);
    choice_->setExclusive(true);
    scd_->setEnabled(model_.ChoiceEnabled());
    argos_->setEnabled(model_.ChoiceEnabled());
}

} // namespace tavin
