#include "editor/qt/InternalSensorTestGroup.h"

#include "editor/InternalSensorTests.h"
#include "editor/SensorGridTexts.h"
#include "editor/qt/SensorPageLayout.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavin {

InternalSensorTestGroup::InternalSensorTestGroup(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlInternalSensorTests");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    enable_ = new QCheckBox("Enable Sensor Test", this);
    enable_->setObjectName("cbEnableInternalSensorTests");
    enable_->setToolTip(texts::kEnableSensorTestHint);
    layout->addWidget(enable_);

    tests_ = new QGroupBox("Tests", this);
    tests_->setObjectName("gbInternalSensorTests");
    auto* grid = new QGridLayout(tests_);
    int row = 0;
    for (const InternalTestQuery& q : InternalTestQueries()) {
        auto* b = NamedButton(tests_, q.name, q.caption);
        const QString command = Latin1(q.command);
        connect(b, &QPushButton::clicked, this, [this, command] { emit TestCommand(command); });
        grid->addWidget(b, row / 2, row % 2);
        if (q.command == "RBV?") {
            battery_ = b;
        }
        ++row;
    }
    auto* equation = NamedButton(tests_, "btnEquationQuery", "Equation Test");
    connect(equation, &QPushButton::clicked, this, &InternalSensorTestGroup::EquationTestRequested);
    grid->addWidget(equation, row / 2, row % 2);
    row = (row + 2) / 2;

    auto* preset = new QSpinBox(tests_);
    preset->setObjectName("RzSpinTBPreset");
    preset->setRange(0, 65535);
    auto* set = NamedButton(tests_, "btnTipBucketPreset", "Set", "Preset the Tipping Bucket Count");
    connect(set, &QPushButton::clicked, this,
            [this, preset] { emit TestCommand(Latin1(BucketPresetCommand(preset->value()))); });
    grid->addWidget(preset, row, 0);
    grid->addWidget(set, row, 1);
    ++row;

    echo_ = new QCheckBox("Echo", tests_);
    echo_->setObjectName("cbISTEcho");
    collection_ = new QCheckBox("Collection", tests_);
    collection_->setObjectName("cbISTCollection");
    connect(echo_, &QCheckBox::clicked, this, &InternalSensorTestGroup::SendTestMode);
    connect(collection_, &QCheckBox::clicked, this, &InternalSensorTestGroup::SendTestMode);
    grid->addWidget(echo_, row, 0);
    grid->addWidget(collection_, row, 1);
    ++row;

    memo_ = new QPlainTextEdit(tests_);
    memo_->setObjectName("MemoInternalSensorTest");
    memo_->setReadOnly(true);
    memo_->setMaximumBlockCount(2000);
    grid->addWidget(memo_, row, 0, 1, 2);
    grid->setRowStretch(row, 1);
    ++row;
    auto* clear = NamedButton(tests_, "BtnClearInternSensMemo", "Clear");
    connect(clear, &QPushButton::clicked, memo_, &QPlainTextEdit::clear);
    grid->addWidget(clear, row, 0);
    layout->addWidget(tests_, 1);
    layout->addStretch(0);

    // Whoever unticks the box (the user, or the window leaving the mode),
    // the group goes and "Echo" and "Collection" follow without a command
    // of their own.
    connect(enable_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) {
            echo_->setChecked(false);
            collection_->setChecked(false);
        }
        ShowTests(on);
        emit TestsShownChanged(on);
    });
    connect(enable_, &QCheckBox::clicked, this, [this](bool on) {
        if (!on) {
            emit TestCommand(Latin1(InternalSensorTestModeCommand(false, false)));
        }
        emit TestsEnabledChanged(on);
    });
    ShowTests(false);
}

void InternalSensorTestGroup::ShowTests(bool shown) {
    tests_->setEnabled(shown);
    tests_->setVisible(shown);
}

void InternalSensorTestGroup::SendTestMode() {
    emit TestCommand(
        Latin1(InternalSensorTestModeCommand(echo_->isChecked(), collection_->isChecked())));
}

void InternalSensorTestGroup::AppendLine(const QString& line) {
    memo_->appendPlainText(line);
}

void InternalSensorTestGroup::SetBatteryShown(bool shown) {
    if (battery_) {
        battery_->setVisible(shown);
    }
}

bool InternalSensorTestGroup::TestsEnabled() const {
    return enable_->isChecked();
}

void InternalSensorTestGroup::UncheckQuietly() {
    const bool blocked = enable_->blockSignals(true);
    enable_->setChecked(false);
    enable_->blockSignals(blocked);
    echo_->setChecked(false);
    collection_->setChecked(false);
    ShowTests(false);
}

} // namespace tavin
