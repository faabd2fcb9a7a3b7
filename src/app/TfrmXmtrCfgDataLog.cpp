// The main window's "TAVIN Sensor Log" command: the data log window borrows
// the link while it is open. Idle polling stops so that no alive poll
// mixes its lines into the log, and comes back as it was afterwards.

#include "app/MainWindowHost.h"
#include "app/TfrmXmtrCfg.h"
#include "datalog/qt/TFormDataLog.h"
#include "link/qt/QtLink.h"
#include "protocol/CommandLine.h"
#include "protocol/Vocabulary.h"
#include "service/TFormOperationInfo.h"
#include "workflows/TransmitterSession.h"

#include <QPushButton>

namespace tavin {

namespace {

// The program's progress box as the data log window's box.
class OperationInfoLogBox : public LogBoxDialog {
public:
    explicit OperationInfoLogBox(QWidget* parent) : dialog_(parent) {}
    OperationBox& Box() override { return dialog_.Box(); }
    int Exec() override { return dialog_.exec(); }

private:
    TFormOperationInfo dialog_;
};

// The file dialogs start in a folder: "folder/" + "*.txt".
std::string AsFolder(std::string path) {
    if (!path.empty() && path.back() != '/' && path.back() != '\\') {
        path += '/';
    }
    return path;
}

} // namespace

void TfrmXmtrCfg::MenuTAVINSensorLogClick() {
    if (!session_->CheckLinkReady(true)) {
        return;
    }
    TransmitterLink& link = link_->Link();
    // Internal sensor tests would keep answering into the log.
    if (auto* test = findChild<QPushButton*>("cbEnableInternalSensorTests");
        test != nullptr && test->isChecked()) {
        link.QueueCommand(SetCmd(mn::IST, {"0"}));
        host_->UncheckSensorTest();
        parse_.InternalSensorTestOn = false;
    }

    DataLogSettings settings;
    settings.extendedTables = utility_.ExtendedTables();
    settings.saveLogToFile = ini_.SaveLogToFile;
    settings.saveLogAsHex = ini_.SaveLogAsHex;
    settings.logOpenPath = AsFolder(ini_.LogOpenPath);
    settings.logSavePath = AsFolder(ini_.LogSavePath);
    auto form = std::make_unique<TFormDataLog>(
        link, *link_, *prompter_,
        [](QWidget* parent) { return std::make_unique<OperationInfoLogBox>(parent); },
        std::move(settings), this);

    const bool pollWasOn = host_->TimerAutoPoll().isActive();
    host_->TimerAutoPoll().stop();
    link.OperationHandler = nullptr;
    TFormDataLog* window = form.get();
    link.ReplyHandler = [window](const std::string& line) { window->PacketHandler(line); };
    link_->EnableTimer(LinkTimer::Comm, true);

    // Closing the window in any way counts as "OK".
    form->exec();

    const DataLogSettings& kept = form->Settings();
    ini_.LogOpenPath = kept.logOpenPath;
    ini_.LogSavePath = kept.logSavePath;
    ini_.SaveLogToFile = kept.saveLogToFile;
    link.ReplyHandler = nullptr;
    link.OperationHandler = nullptr;
    if (pollWasOn) {
        host_->TimerAutoPoll().start();
    }
    form.reset();
    ConfigureAutoPoll();
}

} // namespace tavin
