#pragma once
// The preferences dialog: a view of PrefsDialogModel. Every click goes to the
// model and every box is shown again from it, so the dialog holds no rule of
// its own. The caller takes Accepted() and VersionCode() after OK.

#include "files/PrefsDialogModel.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QDoubleSpinBox;
class QRadioButton;
class QTabWidget;

namespace tavin {

class TfrmXmtrCfgPrefs : public QDialog {
    Q_OBJECT
public:
    TfrmXmtrCfgPrefs(const TGlbIni& settings, int versionCode, QWidget* parent = nullptr);

    const PrefsDialogModel& Model() const { return model_; }
    // The settings to keep after OK.
    TGlbIni Accepted() const { return model_.Accepted(); }
    int VersionCode() const { return model_.VersionCode(); }

    QCheckBox* BoxWidget(PrefsBox box) const { return boxes_[static_cast<int>(box)]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* AddTab(const char* name, const char* caption);
    QCheckBox* AddBox(QWidget* page, PrefsBox box, const char* caption, const char* hint = nullptr);
    void BuildConfigurationTab();
    void BuildTransmissionTab();
    // Every control shows the model again.
    void Sync();

    PrefsDialogModel model_;
    QTabWidget* tabs_ = nullptr;
    std::array<QCheckBox*, kPrefsBoxCount> boxes_{};
    QDoubleSpinBox* version_ = nullptr;
    QButtonGroup* choice_ = nullptr;
    QRadioButton* scd_ = nullptr;
    QRadioButton* argos_ = nullptr;
};

} // namespace tavin
