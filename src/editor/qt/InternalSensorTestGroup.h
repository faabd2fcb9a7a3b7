#pragma once
// The internal sensor tests of the "Internal Sensors" page: "Enable Sensor
// Test" and the "Tests" group it shows, whose buttons ask the transmitter
// for samples, the bucket count and value, the battery voltage, the
// temperature and an equation's result. The page's owner queues the
// commands and routes the replies back into the memo.

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;

namespace tavin {

class InternalSensorTestGroup : public QWidget {
    Q_OBJECT
public:
    explicit InternalSensorTestGroup(QWidget* parent);

    // A reply line for `MemoInternalSensorTest`.
    void AppendLine(const QString& line);
    // "Battery Voltage" is offered with the letter type codes.
    void SetBatteryShown(bool shown);
    bool TestsEnabled() const;
    // Unticks "Enable Sensor Test" without a word to the transmitter (the
    // session did that already).
    void UncheckQuietly();

signals:
    // "Enable Sensor Test" was ticked or unticked by the user (after the
    // "IST=0" of an untick went out as a TestCommand).
    void TestsEnabledChanged(bool enabled);
    // The box is ticked or not, whoever changed it.
    void TestsShownChanged(bool shown);
    // A command to queue.
    void TestCommand(const QString& command);
    // "Equation Test": the page finds the equation sensor.
    void EquationTestRequested();

private:
    void ShowTests(bool shown);
    void SendTestMode();

    QCheckBox* enable_ = nullptr;
    QGroupBox* tests_ = nullptr;
    QPushButton* battery_ = nullptr;
    QCheckBox* echo_ = nullptr;
    QCheckBox* collection_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
};

} // namespace tavin
