// The sensor pages of the main window: the SDI-12, internal sensor,
// min/max/average and equation grids, the equation editor opened from the
// equation grid, and the internal sensor tests, which talk to the
// transmitter through the link and supervision.

#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "editor/qt/EquationsPage.h"
#include "editor/qt/InternalSensorTestGroup.h"
#include "editor/qt/InternalSensorsPage.h"
#include "editor/qt/MinMaxAvgPage.h"
#include "editor/qt/SDI12Page.h"
#include "equations/EquationText.h"
#include "equations/TFrmEquationEdit.h"
#include "link/qt/QtLink.h"
#include "workflows/Supervision.h"
#include "workflows/TransmitterSession.h"

#include <QPointer>
#include <QTimer>

namespace tavin {

namespace {

// A modal dialog's fallback: it closes itself after this long if nothing
// else ends it first (no box is left waiting forever on an unattended run).
constexpr int kEditorFallbackMs = 30 * 60 * 1000;

} // namespace

void TfrmXmtrCfg::BuildSensorPages() {
    sdi12Page_ = new SDI12Page(config_, utility_, ini_, pages_["TabSDI12"]);
    internalSensorsPage_ = new InternalSensorsPage(config_, utility_, pages_["TabInternalSensors"]);
    minMaxAvgPage_ = new MinMaxAvgPage(config_, utility_, ini_, pages_["TabMinMaxAvg"]);
    equationsPage_ = new EquationsPage(config_, pages_["TabEquations"]);
    sdi12Page_->SetPrompter(prompter_);
    internalSensorsPage_->SetPrompter(prompter_);
    minMaxAvgPage_->SetPrompter(prompter_);
    equationsPage_->SetPrompter(prompter_);

    // The tables name each other: sensor labels in the min/max/average
    // list, equations in the internal sensor types.
    connect(sdi12Page_, &SDI12Page::TableEdited, minMaxAvgPage_, &MinMaxAvgPage::Refresh);
    connect(internalSensorsPage_, &InternalSensorsPage::TableEdited, minMaxAvgPage_,
            &MinMaxAvgPage::Refresh);
    connect(equationsPage_, &EquationsPage::TableEdited, internalSensorsPage_,
            &InternalSensorsPage::Refresh);
    // The editor opens after the click that asked for it has finished, not
    // inside the cell editor that is closing.
    connect(
        equationsPage_, &EquationsPage::EditorRequested, this,
        [this](int row) { GridEquationsButtonClick(row); }, Qt::QueuedConnection);

    InternalSensorTestGroup& tests = internalSensorsPage_->Tests();
    connect(&tests, &InternalSensorTestGroup::TestsEnabledChanged, this,
            [this](bool on) { cbEnableInternalSensorTestsClick(on); });
    connect(&tests, &InternalSensorTestGroup::TestsShownChanged, this, [this](bool on) {
        if (!on) {
            parse_.InternalSensorTestOn = false;
        }
    });
    connect(&tests, &InternalSensorTestGroup::TestCommand, this,
            [this](const QString& command) { QueueInternalSensorTest(command.toStdString()); });
    parse_.AppendTestOutput = [this](std::string_view line) {
        AppendInternalSensorTest(std::string(line));
    };
}

void TfrmXmtrCfg::RefreshSensorViews() {
    if (!sdi12Page_) {
        return;
    }
    sdi12Page_->Refresh();
    internalSensorsPage_->Refresh();
    minMaxAvgPage_->Refresh();
    equationsPage_->Refresh();
}

void TfrmXmtrCfg::GridEquationsButtonClick(int row) {
    const std::string start = equationsPage_->EditorStartText(row);
    QPointer<TFrmEquationEdit> editor =
        new TFrmEquationEdit(utility_.EquationMathFunctions(), utility_.EquationLabels(), this);
    if (utility_.EquationLabels()) {
        editor->SetSensorLists(LabelledSensorReferences(config_, true),
                               LabelledSensorReferences(config_, false));
    }
    editor->SetEquation(start);
    QTimer::singleShot(kEditorFallbackMs, editor, [editor] {
        if (editor) {
            editor->reject();
        }
    });
    const bool ok = editor->exec() == QDialog::Accepted;
    if (!editor) {
        return; // the window went away while the editor was open
    }
    const std::string text = editor->Equation();
    delete editor;
    equationsPage_->EditorClosed(row, ok, text, start);
}

void TfrmXmtrCfg::cbEnableInternalSensorTestsClick(bool on) {
    Supervision& supervisor = session_->Supervisor();
    if (on) {
        parse_.InternalSensorTestOn = true;
        supervisor.InstallInternalSensorTest();
    } else {
        parse_.InternalSensorTestOn = false;
        supervisor.TemperatureTestPressed = false;
        ConfigureAutoPoll();
    }
}

void TfrmXmtrCfg::QueueInternalSensorTest(const std::string& command) {
    if (!link_->CheckLinkReady(true)) {
        return;
    }
    if (command.starts_with("TOT")) {
        // The handler shows temperature lines only after this button.
        session_->Supervisor().TemperatureTestPressed = true;
    }
    link_->Link().QueueCommand(command);
}

void TfrmXmtrCfg::AppendInternalSensorTest(const std::string& line) {
    if (internalSensorsPage_) {
        internalSensorsPage_->Tests().AppendLine(
            QString::fromLatin1(line.data(), int(line.size())));
    }
}

void TfrmXmtrCfg::UncheckInternalSensorTest() {
    if (internalSensorsPage_) {
        internalSensorsPage_->Tests().UncheckQuietly();
    }
}

void MainWindowHost::AppendInternalSensorTest(const std::string& line) {
    w_.AppendInternalSensorTest(line);
}

} // namespace tavin
