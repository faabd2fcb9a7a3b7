#pragma once
// What the data log logic needs from its surroundings: the link's command
// queue and port, the window's memo, receive timer and filter controls, the
// progress box, the dialogs and the log file. The GUI window, the command
// line tool and the tests each implement it.

#include <optional>
#include <string>
#include <string_view>

namespace tavin {

struct LogRecord;

enum class LogBoxResult { Ok, Cancel, No };

// How a progress box starts out.
struct LogBoxSetup {
    std::string operation;
    std::string cancelCaption;
    bool cancelVisible = false;
    std::string instruction;
    bool instructionVisible = false;
    bool commandVisible = false;
};

class DataLogHost {
public:
    virtual ~DataLogHost() = default;

    // Link: queue a command line (without its carriage return) on the
    // command queue; send bytes straight to the port, bypassing the queue.
    virtual void QueueCommand(const std::string& command) = 0;
    virtual bool PortOpen() const = 0;
    virtual void SendDirect(std::string_view bytes) = 0;
    // The command in progress counts as answered. After the abort bytes the
    // transmitter sends no prompt for it, and the link's retry would start the
    // dump again.
    virtual void ReleaseCurrentCommand() = 0;

    // Window.
    virtual void AppendMemo(const std::string& line) = 0;
    // The interval of the receive timer, which calls OnTimer.
    virtual void SetReceiveInterval(int milliseconds) = 0;
    // The filter controls changed in the model (a filter display arrived,
    // labels were set, the filter was cleared): show them again.
    virtual void FiltersChanged() {}
    // The hex text still waiting to be decoded (diagnostic memo).
    virtual void ShowBacklog(std::string_view) {}
    // A retrieval starts, and each record it decodes as the decoder holds it
    // (for views built from the records rather than from their text).
    virtual void RecordsStarting() {}
    virtual void RecordDecoded(const LogRecord&) {}

    // Progress box. ShowBox replaces any open box and shows the new one
    // modally; it may return at once or only when the box has closed. Either
    // way the host calls DataLogController::BoxClosed exactly once with the
    // box's result, after the box has closed.
    virtual void ShowBox(const LogBoxSetup& setup) = 0;
    virtual bool BoxOpen() const = 0;
    virtual void ShowBoxCancel() = 0; // make the cancel ("Abort") button visible
    virtual void SetBoxInstruction(const std::string& text) = 0;
    virtual void SetBoxCommand(const std::string& text) = 0;
    virtual void SetBoxProgress(bool visible, int maximum, int position) = 0;
    virtual void CloseBoxAfter(int milliseconds, LogBoxResult result) = 0;

    // Dialogs: a confirmation, an error question (both Yes/No, true for
    // Yes), and the save dialog ("*.txt", prompting before overwrite)
    // starting at initialPath; empty when cancelled.
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual bool AskErrorYesNo(const std::string& text) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const std::string& initialPath) = 0;

    // Log file: create it empty (false when it cannot be created), write one
    // line with its line end, close it.
    virtual bool CreateLogFile(const std::string& path) = 0;
    virtual void WriteLogLine(const std::string& line) = 0;
    virtual void CloseLogFile() = 0;
};

} // namespace tavin
