#include "ui/FixedLocale.h"

#include <QLocale>

#include <clocale>

namespace tavin {

void ApplyFixedFormats() {
    QLocale fixed(QLocale::English, QLocale::UnitedStates);
    // No digit grouping where the program turns numbers into text for the
    // transmitter; the thousands separator is "," wherever grouping is shown.
    fixed.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(fixed);
    // QCoreApplication adopts the environment's locale for the C library;
    // undo that for numbers so that nothing depends on it.
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace tavin
