#include "app/BufferPages.h"

#include "editor/BufferSourceRules.h"
#include "editor/qt/DataFormatPage.h"
#include "editor/qt/DataPackPage.h"
#include "editor/qt/RandomTriggerPage.h"
#include "editor/qt/SensorPageLayout.h"
#include "editor/qt/TformChannelSelect.h"
#include "protocol/HeaderFieldWidth.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

} // namespace

BufferPages::BufferPages(XmtrConfig& cfg, ParseContext& ctx, TGlbIni& ini,
                         TransmitterSession& session, Hooks hooks)
    : cfg_(cfg), ctx_(ctx), ini_(ini), session_(session), hooks_(std::move(hooks)),
      check_(session, *this) {}

BufferPages::~BufferPages() = default;

void BufferPages::Build(const std::map<std::string, QWidget*>& pages) {
    const auto page = [&](const char* name) {
        auto it = pages.find(name);
        return it != pages.end() ? it->second : nullptr;
    };
    QWidget* timedTab = page("TabTimedDataFormat");
    QWidget* randomTab = page("TabRandomDataFormat");
    QWidget* triggerTab = page("TabRandomTrigger");
    QWidget* packTab = page("TabARGOSDataPack");
    if (!timedTab || !randomTab || !triggerTab || !packTab) {
        return;
    }
    window_ = timedTab->window();
    timed_ = new DataFormatPage(cfg_, ctx_, kTimedBuffer, timedTab);
    random_ = new DataFormatPage(cfg_, ctx_, kRandomBuffer, randomTab);
    triggers_ = new RandomTriggerPage(cfg_, ctx_, triggerTab);
    pack_ = new DataPackPage(cfg_, ctx_, packTab);
    FillPage(timedTab, timed_);
    FillPage(randomTab, random_);
    FillPage(triggerTab, triggers_);
    FillPage(packTab, pack_);

    for (DataBuffer which : {DataBuffer::Timed, DataBuffer::Random}) {
        DataFormatPage* p = Page(which);
        p->OnCheckClicked = [this, which](bool checked) {
            check_.BufferCheckClick(which, checked);
        };
        p->OnRefreshClicked = [this, which] { check_.BufferRefreshClick(which); };
        p->OnEdited = [this] { Edited(); };
    }
    triggers_->OnEdited = [this] { Edited(); };
    pack_->OnEdited = [this] {
        // The random page shows the same ARGOS figures in ARGOS/SCD mode.
        random_->UpdateStats();
        Edited();
    };
}

void BufferPages::BuildStatusViews(QWidget* timedTab, QWidget* randomTab) {
    if (status_.empty() && timedTab && randomTab) {
        BuildStatusView(timedTab, DataBuffer::Timed);
        BuildStatusView(randomTab, DataBuffer::Random);
    }
}

void BufferPages::BuildStatusView(QWidget* tab, DataBuffer which) {
    const bool timed = which == DataBuffer::Timed;
    const QString kind = timed ? "Timed" : "Random";
    auto* layout = new QGridLayout(tab);
    auto* caption = new QLabel(timed ? "Timed Buffer Size ......." : "Random Buffer Size ...", tab);
    caption->setObjectName("Lbl" + kind + "Bfr");
    auto* size = new QLabel(tab);
    size->setObjectName("Lbl" + kind + "BfrLength");
    auto* memo = new QPlainTextEdit(tab);
    memo->setObjectName("Memo" + kind + "DataBfr");
    memo->setReadOnly(true);
    auto* clear = new QPushButton("Clear", tab);
    clear->setObjectName("BtnClear" + kind + "Bfr");
    QObject::connect(clear, &QPushButton::clicked, memo, &QPlainTextEdit::clear);
    layout->addWidget(caption, 0, 0);
    layout->addWidget(size, 0, 1);
    layout->addWidget(memo, 1, 0, 1, 3);
    layout->addWidget(clear, 2, 0);
    layout->setColumnStretch(2, 1);
    status_[which] = {size, memo};
}

void BufferPages::RefreshAll() {
    if (!timed_) {
        return;
    }
    timed_->RefreshGrid();
    random_->RefreshGrid();
    triggers_->RefreshGrid();
    pack_->RefreshGrid();
}

