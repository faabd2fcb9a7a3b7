#include "editor/qt/PageWidgets.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>

namespace tavin {

QSpinBox* IntSpin(const char* name, int minimum, int maximum, const char* hint) {
    auto* spin = Named(new QSpinBox, name);
    spin->setRange(minimum, maximum);
    spin->setWrapping(true);
    if (hint) {
        spin->setToolTip(hint);
    }
    return spin;
}

QDoubleSpinBox* RealSpin(const char* name, double minimum, double maximum, const char* hint) {
    auto* spin = Named(new QDoubleSpinBox, name);
    spin->setRange(minimum, maximum);
    spin->setDecimals(1);
    spin->setSingleStep(0.1);
    spin->setWrapping(true);
    if (hint) {
        spin->setToolTip(hint);
    }
    return spin;
}

QLabel* Caption(const char* text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

void SetCaptionGreyed(QGroupBox* group, bool greyed) {
    group->setProperty("captionGreyed", greyed);
    group->setStyleSheet(
        greyed ? QStringLiteral("QGroupBox#%1::title { color: gray; }").arg(group->objectName())
               : QString());
}

bool CaptionGreyed(const QGroupBox* group) {
    return group->property("captionGreyed").toBool();
}

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::string Latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace tavin
