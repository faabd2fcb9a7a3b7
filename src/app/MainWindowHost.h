#pragma once
// The main window as the host of the session's workflows and of link
// supervision: message boxes, the progress box dialog, the poll timer, the
// status panel and the fields the user typed.

#include "workflows/SupervisionHost.h"
#include "workflows/TransmitterSessionHost.h"

#include <QObject>
#include <QTimer>

#include <memory>

namespace tavin {

class TFormOperationInfo;
class TfrmXmtrCfg;

class MainWindowHost : public QObject, public SessionHost, public SupervisionHost {
    Q_OBJECT
public:
    explicit MainWindowHost(TfrmXmtrCfg& window);
    ~MainWindowHost() override;

    QTimer& TimerAutoPoll() { return timerAutoPoll_; }
    // The progress box dialog while one is shown, else null.
    TFormOperationInfo* BoxDialog() const { return dialog_; }

    // --- SessionHost -----------------------------------------------------------
    void ShowErrorBox(const std::string& text) override;
    void ShowInfoBox(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    void ShowProgressBox(OperationBox& box, const std::string& caption) override;
    void ProgressBoxChanged(const OperationBox& box) override;
    void StartBoxDelayTimer(int ms) override;
    void StopBoxDelayTimer() override;
    void ProgressBoxClosed(int result) override;
    void RefreshConfigViews() override;
    void ShowPlatformId(const std::string& id) override;
    void ChannelsLoaded() override;
    void CopyTxFieldsToModel() override;
    void MainPageChanged() override;
    void UncheckSensorTest() override;
    void ReplaceDebugMemo(const std::vector<std::string>& lines) override;
    void FocusControl(const FocusTarget& target) override;
    bool TabEnabled(const std::string& page) const override;
    void ShowClockTime(const std::string& time) override;
    void ShowClockDate(const std::string& date) override;
    void ShowClockStatus(const std::string& text) override;
    void ShowUTCCorrection(int correction) override;
    void ShowUTCSource(const std::string& text) override;
    void SaveUTCCorrectionPreference() override;
    std::string PlatformIdText() const override;
    std::string ClockTimeText() const override;
    std::string ClockDateText() const override;
    std::string UTCCorrectionText() const override;

    // --- SupervisionHost -------------------------------------------------------
    void SetAutoPollInterval(int ms) override;
    void EnableAutoPoll(bool enabled) override;
    bool AutoPollEnabled() const override { return timerAutoPoll_.isActive(); }
    void EnableCommTimer() override;
    bool PortOpen() const override;
    int PortNumber() const override;
    bool MonitorMode() const override;
    StatusTab ActiveStatusTab() const override;
    void ShowCommStatus(const std::string& text) override;
    void StatusViewChanged() override;
    OperationBox* OpenProgressBox() override;
    void FirmwareLevelChanged(int level) override;
    void RefreshAllViews() override;
    // The buffer check's (TfrmXmtrCfgBuffers.cpp).
    void HideDataBufferReviewControls() override;
    void ClearDumpStarted() override;
    TransmitterLink::LineHandler TimedDataBufferStatusHandler() override;
    TransmitterLink::LineHandler RandomDataBufferStatusHandler() override;
    void AppendSDI12Query(const std::string& line) override;
    void AppendInternalSensorTest(const std::string& line) override;

private:
    TfrmXmtrCfg& w_;
    QTimer timerAutoPoll_;
    QTimer boxDelay_;
    TFormOperationInfo* dialog_ = nullptr;
};

} // namespace tavin