void BufferPages::PageEnabled(const std::string& page, bool enabled) {
    if (!timed_) {
        return;
    }
    if (page == "TabTimedDataFormat") {
        timed_->SetPageEnabled(enabled);
    } else if (page == "TabRandomDataFormat") {
        random_->SetPageEnabled(enabled);
    } else if (page == "TabRandomTrigger") {
        triggers_->SetPageEnabled(enabled);
    }
}

void BufferPages::Edited() {
    if (hooks_.Edited) {
        hooks_.Edited();
    }
}

DataFormatPage* BufferPages::Page(DataBuffer which) const {
    return which == DataBuffer::Timed ? timed_ : random_;
}

// --- Reactions of the "Transmission Setup" page ---------------------------------------

void BufferPages::TimedDataFormatChanged(int format) {
    cfg_.TimedTx.DataFormat = static_cast<std::uint8_t>(format);
    timed_->RefreshGrid();
}

void BufferPages::RandomDataFormatChanged(int format) {
    cfg_.RandomTx.DataFormat = static_cast<std::uint8_t>(format);
    random_->RefreshGrid();
}

void BufferPages::RefreshRandomDataFormat() {
    const RandomFormatButtons b = tavin::RefreshRandomDataFormat(cfg_, ctx_.IsArgosMode());
    if (window_) {
        const char* const names[3] = {"rbRandomFmtASCII", "rbRandomFmtPseudo", "rbRandomFmtBinary"};
        const bool enabled[3] = {b.AsciiEnabled, b.PseudoEnabled, b.BinaryEnabled};
        for (int i = 0; i < 3; ++i) {
            if (auto* button = window_->findChild<QRadioButton*>(names[i])) {
                button->setEnabled(enabled[i]);
                const bool blocked = button->blockSignals(true);
                button->setAutoExclusive(false);
                button->setChecked(b.Checked == i);
                button->setAutoExclusive(true);
                button->blockSignals(blocked);
            }
        }
    }
    if (random_) {
        random_->RefreshGrid();
    }
}

std::optional<std::string> BufferPages::SelectArgosScdChannel(const std::string& channel,
                                                              QWidget* parent) const {
    return TformChannelSelect::Ask(channel, cfg_.RandomTx.ScdEnabled, parent);
}

// --- BufferCheckHost ----------------------------------------------------------------------

void BufferPages::UncheckBufferCheck(DataBuffer which) {
    if (DataFormatPage* p = Page(which)) {
        p->CheckBox()->setChecked(false);
    }
}

void BufferPages::ShowCheckMemo(DataBuffer which, bool shown) {
    if (DataFormatPage* p = Page(which)) {
        p->CheckMemo()->setVisible(shown);
    }
}

void BufferPages::ClearCheckMemo(DataBuffer which) {
    if (DataFormatPage* p = Page(which)) {
        p->CheckMemo()->clear();
    }
}

void BufferPages::AppendCheckMemo(DataBuffer which, const std::string& line) {
    if (DataFormatPage* p = Page(which)) {
        p->CheckMemo()->appendPlainText(Q(line));
    }
}

void BufferPages::ShowRefreshButton(DataBuffer which, bool shown) {
    if (DataFormatPage* p = Page(which)) {
        p->RefreshButton()->setVisible(shown);
    }
}

void BufferPages::SetProgressBoxCaption(const std::string& caption) {
    if (hooks_.ProgressDialog) {
        if (QWidget* dialog = hooks_.ProgressDialog()) {
            dialog->setWindowTitle(Q(caption));
        }
    }
}

void BufferPages::ShowStatusBufferSize(DataBuffer which, const std::string& size) {
    auto it = status_.find(which);
    if (it != status_.end()) {
        it->second.size->setText(Q(size));
    }
}

void BufferPages::ClearStatusMemo(DataBuffer which) {
    auto it = status_.find(which);
    if (it != status_.end()) {
        it->second.memo->clear();
    }
}

void BufferPages::AppendStatusMemo(DataBuffer which, const std::string& line) {
    auto it = status_.find(which);
    if (it != status_.end()) {
        it->second.memo->appendPlainText(Q(line));
    }
}

} // namespace tavin
