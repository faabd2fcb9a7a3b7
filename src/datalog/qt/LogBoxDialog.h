#pragma once
// The progress box the data log window shows while it retrieves or erases.
// The window's opener supplies it (the program's own progress box), so that
// the window needs no more of the service windows than this.

#include "link/OperationBox.h"

#include <functional>
#include <memory>

class QWidget;

namespace tavin {

class LogBoxDialog {
public:
    virtual ~LogBoxDialog() = default;
    // The box's state: labels, bar, buttons and the delayed close, which the
    // dialog runs itself.
    virtual OperationBox& Box() = 0;
    // Shows the dialog modally until the box ends; returns its result.
    virtual int Exec() = 0;
};

using LogBoxFactory = std::function<std::unique_ptr<LogBoxDialog>(QWidget* parent)>;

} // namespace tavin
