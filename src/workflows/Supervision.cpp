#include "workflows/Supervision.h"

#include "link/LinkTexts.h"
#include "link/OperationBox.h"
#include "link/TransmitterLink.h"
#include "link/WindowMessages.h"
#include "protocol/CommandLine.h"
#include "protocol/GeneralSettings.h"
#include "protocol/GlbIni.h"
#include "protocol/TimeDataInfo.h"
#include "protocol/UtilityControl.h"
#include "protocol/ValueForms.h"
#include "protocol/Vocabulary.h"
#include "workflows/SupervisionTexts.h"

namespace tavin {

std::optional<std::string> HintToStatusPane(std::string_view hint, bool onMeasurementColumn) {
    if (hint.empty()) {
        return std::nullopt;
    }
    if (hint == texts::kSDI12GridHint) {
        if (onMeasurementColumn) {
            return std::string(texts::kMeasurementHint);
        }
        return std::nullopt;
    }
    return std::string(hint);
}

// The handler objects in the link's slots. Being of our own type, they tell
// which of supervision's handlers a slot holds.
struct Supervision::LineHandlerFn {
    Supervision* self;
    PollHandler kind;
    TransmitterLink::LineHandler inner;

    void operator()(const std::string& line) const {
        switch (kind) {
        case PollHandler::TAVINAlivePollHandler:
            self->TAVINAlivePollHandler(line);
            break;
        case PollHandler::MonitorInspectDataHandler:
            self->MonitorInspectDataHandler(line);
            break;
        case PollHandler::GPSStatusDataHandler:
            self->GPSStatusDataHandler(line);
            break;
        case PollHandler::SDI12SensorQueryHandler:
            self->SDI12SensorQueryHandler(line);
            break;
        case PollHandler::InternalSensorTestHandler:
            self->InternalSensorTestHandler(line);
            break;
        default:
            if (inner) {
                inner(line);
            }
            break;
        }
    }
};

struct Supervision::ProcedureFn {
    Supervision* self;
    PollProcedure kind;

    void operator()() const {
        switch (kind) {
        case PollProcedure::TAVINAlivePoll:
            self->TAVINAlivePoll();
            break;
        case PollProcedure::MonitorInspectPoll:
            self->MonitorInspectPoll();
            break;
        case PollProcedure::SDI12QueryPoll:
            self->SDI12QueryPoll();
            break;
        case PollProcedure::InternalSensorDataPoll:
            self->InternalSensorDataPoll();
            break;
        default:
            break;
        }
    }
};

// The clock display of the host, with what the status panel takes from the
// clock replies: the clock status field, and a valid time drops the
// remembered GPS text. The UTC reply's poll and flag belong to supervision.
class Supervision::TimeView : public TimeDataView {
public:
    TimeView(Supervision& s, TimeDataView* inner, bool dateLine)
        : s_(s), inner_(inner ? *inner : none_), dateLine_(dateLine) {}

