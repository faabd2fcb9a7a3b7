#pragma once
// "Record Format Flags": the record flags of one data format row as check
// boxes. It opens with the row's flags text, the buffer's data format and the
// row's type; OK gives the flags text back, Cancel nothing.

#include "editor/DataFormatFlagsRules.h"

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QButtonGroup;
class QRadioButton;
class QGroupBox;

namespace tavin {

class TFrmDataFormatFlags : public QDialog {
    Q_OBJECT
public:
    TFrmDataFormatFlags(const std::string& flags, int dataFormat, char rowType, int itemIndex,
                        QWidget* parent = nullptr);

    // The flags text the boxes give now.
    std::string FlagsText() const;
    DataFormatFlagsState State() const;

    // Shows the dialog modally: the flags text on OK, nullopt on Cancel.
    static std::optional<std::string> Ask(const std::string& flags, int dataFormat, char rowType,
                                          int itemIndex, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Apply(const DataFormatFlagsState& state);

    QCheckBox* chkC_ = nullptr;
    QCheckBox* chkL_ = nullptr;
    QCheckBox* chkS_ = nullptr;
    QCheckBox* chkR_ = nullptr;
    QCheckBox* chkN_ = nullptr;
    QCheckBox* chkZ_ = nullptr;
    QGroupBox* rgLabelColon_ = nullptr;
    QRadioButton* colon_[3] = {};
    QButtonGroup* colonGroup_ = nullptr;
    DataFormatFlagsState opened_;
};

} // namespace tavin
