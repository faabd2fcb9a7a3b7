#pragma once
// The main window's data buffer pages: the timed and random data format
// pages, the random triggers, the ARGOS/SCD data pack, the buffer check and
// refresh with their controls, and the two buffer tabs of Monitor mode. It
// also carries the reactions of these pages to the data source and format
// choices of the "Transmission Setup" page, for that page to call.

#include "link/TransmitterLink.h"
#include "protocol/GlbIni.h"
#include "protocol/ParseContext.h"
#include "protocol/XmtrConfig.h"
#include "workflows/BufferCheck.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace tavin {

class DataFormatPage;
class DataPackPage;
class Prompter;
class RandomTriggerPage;
class TransmitterSession;

class BufferPages : public BufferCheckHost {
public:
    struct Hooks {
        // Shows or hides a page of the main page control by name.
        std::function<void(const std::string& page, bool shown)> ShowPage;
        // The open progress box's dialog, to retitle it; null when none.
        std::function<QWidget*()> ProgressDialog;
        // A table changed through a page.
        std::function<void()> Edited;
    };

    BufferPages(XmtrConfig& cfg, ParseContext& ctx, TGlbIni& ini, TransmitterSession& session,
                Hooks hooks);
    ~BufferPages() override;

    // Builds the four pages into the main window's page widgets.
    void Build(const std::map<std::string, QWidget*>& pages);
    // Builds the Monitor mode views into the status tabs `TabTimedDataBfr`
    // and `TabRandomDataBfr`.
    void BuildStatusViews(QWidget* timedTab, QWidget* randomTab);

    // Every grid and its statistics from the model.
    void RefreshAll();
    // A page of the main window was enabled or disabled: a buffer page shows
    // or hides its editing controls with it.
    void PageEnabled(const std::string& page, bool enabled);

    DataFormatPage* TimedPage() const { return timed_; }
    DataFormatPage* RandomPage() const { return random_; }
    RandomTriggerPage* TriggerPage() const { return triggers_; }
    DataPackPage* PackPage() const { return pack_; }
    BufferCheck& Check() { return check_; }

    // --- Reactions of the "Transmission Setup" page ------------------------------
    // `rgTimedDataFormat` and the random format buttons (0 ASCII, 1 Pseudo,
    // 2 Binary).
    void TimedDataFormatChanged(int format);
    void RandomDataFormatChanged(int format);
    // `RefreshRandomDataFormat`: the random format buttons from the model.
    void RefreshRandomDataFormat();
    // The button of `btnedtARGOS_SCD_Chan`: "Select Channel" with the
    // field's text; the new text on OK, nullopt on Cancel.
    std::optional<std::string> SelectArgosScdChannel(const std::string& channel,
                                                     QWidget* parent) const;

    // --- BufferCheckHost ------------------------------------------------------------
    void UncheckBufferCheck(DataBuffer which) override;
    void ShowCheckMemo(DataBuffer which, bool shown) override;
    void ClearCheckMemo(DataBuffer which) override;
    void AppendCheckMemo(DataBuffer which, const std::string& line) override;
    void ShowRefreshButton(DataBuffer which, bool shown) override;
    void SetProgressBoxCaption(const std::string& caption) override;
    void ShowStatusBufferSize(DataBuffer which, const std::string& size) override;
    void ClearStatusMemo(DataBuffer which) override;
    void AppendStatusMemo(DataBuffer which, const std::string& line) override;

private:
    struct StatusView {
        QLabel* size = nullptr;
        QPlainTextEdit* memo = nullptr;
    };
    DataFormatPage* Page(DataBuffer which) const;
    void BuildStatusView(QWidget* tab, DataBuffer which);
    void Edited();

    XmtrConfig& cfg_;
    ParseContext& ctx_;
    TGlbIni& ini_;
    TransmitterSession& session_;
    Hooks hooks_;
    BufferCheck check_;
    QWidget* window_ = nullptr;
    DataFormatPage* timed_ = nullptr;
    DataFormatPage* random_ = nullptr;
    RandomTriggerPage* triggers_ = nullptr;
    DataPackPage* pack_ = nullptr;
    std::map<DataBuffer, StatusView> status_;
};

} // namespace tavin