    void ShowClockTime(std::string_view time) override { inner_.ShowClockTime(time); }
    void ShowClockDate(std::string_view date) override { inner_.ShowClockDate(date); }
    // The time and the date each have their status row: the monitor poll
    // asks for both every second, and one must not hide the other.
    void ShowClockStatus(std::string_view text) override {
        (dateLine_ ? s_.status_.ClockDateStatus : s_.status_.ClockStatus) = std::string(text);
        inner_.ShowClockStatus(text);
    }
    void ClearGpsText() override {
        ClearRememberedGpsText(s_.status_);
        inner_.ClearGpsText();
    }
    bool ClockWarningArmed() const override { return inner_.ClockWarningArmed(); }
    void DisarmClockWarning() override { inner_.DisarmClockWarning(); }
    void ShowUTCCorrection(int correction) override { inner_.ShowUTCCorrection(correction); }
    void ShowUTCSource(std::string_view text) override { inner_.ShowUTCSource(text); }
    void RearmAutoPoll() override { s_.ConfigureAutoPoll(); }
    void ClearUTCReadPending() override { s_.UTCReadPending = false; }
    void ShowErrorBox(std::string_view text) override { inner_.ShowErrorBox(text); }
    void ShowInfoBox(std::string_view text) override { inner_.ShowInfoBox(text); }

private:
    Supervision& s_;
    TimeDataView none_;
    TimeDataView& inner_;
    bool dateLine_;
};

Supervision::Supervision(TransmitterLink& link, XmtrConfig& config, ParseContext& parse,
                         TUtilityControl& utility, const TGlbIni& ini, SupervisionHost& host)
    : link_(link), config_(config), parse_(parse), utility_(utility), ini_(ini), host_(host) {
    ::tavin::ClearStatusInformation(status_, utility_.ExtendedTables());
}

void Supervision::Install(PollHandler handler, TransmitterLink::LineHandler inner) {
    if (handler == PollHandler::None) {
        link_.OperationHandler = nullptr;
    } else {
        link_.OperationHandler = LineHandlerFn{this, handler, std::move(inner)};
    }
}

void Supervision::InstallProcedure(PollProcedure procedure) {
    if (procedure == PollProcedure::None) {
        link_.AutoPollProcedure = nullptr;
    } else {
        link_.AutoPollProcedure = ProcedureFn{this, procedure};
    }
}

PollHandler Supervision::InstalledHandler() const {
    if (!link_.OperationHandler) {
        return PollHandler::None;
    }
    const auto* fn = link_.OperationHandler.target<LineHandlerFn>();
    return fn && fn->self == this ? fn->kind : PollHandler::Foreign;
}

PollProcedure Supervision::InstalledProcedure() const {
    if (!link_.AutoPollProcedure) {
        return PollProcedure::None;
    }
    const auto* fn = link_.AutoPollProcedure.target<ProcedureFn>();
    return fn && fn->self == this ? fn->kind : PollProcedure::Foreign;
}

StatusParseContext Supervision::StatusContext() {
    StatusParseContext ctx;
    ctx.Utility = &utility_;
    ctx.Ini = &ini_;
    ctx.PortOpen = host_.PortOpen();
    ctx.PortNumber = host_.PortNumber();
    ctx.ShowCommStatus = [this](const std::string& text) { host_.ShowCommStatus(text); };
    ctx.FirmwareLevelChanged = [this](int level) { host_.FirmwareLevelChanged(level); };
    return ctx;
}

void Supervision::ParseTime(std::string_view line) {
    TimeDataView* const hostView = parse_.TimeView;
    TimeView view(*this, hostView, IsSetFormOf(line, mn::DAT));
    parse_.TimeView = &view;
    ParseTimeDataInfo(line, config_, parse_);
    parse_.TimeView = hostView;
}

void Supervision::ClearStatusInformation() {
    ::tavin::ClearStatusInformation(status_, utility_.ExtendedTables());
    Changed();
}

void Supervision::ConfigureAutoPoll() {
    if (!host_.PortOpen()) {
        Install(PollHandler::None);
        InstallProcedure(PollProcedure::None);
        return;
    }
    if (!host_.AutoPollEnabled()) {
        host_.EnableAutoPoll(true);
    }
    host_.SetAutoPollInterval(kAlivePollMs);
    if (!host_.MonitorMode()) {
        InstallProcedure(PollProcedure::TAVINAlivePoll);
        Install(PollHandler::TAVINAlivePollHandler);
    } else {
        // Monitor mode installs its own poll once it knows the transmitter.
        Install(PollHandler::MonitorInspectDataHandler);
        InstallProcedure(PollProcedure::None);
    }
}

void Supervision::TimerAutoPollTimer() {
    if (link_.AutoPollProcedure) {
        const auto procedure = link_.AutoPollProcedure;
        procedure();
    }
}

void Supervision::DisableAutoPoll() {
    InstallProcedure(PollProcedure::None);
}

void Supervision::TAVINAlivePoll() {
    link_.QueueCommand(IdentifyPending ? QueryCmd(mn::ARG) : std::string());
}

void Supervision::TAVINAlivePollHandler(const std::string& received) {
    std::string_view line = received;
    if (Contains(line, "TOT=")) {
        link_.TransmitterAnswering = true;
        link_.SetIndicator(IndicatorLook::Ok);
        line = {};
    } else if (Contains(line, "TIM") || Contains(line, "DAT") || Contains(line, "UTC")) {
        ParseTime(line);
    } else {
        ParseGeneralTxConfiguration(line, config_, parse_);
    }
    // The platform id string is free text: a station named "ARG=1" is no
    // answer to the ARGOS query.
    const bool freeText = IsSetFormOf(line, mn::PIS);
    TRandomTxParams& r = config_.RandomTx;
    if (!freeText && Contains(line, "ARG=")) {
        if (Contains(line, "=1")) {
            r.ArgosEnabled = true;
            link_.QueueCommand(QueryCmd(mn::SCD));
        } else {
            r.ArgosEnabled = false;
            r.ScdEnabled = false;
            parse_.RederiveTxMode(config_);
            link_.QueueCommand(QueryCmd(mn::RST));
        }
    }
    if (!freeText && Contains(line, "SCD=")) {
        if (Contains(line, "=1")) {
            r.ArgosEnabled = true;
            r.ScdEnabled = true;
        } else if (Contains(line, "=0")) {
            r.ScdEnabled = false;
        }
        link_.QueueCommand(QueryCmd(mn::RST));
        parse_.RederiveTxMode(config_);
    }
    if (Contains(line, "Firmware")) {
        IdentifyPending = false;
        StatusParseContext ctx = StatusContext();
        ParseReadStatusInfo(line, status_, ctx);
        Changed();
    }
    if (UTCReadPending && Contains(line, "ERR")) {
        ConfigureAutoPoll();
        UTCReadPending = false;
        host_.ShowInfoBox(texts::kManualUTCNotAvailable);
    }
}

void Supervision::MonitorInspectDataHandler(const std::string& line) {
    const bool argos = config_.RandomTx.ArgosEnabled;
    if ((!argos && Contains(line, "NID=")) || (argos && Contains(line, "AID="))) {
        status_.PlatformIdCaption = std::string(kPlatformIdPrefix);
        status_.PlatformIdCaption += AfterFirst(line, '=');
        if (OperationBox* box = host_.OpenProgressBox()) {
            box->Close(mrCancel); // the identification box of Monitor mode
        }
    }
    StatusParseContext ctx = StatusContext();
    ParseReadStatusInfo(line, status_, ctx);
    ParseInternSensSample(line, status_);
    ParseSDI12Sample(line, status_);
    ParseLastTxStatus(line, status_);
    ParseGPSStatus(line, status_);
    ParseReadOfGPS(line, status_);
    ParseTime(line);
    ParseGeneralTxConfiguration(line, config_, parse_);
    ParseTxTimeSyncOscCalFields(line, config_, parse_);
    if (Contains(line, "GCS=")) {
        status_.GpsCalStatus = " ";
        status_.GpsCalStatus += AfterFirst(line, '=');
    }
    if (Contains(line, "TIM=Not Set") || Contains(line, "DAT=Not Set")) {
        link_.QueueCommand(QueryCmd(mn::GPS));
    }
    Changed();
}

void Supervision::GPSStatusDataHandler(const std::string& line) {
    ParseGPSLastCalibration(line, status_);
    ParseGPSStatus(line, status_);
    ParseReadOfGPS(line, status_);
    Changed();
}

bool Supervision::HandleWindowMessage(int message, int param) {
    if (message == ::tavin::UMEndLoadMessage) {
        this->UMEndLoadMessage(param);
        return true;
    }
    if (message == ::tavin::UMCommTimeOut) {
        this->UMCommTimeOut();
        return true;
    }
    return false;
}

void Supervision::UMEndLoadMessage(int param) {
    OperationBox* box = host_.OpenProgressBox();
    if (!box) {
        return;
    }
    if (param > 0) {
        box->SetVisible(BoxLabel::Command, false);
        box->SetDelayModalResultTime(param, mrOk);
        box->SetVisible(BoxButton::Cancel, true);
        link_.LoadEndMarker.clear();
    } else {
        box->Close(mrOk);
    }
}

void Supervision::UMCommTimeOut() {
    if (OperationBox* box = host_.OpenProgressBox()) {
        box->SetCaption(BoxLabel::Command, texts::kCommTimedOut);
        box->SetVisible(BoxLabel::Command, true);
        box->SetDelayModalResultTime(kTimedOutCloseMs, mrCancel);
    }
    const bool open = host_.PortOpen();
    const std::string com = texts::kCom + std::to_string(host_.PortNumber());
    if (host_.MonitorMode()) {
        if (open) {
            host_.ShowCommStatus(com + texts::kNoTavin);
            status_.PlatformIdCaption = texts::kPlatformIdNoTavin;
            ReidentifyPending = true;
        } else {
            host_.ShowCommStatus(texts::kComNone);
            status_.PlatformIdCaption = kPlatformIdCaption;
        }
    } else {
        host_.ShowCommStatus(open ? com : std::string(texts::kComNone));
    }

    IdentifyPending = true;
    ClearStatusInformation();
    link_.SetIndicator(IndicatorLook::Error);

    link_.ConfiguringAll = false;
    link_.ListXmitCmd.clear();
    link_.ReleaseCurrentCommand();

    host_.SetAutoPollInterval(kTimedOutPollMs);
    host_.EnableCommTimer();

    if (link_.RetrievingAll) {
        // A half-read configuration is worse than none.
        link_.RetrievingAll = false;
        config_.ClearAll(ini_);
        parse_.RederiveTxMode(config_);
        host_.RefreshAllViews();
    }
}

} // namespace tavin
