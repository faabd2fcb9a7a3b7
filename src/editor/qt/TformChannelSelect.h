#pragma once
// "Select Channel": picks the ARGOS channel and, with SCD selected, the SCD
// channel of the ARGOS/SCD channel text ("D5+A3").

#include "editor/ChannelSelectRules.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;

namespace tavin {

class TformChannelSelect : public QDialog {
    Q_OBJECT
public:
    TformChannelSelect(const std::string& channel, bool scdSelected, QWidget* parent = nullptr);

    // The channel text OK would give now.
    std::string Result() const;

    // Shows the dialog modally: the new channel text on OK, nullopt on
    // Cancel (the field keeps its text).
    static std::optional<std::string> Ask(const std::string& channel, bool scdSelected,
                                          QWidget* parent);

private:
    QComboBox* cbARGOSChan_ = nullptr;
    QComboBox* cbSCDChan_ = nullptr;
    bool scd_ = false;
};

} // namespace tavin
