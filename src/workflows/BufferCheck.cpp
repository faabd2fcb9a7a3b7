#include "workflows/BufferCheck.h"

#include "link/OperationBox.h"
#include "protocol/DataFormatConfig.h"
#include "protocol/UtilityControl.h"
#include "protocol/ValueForms.h"
#include "workflows/ConfigTransfer.h"
#include "workflows/TransmitterSession.h"
#include "workflows/WorkflowTexts.h"

namespace tavin {

namespace {

constexpr char kTransmitterEnabled[] = "TAVIN is currently Enabled\rFeature Disabled";
constexpr char kUpdatingCaption[] = "Updating TAVIN Configuration";
constexpr char kUpdatingTimed[] = "Updating Timed Data Buffer Information";
constexpr char kUpdatingRandom[] = "Updating Random Data Buffer Information";
constexpr char kUpdatedCaption[] = "TAVIN Configuration Updated";
constexpr char kCompletingRefresh[] = "Completing Refresh";
constexpr char kRefreshErrorCaption[] = "Updating TAVIN Configuration ERROR";
constexpr char kTimedRefreshError[] = "Timed Buffer Refresh ERROR";
constexpr char kRandomRefreshError[] = "Random Buffer Refresh ERROR";
constexpr char kReconfigure[] = "Reconfigure the TAVIN";
constexpr int kRefreshDoneMs = 1000;
constexpr int kRefreshErrorMs = 3000;

// The commands of one buffer.
struct BufferWords {
    const char* build;    // "TDP": build the test buffer
    const char* query;    // "TBD?": read it
    const char* sizeLine; // "TBD=": the size line that starts the dump
    const char* dump;     // "TBD": the live buffer (Monitor mode)
    const char* dumpEcho; // ">TBD": the dump's echo after a prompt
};

const BufferWords& Words(DataBuffer which) {
    static const BufferWords timed{"TDP", "TBD?", "TBD=", "TBD", ">TBD"};
    static const BufferWords random{"RDP", "RBD?", "RBD=", "RBD", ">RBD"};
    return which == DataBuffer::Timed ? timed : random;
}

bool StartsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

} // namespace

// Queues into the link and notes each format row as the last one, so that
// the refresh knows which echo and "OK" end it.
class BufferCheck::RefreshSink : public CommandSink {
public:
    RefreshSink(TransmitterLink& link, BufferCheck& check) : link_(link), check_(check) {}
    void Add(std::string line) override { link_.QueueCommand(std::move(line)); }
    void SetLoadEndMarker(std::string_view marker) override {
        link_.LoadEndMarker = std::string(marker);
    }
    void NoteDataFormatCommand(std::string_view line) override {
        check_.LastFormatCommand = std::string(line);
        check_.LastFormatEchoed = false;
    }

private:
    TransmitterLink& link_;
    BufferCheck& check_;
};

// The handlers this object installs, of one type so that it can tell its own
// from another operation's.
struct BufferCheck::HandlerFn {
    BufferCheck* self;
    DataBuffer which;
    bool refresh;
    void operator()(const std::string& line) const {
        if (refresh) {
            self->BufferRefreshHandler(which, line);
        } else {
            self->BufferCheckHandler(which, line);
        }
    }
};

BufferCheck::BufferCheck(TransmitterSession& session, BufferCheckHost& host)
    : s_(session), host_(host) {}

// --- Check -------------------------------------------------------------------------------

void BufferCheck::StartCheck(DataBuffer which) {
    s_.Link().QueueCommand(Words(which).build);
    s_.Link().OperationHandler = HandlerFn{this, which, false};
    CheckQuerySent = false;
    DumpStarted = false;
}

void BufferCheck::EndCheck(DataBuffer which) {
    // Only the check's own handler goes: unticking a box that is not
    // checking (before a send, say) leaves another operation's alone.
    TransmitterLink::LineHandler& handler = s_.Link().OperationHandler;
    if (const HandlerFn* own = handler.target<HandlerFn>(); own && own->which == which) {
        handler = nullptr;
    }
    host_.ShowCheckMemo(which, false);
    host_.ShowRefreshButton(which, false);
}

void BufferCheck::BufferCheckClick(DataBuffer which, bool checked) {
    if (checked) {
        StartCheck(which);
    } else {
        EndCheck(which);
    }
}

void BufferCheck::HideDataBufferReviewControls() {
    for (DataBuffer which : {DataBuffer::Timed, DataBuffer::Random}) {
        host_.UncheckBufferCheck(which);
        BufferCheckClick(which, false);
    }
}

void BufferCheck::BufferCheckHandler(DataBuffer which, const std::string& line) {
    const BufferWords& w = Words(which);
    if (line == "ERR") {
        // The transmitter builds no test buffer while it is enabled.
        host_.UncheckBufferCheck(which);
        EndCheck(which);
        s_.Host().ShowErrorBox(kTransmitterEnabled);
        return;
    }
    if (line == ">" && !CheckQuerySent) {
        host_.ShowCheckMemo(which, true);
        host_.ClearCheckMemo(which);
        s_.Link().QueueCommand(w.query);
        CheckQuerySent = true;
        host_.ShowRefreshButton(which, true);
        return;
    }
    if (Contains(line, w.sizeLine)) {
        DumpStarted = true;
        return;
    }
    if (!DumpStarted || line.empty() || line == w.build || line == ">" || line == w.query) {
        return;
    }
    // The timed check leaves out every line that names its build command;
    // the random one only that command's own echo.
    if (which == DataBuffer::Timed && Contains(line, w.build)) {
        return;
    }
    host_.AppendCheckMemo(which, line);
}

// --- Refresh -----------------------------------------------------------------------------

void BufferCheck::BufferRefreshClick(DataBuffer which) {
    const bool timed = which == DataBuffer::Timed;
    s_.OpenWorkingBox(kUpdatingCaption, timed ? kUpdatingTimed : kUpdatingRandom, [](int) {});

    TransmitterLink& link = s_.Link();
    link.OperationHandler = HandlerFn{this, which, true};
    if (s_.Utility().ExtendedTables()) {
        s_.Transfer().QueueCountCommands();
    }
    // With no format row to send the clearing command is the last one, so
    // that an emptied format also completes.
    LastFormatCommand = timed ? "TDP=CLEAR" : "RDP=CLEAR";
    LastFormatEchoed = false;
    RefreshSink sink(link, *this);
    if (timed) {
        ConfigTimedDataParam(s_.Config(), s_.Context(), sink);
    } else {
        ConfigRandomDataParam(s_.Config(), s_.Context(), sink);
        link.LoadEndMarker = Words(which).dump;
    }
    s_.ShowProgressBox();
}

void BufferCheck::BufferRefreshHandler(DataBuffer which, const std::string& line) {
    if (!LastFormatCommand.empty() && line == LastFormatCommand) {
        LastFormatEchoed = true;
        return;
    }
    OperationBox* box = s_.ProgressBox();
    if (line == "OK" && LastFormatEchoed) {
        if (box != nullptr) {
            host_.SetProgressBoxCaption(kUpdatedCaption);
            box->SetCaption(BoxLabel::Operation, kCompletingRefresh);
            box->SetCaption(BoxLabel::Instruction, texts::kPleaseWait);
            box->SetCaption(BoxLabel::Command, "");
            box->SetVisible(BoxLabel::Command, false);
            box->SetDelayModalResultTime(kRefreshDoneMs, mrOk);
        }
        LastFormatEchoed = false;
        // The check runs again on the new format.
        StartCheck(which);
        return;
    }
    if (line == "ERR") {
        s_.Link().ListXmitCmd.clear();
        if (box != nullptr) {
            host_.SetProgressBoxCaption(kRefreshErrorCaption);
            box->SetCaption(BoxLabel::Operation,
                            which == DataBuffer::Timed ? kTimedRefreshError : kRandomRefreshError);
            box->SetCaption(BoxLabel::Instruction, kReconfigure);
            box->SetCaption(BoxLabel::Command, "");
            box->SetVisible(BoxLabel::Command, false);
            box->SetDelayModalResultTime(kRefreshErrorMs, mrCancel);
        }
    }
}

// --- Monitor mode -------------------------------------------------------------------------

void BufferCheck::DataBufferStatusHandler(DataBuffer which, const std::string& line) {
    const BufferWords& w = Words(which);
    if (Contains(line, w.sizeLine)) {
        host_.ShowStatusBufferSize(which, std::string(AfterFirst(line, '=')));
        host_.ClearStatusMemo(which);
        DumpStarted = true;
        return;
    }
    if (DumpStarted && !line.empty() && !Contains(line, w.dumpEcho) && !StartsWith(line, w.dump) &&
        line != ">") {
        host_.AppendStatusMemo(which, line);
    }
}

TransmitterLink::LineHandler BufferCheck::StatusHandler(DataBuffer which) {
    return [this, which](const std::string& line) { DataBufferStatusHandler(which, line); };
}

} // namespace tavin
