#pragma once
// The main window as the host of the service windows' opening and closing
// steps: the sensor test controls, the poll timer, the pump and the link
// check.

#include "workflows/ServiceWindowSteps.h"

namespace tavin {

class TfrmXmtrCfg;

class ServiceMainWindowHost : public ServiceMainHost {
public:
    explicit ServiceMainWindowHost(TfrmXmtrCfg& window) : w_(window) {}

    bool CheckLinkReady(bool showMessage) override;
    bool SensorTestsRunning() const override;
    void StopSensorTestViews() override;
    void EnableAutoPoll(bool enabled) override;
    void EnableCommTimer() override;
    void InstallAlivePoll() override;
    void ConfigureAutoPoll() override;

private:
    TfrmXmtrCfg& w_;
};

} // namespace tavin
