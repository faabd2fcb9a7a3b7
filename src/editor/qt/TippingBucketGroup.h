#pragma once
// "Tipping Bucket Setup": roll-over, multiplier and reset interval of the
// tipping bucket, shown from and stored into the configuration.

#include <QGroupBox>

class QButtonGroup;
class QLabel;
class QSpinBox;
class QGridLayout;

namespace tavin {

struct XmtrConfig;
class TUtilityControl;

class TippingBucketGroup : public QGroupBox {
    Q_OBJECT
public:
    TippingBucketGroup(XmtrConfig& config, const TUtilityControl& utility, QWidget* parent);

    // RefreshTippingBucketSetup.
    void Refresh();

private:
    void BuildResetList(const std::vector<std::string>& entries);

    XmtrConfig& cfg_;
    const TUtilityControl& utility_;
    QSpinBox* rollOver_ = nullptr;
    QButtonGroup* multiplier_ = nullptr;
    QGroupBox* resetBox_ = nullptr;
    QGridLayout* resetLayout_ = nullptr;
    QButtonGroup* reset_ = nullptr;
    std::vector<std::string> resetEntries_;
    QSpinBox* resetNumber_ = nullptr;
    QLabel* resetNumberLabel_ = nullptr;
    bool refreshing_ = false;
};

} // namespace tavin
