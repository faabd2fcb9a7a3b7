#include "editor/qt/TippingBucketGroup.h"

#include "editor/SensorGridTexts.h"
#include "editor/TippingBucketRules.h"
#include "editor/qt/SensorPageLayout.h"
#include "protocol/XmtrConfig.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace tavin {

namespace {

// The radio groups: three columns of choices.
constexpr int kChoiceColumns = 3;

} // namespace

TippingBucketGroup::TippingBucketGroup(XmtrConfig& config, const TUtilityControl& utility,
                                       QWidget* parent)
    : QGroupBox("Tipping Bucket Setup", parent), cfg_(config), utility_(utility) {
    setObjectName("gbTippingBucket");
    auto* layout = new QGridLayout(this);

    auto* rollOverLabel = new QLabel("Roll Over", this);
    rollOver_ = new QSpinBox(this);
    rollOver_->setObjectName("RzSpinTBRollOver");
    rollOver_->setRange(0, 65535);
    rollOver_->setToolTip(texts::kTBRollOverHint);
    layout->addWidget(rollOverLabel, 0, 0);
    layout->addWidget(rollOver_, 0, 1);
    connect(rollOver_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!refreshing_) {
            SetTBRollOver(cfg_, value);
        }
    });

    auto* multiplierBox = new QGroupBox("Multiplier", this);
    multiplierBox->setObjectName("rgTBMultiplier");
    multiplierBox->setToolTip(texts::kTBMultiplierHint);
    auto* multiplierLayout = new QGridLayout(multiplierBox);
    multiplier_ = new QButtonGroup(multiplierBox);
    for (int i = 0; i < kBucketMultiplierCount; ++i) {
        auto* b = new QRadioButton(kBucketMultiplierTexts[i], multiplierBox);
        multiplier_->addButton(b, i);
        multiplierLayout->addWidget(b, i / kChoiceColumns, i % kChoiceColumns);
    }
    connect(multiplier_, &QButtonGroup::idClicked, this, [this](int id) {
        if (!refreshing_) {
            SetTBMultiplier(cfg_, id);
        }
    });
    layout->addWidget(multiplierBox, 1, 0, 1, 2);

    resetBox_ = new QGroupBox("Reset Interval", this);
    resetBox_->setObjectName("rgTBResetInterval");
    resetBox_->setToolTip(texts::kTBResetHint);
    resetLayout_ = new QGridLayout(resetBox_);
    reset_ = new QButtonGroup(resetBox_);
    connect(reset_, &QButtonGroup::idClicked, this, [this](int id) {
        if (refreshing_ || id < 0 || id >= int(resetEntries_.size())) {
            return;
        }
        ChooseTBResetInterval(cfg_, utility_, resetEntries_[id]);
        Refresh();
    });
    layout->addWidget(resetBox_, 2, 0, 1, 2);

    resetNumberLabel_ = new QLabel(this);
    resetNumberLabel_->setObjectName("LblTBResetInterval");
    resetNumber_ = new QSpinBox(this);
    resetNumber_->setObjectName("RzSpinTBResetInterval");
    layout->addWidget(resetNumberLabel_, 3, 0);
    layout->addWidget(resetNumber_, 3, 1);
    connect(resetNumber_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!refreshing_) {
            SetTBResetNumber(cfg_, value);
        }
    });
    Refresh();
}

void TippingBucketGroup::BuildResetList(const std::vector<std::string>& entries) {
    if (entries == resetEntries_) {
        return;
    }
    for (QAbstractButton* b : reset_->buttons()) {
        reset_->removeButton(b);
        delete b;
    }
    resetEntries_ = entries;
    for (int i = 0; i < int(entries.size()); ++i) {
        auto* b = new QRadioButton(Latin1(entries[i]), resetBox_);
        reset_->addButton(b, i);
        resetLayout_->addWidget(b, i / kChoiceColumns, i % kChoiceColumns);
    }
}

void TippingBucketGroup::Refresh() {
    refreshing_ = true;
    const TippingBucketView v = RefreshTippingBucketSetup(cfg_, utility_);
    rollOver_->setValue(v.rollOver);
    multiplier_->button(v.multiplier)->setChecked(true);
    BuildResetList(v.resetEntries);
    reset_->button(v.resetIndex)->setChecked(true);
    resetNumber_->setVisible(v.numberShown);
    resetNumberLabel_->setVisible(v.numberShown);
    if (v.numberShown) {
        resetNumber_->setRange(v.numberMin, v.numberMax);
        resetNumber_->setValue(v.numberValue);
        resetNumber_->setToolTip(Latin1(v.numberHint));
        resetNumberLabel_->setText(Latin1(v.numberLabel));
    }
    refreshing_ = false;
}

} // namespace tavin
