#pragma once
// Small helpers the setting pages build their controls with.

#include <QGroupBox>
#include <QString>

class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class QWidget;

namespace tavin {

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QSpinBox* IntSpin(const char* name, int minimum, int maximum, const char* hint = nullptr);
QDoubleSpinBox* RealSpin(const char* name, double minimum, double maximum, const char* hint);
QLabel* Caption(const char* text, QWidget* buddy);

// A group whose caption is greyed keeps its fields as they are; only the
// title is drawn in the disabled colour.
void SetCaptionGreyed(QGroupBox* group, bool greyed);
bool CaptionGreyed(const QGroupBox* group);

QString Latin1(const std::string& text);
std::string Latin1(const QString& text);

} // namespace tavin
