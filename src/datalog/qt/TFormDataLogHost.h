#pragma once
// The data log window as the host of its logic: the main window's link, the
// memo, the receive timer, the progress box, the message boxes and the log
// file.

#include "datalog/DataLogHost.h"
#include "datalog/qt/LogBoxDialog.h"

#include <QSaveFile>

#include <memory>

namespace tavin {

class LinkHost;
class Prompter;
class TFormDataLog;
class TransmitterLink;

class TFormDataLogHost : public DataLogHost {
public:
    TFormDataLogHost(TFormDataLog& window, TransmitterLink& link, LinkHost& port,
                     Prompter& prompter, LogBoxFactory boxes);
    ~TFormDataLogHost() override;

    // The box showing now, or null.
    LogBoxDialog* BoxDialog() const { return box_.get(); }

    void QueueCommand(const std::string& command) override;
    bool PortOpen() const override;
    void SendDirect(std::string_view bytes) override;
    void ReleaseCurrentCommand() override;

    void AppendMemo(const std::string& line) override;
    void SetReceiveInterval(int milliseconds) override;
    void FiltersChanged() override;
    void ShowBacklog(std::string_view backlog) override;
    void RecordsStarting() override;
    void RecordDecoded(const LogRecord& record) override;

    void ShowBox(const LogBoxSetup& setup) override;
    bool BoxOpen() const override;
    void ShowBoxCancel() override;
    void SetBoxInstruction(const std::string& text) override;
    void SetBoxCommand(const std::string& text) override;
    void SetBoxProgress(bool visible, int maximum, int position) override;
    void CloseBoxAfter(int milliseconds, LogBoxResult result) override;

    bool AskYesNo(const std::string& text) override;
    bool AskErrorYesNo(const std::string& text) override;
    std::optional<std::string> ChooseSaveFile(const std::string& initialPath) override;

    bool CreateLogFile(const std::string& path) override;
    void WriteLogLine(const std::string& line) override;
    void CloseLogFile() override;

private:
    TFormDataLog& w_;
    TransmitterLink& link_;
    LinkHost& port_;
    Prompter& prompter_;
    LogBoxFactory boxes_;
    std::unique_ptr<LogBoxDialog> box_;
    std::unique_ptr<QSaveFile> file_;
};

} // namespace tavin
