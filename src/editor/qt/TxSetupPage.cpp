#include "editor/qt/TxSetupPage.h"

#include "editor/qt/ChoiceGroup.h"
#include "editor/qt/PageWidgets.h"
#include "protocol/GlbIni.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace tavin {

namespace {

constexpr char kIntervalDaysHint[] = "Enter Tx Interval (dd:hh:mm:ss)";
constexpr char kIntervalHint[] = "Enter Tx Interval (hh:mm:ss)";

QListWidget* FlagList(const char* name, const char* hint,
                      const std::array<const char*, kOpFlagCount>& names) {
    auto* list = Named(new QListWidget, name);
    list->setToolTip(hint);
    for (const char* flag : names) {
        auto* item = new QListWidgetItem(flag, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    list->setMinimumWidth(320);
    list->setMaximumHeight(8 * 19 + 6);
    return list;
}

OpFlagSet FlagsOf(const QListWidget* list) {
    OpFlagSet flags{};
    for (int i = 0; i < kOpFlagCount && i < list->count(); ++i) {
        flags[i] = list->item(i)->checkState() == Qt::Checked;
    }
    return flags;
}

void ShowFlags(QListWidget* list, const OpFlagSet& flags) {
    for (int i = 0; i < kOpFlagCount && i < list->count(); ++i) {
        list->item(i)->setCheckState(flags[i] ? Qt::Checked : Qt::Unchecked);
    }
}

void SetFlagSelectable(QListWidget* list, int flag, bool selectable) {
    QListWidgetItem* item = list->item(flag);
    item->setFlags(selectable ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::NoItemFlags);
}

// A spin field shows nothing while its transmission is off: it sits one
// below its minimum, where it shows a blank.
constexpr char kBlankText[] = " ";
constexpr char kUnblankMinimum[] = "unblankMinimum";

void ShowSpin(QSpinBox* spin, int value, bool blank) {
    const bool isBlank = spin->specialValueText() == kBlankText;
    if (blank) {
        if (!isBlank) {
            const int minimum = spin->minimum();
            spin->setProperty(kUnblankMinimum, minimum);
            spin->setMinimum(minimum - 1);
            spin->setSpecialValueText(kBlankText);
        }
        spin->setValue(spin->minimum());
        return;
    }
    if (isBlank) {
        spin->setSpecialValueText(QString());
        const int minimum = spin->property(kUnblankMinimum).toInt();
        // A minimum set while blank stays.
        if (spin->minimum() == minimum - 1) {
            spin->setMinimum(minimum);
        }
    }
    spin->setValue(value);
}

QGridLayout* FieldGrid() {
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(4);
    return grid;
}

} // namespace

TxSetupPage::TxSetupPage(XmtrConfig& cfg, TGlbIni& ini, TxSetupPageHost host, QWidget* parent)
    : QWidget(parent), cfg_(cfg), ini_(ini), host_(std::move(host)) {
    setObjectName("TxSetupPage");
    auto* layout = new QVBoxLayout(this);
    BuildTimed();
    BuildRandom();
    layout->addWidget(cbTimed_);
    layout->addWidget(gbTimed_);
    layout->addWidget(cbRandom_);
    layout->addWidget(gbRandom_);
    layout->addStretch(1);
    Connect();
    // When the page is made, preamble, data orders and the random
    // interleaver wait for the reactions to enable them.
    timedPreamble_->setEnabled(false);
    timedOrder_->setEnabled(false);
    randomOrder_->setEnabled(false);
    randomInterleaver_->setEnabled(false);
    SetIntervalDays(false);
}

void TxSetupPage::BuildTimed() {
    cbTimed_ = Named(new QCheckBox("Enable Self Timed Transmissions"), "cbTimed");
    cbTimed_->setToolTip("Check To Enable Timed Transmissions");
    gbTimed_ = Named(new QGroupBox("Timed Transmission Setup"), "gbTimedSetup");

    timedChannel_ = IntSpin("RzTimedChannel", 1, kMaxChannel, "Enter Timed Transmission Channel");
    timedInterval_ = Named(new QLineEdit, "TimedTxInterval");
    timedFirstTx_ = Named(new QLineEdit, "TimedFirstTx");
    timedFirstTx_->setInputMask("99:99:99");
    timedFirstTx_->setToolTip("Enter Time of First Transmission (hh:mm:ss)");
    timedWindow_ =
        IntSpin("RzTimedWindowLength", 5, 240, "Enter Timed Transmission Window Length (5 -> 240)");
    auto* fields = FieldGrid();
    fields->addWidget(Caption("Channel", timedChannel_), 0, 0);
    // The channel and the first transmission are station values: while a
    // template is configured they move to the start page and come back here.
    auto slot = [](const char* name, QWidget* field) {
        auto* home = Named(new QWidget, name);
        auto* l = new QHBoxLayout(home);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(field);
        return home;
    };
    fields->addWidget(slot("RzTimedChannelHome", timedChannel_), 0, 1);
    fields->addWidget(Caption("Tx Interval", timedInterval_), 1, 0);
    fields->addWidget(timedInterval_, 1, 1);
    fields->addWidget(Caption("First Transmission", timedFirstTx_), 2, 0);
    fields->addWidget(slot("TimedFirstTxHome", timedFirstTx_), 2, 1);
    fields->addWidget(Caption("Window", timedWindow_), 3, 0);
    fields->addWidget(timedWindow_, 3, 1);
    fields->setRowStretch(4, 1);

    timedBitRate_ = new ChoiceGroup("rgTimedBitRate", "Bit Rate (BPS)", {"100", "300", "1200"});
    timedBitRate_->setToolTip("Transmission Bit Rate");
    timedPreamble_ = new ChoiceGroup("rgTimedPreamble", "Preamble", {"Short", "Long"});
    timedPreamble_->setToolTip("Preamble - Valid for 100 BPS");
    timedInterleaver_ =
        new ChoiceGroup("rgTimedInterleaver", "Interleaver", {"None", "Short", "Long"});
    timedInterleaver_->setToolTip("Interleaver - Valid For 300 and 1200 BPS");
    timedFormat_ =
        new ChoiceGroup("rgTimedDataFormat", "Data Format", {"ASCII", "Pseudo", "Binary"});
    timedFormat_->setToolTip("Select Format of Data for Transmission");
    timedSource_ = new ChoiceGroup("rgTimedDataSelect", "Data Source", {"RS-232", "Sensor"});
    timedSource_->setToolTip("Select Data Source for Timed Buffer");
    timedOrder_ = new ChoiceGroup("rgTimedDataOrder", "Data Order", {"Newest", "Oldest"});
    timedOrder_->setToolTip("Select Transmit Data Order");
    timedFlags_ = FlagList("TimedOpFlags", "Select Timed Operational Flags", kTimedOpFlagNames);

    auto* choices = new QGridLayout;
    choices->addWidget(timedBitRate_, 0, 0);
    choices->addWidget(timedPreamble_, 0, 1);
    choices->addWidget(timedInterleaver_, 0, 2);
    choices->addWidget(timedFormat_, 1, 0);
    choices->addWidget(timedSource_, 1, 1);
    choices->addWidget(timedOrder_, 1, 2);

    auto* flags = new QVBoxLayout;
    flags->addWidget(Caption("Operation Flags", timedFlags_));
    flags->addWidget(timedFlags_);
    flags->addStretch(1);

    auto* row = new QHBoxLayout(gbTimed_);
    row->addLayout(fields);
    row->addLayout(choices);
    row->addLayout(flags, 1);
}

void TxSetupPage::BuildRandom() {
    cbRandom_ = Named(new QCheckBox("Enable Random Transmissions"), "cbRandom");
    cbRandom_->setToolTip("Check To Enable Random Transmissions");
    gbRandom_ = Named(new QGroupBox("Random Transmission Setup"), "gbRandomSetup");

    randomChannel_ =
        IntSpin("RzRandomChannel", 0, kMaxChannel, "Enter Random Transmission Channel");
    argosChannel_ = Named(new QLineEdit, "btnedtARGOS_SCD_Chan");
    QAction* select = argosChannel_->addAction(
        argosChannel_->style()->standardIcon(QStyle::SP_FileDialogDetailedView),
        QLineEdit::TrailingPosition);
    select->setObjectName("btnedtARGOS_SCD_ChanButton");
    select->setToolTip("Select Channel");
    connect(select, &QAction::triggered, this, [this] {
        if (!host_.SelectArgosChannel) {
            return;
        }
        if (auto channel = host_.SelectArgosChannel(Latin1(argosChannel_->text()))) {
            argosChannel_->setText(Latin1(*channel));
        }
    });
    argosChannel_->hide();
    randomInterval_ = IntSpin("RzRandomInterval", 5, 99, "Enter Random Interval (5->99 Minutes)");
    randomPercent_ = IntSpin("RzRandomPercent", 5, 99, "Enter Percent Randomization (10%->%55)");
    randomRepeat_ = IntSpin("RzRandomRepeatCnt", 0, 99, "Random Transmission Repeat Count (0->99)");

    auto* fields = FieldGrid();
    randomChannelLabel_ = Caption("Channel", randomChannel_);
    fields->addWidget(randomChannelLabel_, 0, 0);
    auto* home = Named(new QWidget, "RzRandomChannelHome");
    auto* homeLayout = new QHBoxLayout(home);
    homeLayout->setContentsMargins(0, 0, 0, 0);
    homeLayout->addWidget(randomChannel_);
    // The ARGOS channel text takes the place of the channel spin.
    homeLayout->addWidget(argosChannel_);
    fields->addWidget(home, 0, 1);
    fields->addWidget(Caption("Interval", randomInterval_), 1, 0);
    fields->addWidget(randomInterval_, 1, 1);
    fields->addWidget(Caption("Randomness", randomPercent_), 2, 0);
    fields->addWidget(randomPercent_, 2, 1);
    fields->addWidget(Caption("Repeat Cnt", randomRepeat_), 3, 0);
    fields->addWidget(randomRepeat_, 3, 1);
    fields->setRowStretch(4, 1);

    randomBitRate_ = new ChoiceGroup("rgRandomBitRate", "Bit Rate (BPS)", {"100", "300", "1200"});
    randomBitRate_->setToolTip("Transmission Bit Rate");
    randomInterleaver_ =
        new ChoiceGroup("rgRandomInterleaver", "Interleaver", {"None", "Short", "Long"});
    randomInterleaver_->setToolTip("Interleaver Valid For 300 & 1200 BPS");
    randomFormat_ =
        new ChoiceGroup("gbRandomDataFormat", "Data Format", {"ASCII", "Pseudo", "Binary"});
    randomFormat_->Button(0)->setObjectName("rbRandomFmtASCII");
    randomFormat_->Button(1)->setObjectName("rbRandomFmtPseudo");
    randomFormat_->Button(2)->setObjectName("rbRandomFmtBinary");
    randomSource_ = new ChoiceGroup("rgRandomDataSelect", "Data Source", {"RS-232", "Sensor"});
    randomSource_->setToolTip("Select Data Source for Random Buffer");
    randomOrder_ = new ChoiceGroup("rgRandomDataOrder", "Data Order", {"Newest", "Oldest"});
    randomOrder_->setToolTip("Select Transmit Data Order");
    randomFlags_ = FlagList("RandomOpFlags", "Select Random Operational Flags", kRandomOpFlagNames);
    for (int i = 0; i < kOpFlagCount; ++i) {
        SetFlagSelectable(randomFlags_, i, RandomOpFlagSelectable(i));
    }

    auto* choices = new QGridLayout;
    choices->addWidget(randomBitRate_, 0, 0);
    choices->addWidget(randomInterleaver_, 0, 1);
    choices->addWidget(randomFormat_, 0, 2);
    choices->addWidget(randomSource_, 1, 0);
    choices->addWidget(randomOrder_, 1, 1);

    auto* flags = new QVBoxLayout;
    flags->addWidget(Caption("Operation Flags", randomFlags_));
    flags->addWidget(randomFlags_);
    flags->addStretch(1);

    auto* row = new QHBoxLayout(gbRandom_);
    row->addLayout(fields);
    row->addLayout(choices);
    row->addLayout(flags, 1);
}

void TxSetupPage::Connect() {
    connect(cbTimed_, &QCheckBox::toggled, this, [this] { cbTimedClick(); });
    connect(cbRandom_, &QCheckBox::toggled, this, [this] { cbRandomClick(); });

    connect(timedBitRate_, &ChoiceGroup::chosen, this, [this] { rgTimedBitRateClick(); });
    connect(timedChannel_, qOverload<int>(&QSpinBox::valueChanged), this,
            [this] { RzTimedParamChange(); });
    connect(timedWindow_, qOverload<int>(&QSpinBox::valueChanged), this,
            [this] { RzTimedParamChange(); });
    connect(timedInterval_, &QLineEdit::textEdited, this, [this] { TimedChanged(); });
    connect(timedFirstTx_, &QLineEdit::textEdited, this, [this] { TimedChanged(); });
    for (ChoiceGroup* g : {timedPreamble_, timedInterleaver_, timedOrder_}) {
        connect(g, &ChoiceGroup::chosen, this, [this] { TimedChanged(); });
    }
    connect(timedFormat_, &ChoiceGroup::chosen, this, [this](int format) {
        emit timedDataFormatChanged(format);
        TimedChanged();
    });
    connect(timedSource_, &ChoiceGroup::chosen, this, [this] {
        TimedDataSourceReaction();
        TimedChanged();
    });
    connect(timedFlags_, &QListWidget::itemChanged, this, [this] { TimedChanged(); });

    connect(randomBitRate_, &ChoiceGroup::chosen, this, [this] { rgRandomBitRateClick(); });
    for (QSpinBox* spin : {randomChannel_, randomInterval_, randomPercent_, randomRepeat_}) {
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, [this] { RandomChanged(); });
    }
    connect(argosChannel_, &QLineEdit::textChanged, this, [this] { RandomChanged(); });
    connect(randomSource_, &ChoiceGroup::chosen, this, [this] { RandomDataSourceReaction(true); });
    connect(randomFormat_, &ChoiceGroup::chosen, this, [this](int format) {
        // The format buttons write the record at once.
        cfg_.RandomTx.DataFormat = static_cast<std::uint8_t>(format);
        emit randomDataFormatChanged(format);
        RandomChanged();
    });

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget* now) { OnFocusChanged(old, now); });
}

bool TxSetupPage::ArgosMode() const {
    return cfg_.RandomTx.ArgosEnabled;
}

void TxSetupPage::TimedChanged() {
    cfg_.TimedTx.Modified = true;
}

void TxSetupPage::RandomChanged() {
    cfg_.RandomTx.Modified = true;
}

void TxSetupPage::OnFocusChanged(QWidget* old, QWidget* now) {
    // `gbTimedSetupExit` / `gbRandomSetupExit`.
    auto leaves = [&](QGroupBox* group) {
        return old && group->isAncestorOf(old) && !(now && group->isAncestorOf(now));
    };
    if (leaves(gbTimed_)) {
        StoreTimedTxFields();
    }
    if (leaves(gbRandom_)) {
        StoreRandomTxFields();
    }
}

void TxSetupPage::SetTimedChecked(bool on, bool force) {
    if (cbTimed_->isChecked() != on) {
        cbTimed_->setChecked(on); // runs the reaction
    } else if (force) {
        cbTimedClick();
    }
}

void TxSetupPage::SetRandomChecked(bool on, bool force) {
    if (cbRandom_->isChecked() != on) {
        cbRandom_->setChecked(on);
    } else if (force) {
        cbRandomClick();
    }
}

void TxSetupPage::FollowModel(bool force) {
    SetTimedChecked(cfg_.TimedEnabled, force);
    SetRandomChecked(cfg_.RandomEnabled, force);
}

void TxSetupPage::cbTimedClick() {
    const bool on = cbTimed_->isChecked();
    cfg_.TimedEnabled = on;
    gbTimed_->setEnabled(on);
    if (on) {
        if (cfg_.TimedTx.Channel < 1) {
            cfg_.TimedTx.Channel = 1;
        }
        timedChannel_->setMinimum(1);
        TabTxSetupEnter();
        LoadTimedTxFields();
        rgTimedBitRateClick();
        TimedDataSourceReaction();
    } else {
        cfg_.TimedTx.Channel = 0;
        SetCaptionGreyed(gbTimed_, true);
        timedChannel_->setMinimum(1);
        BlankTimedTxFields();
    }
    TimedChanged();
}

void TxSetupPage::cbRandomClick() {
    const bool on = cbRandom_->isChecked();
    cfg_.RandomEnabled = on;
    gbRandom_->setEnabled(on);
    if (on) {
        if (cfg_.RandomTx.Channel <= 0) {
            cfg_.RandomTx.Channel = 1;
        }
        randomChannel_->setMinimum(RandomChannelMinimum(true));
        TabTxSetupEnter();
        LoadRandomTxFields();
        rgRandomBitRateClick();
        RandomDataSourceReaction(false);
    } else {
        argosChannel_->clear();
        cfg_.RandomTx.Channel = 0;
        randomChannel_->setMinimum(RandomChannelMinimum(false));
        if (host_.SetPageShown) {
            host_.SetPageShown("TabRandomTrigger", false);
        }
        SetCaptionGreyed(gbRandom_, true);
        BlankRandomTxFields();
    }
    TabTxSetupEnter();
}

void TxSetupPage::TabTxSetupEnter() {
    TxSetupInputs in = host_.Inputs ? host_.Inputs() : TxSetupInputs{};
    in.TimedEnabled = cfg_.TimedEnabled;
    in.RandomEnabled = cfg_.RandomEnabled;
    in.ArgosMode = ArgosMode();
    const TxSetupView v = TabTxSetupView(in);
    SetCaptionGreyed(gbTimed_, v.TimedCaptionGreyed);
    SetCaptionGreyed(gbRandom_, v.RandomCaptionGreyed);
    if (!v.AdaptRandom) {
        return;
    }
    RefreshRandomDataFormat();
    randomPercent_->setEnabled(v.PercentEnabled);
    if (v.FixedPercent >= 0) {
        randomPercent_->setValue(v.FixedPercent);
    }
    randomInterval_->setRange(v.IntervalMin, v.IntervalMax);
    randomBitRate_->setEnabled(v.BitRateEnabled);
    // The interleaver also follows the bit rate, as its reaction set it.
    randomInterleaver_->setEnabled(v.BitRateEnabled &&
                                   RandomInterleaverEnabled(randomBitRate_->Selected()));
    randomFormat_->setEnabled(v.DataFormatEnabled);
    if (v.ClearRateChoices) {
        const QSignalBlocker a(randomBitRate_);
        const QSignalBlocker b(randomInterleaver_);
        randomBitRate_->Select(kNoChoice);
        randomInterleaver_->Select(kNoChoice);
    }
}

void TxSetupPage::rgTimedBitRateClick() {
    TimedChanged();
    const int rate = timedBitRate_->Selected();
    if (rate == kNoChoice) {
        return;
    }
    const BitRateReaction r = TimedBitRateReaction(rate, timedChannel_->value());
    if (!r.Message.empty() && host_.ShowInfoBox) {
        host_.ShowInfoBox(r.Message);
    }
    if (r.Channel != timedChannel_->value()) {
        timedChannel_->setValue(r.Channel);
    }
    timedChannel_->setMaximum(r.MaxChannel);
    timedPreamble_->setEnabled(r.PreambleEnabled);
    if (r.PreambleLong) {
        timedPreamble_->Select(1);
    }
    timedInterleaver_->setEnabled(r.InterleaverEnabled);
}

void TxSetupPage::rgRandomBitRateClick() {
    const int rate = randomBitRate_->Selected();
    if (rate != kNoChoice) {
        const BitRateReaction r = RandomBitRateReaction(rate, randomChannel_->value());
        if (!r.Message.empty() && host_.ShowInfoBox) {
            host_.ShowInfoBox(r.Message);
        }
        if (r.Channel != randomChannel_->value()) {
            randomChannel_->setValue(r.Channel);
        }
        randomChannel_->setMaximum(r.MaxChannel);
        randomInterleaver_->setEnabled(r.InterleaverEnabled);
    }
    RandomChanged();
}

void TxSetupPage::RzTimedParamChange() {
    // The preamble keeps its selection; only whether it can be chosen follows.
    timedPreamble_->setEnabled(
        TimedPreambleEnabled(timedBitRate_->Selected(), timedChannel_->value()));
    TimedChanged();
}

void TxSetupPage::TimedDataSourceReaction() {
    const DataSourceReaction r = tavin::TimedDataSourceReaction(timedSource_->Selected());
    timedOrder_->setEnabled(r.DataOrderEnabled);
    for (int flag : {6, 7}) {
        QListWidgetItem* item = timedFlags_->item(flag);
        if (!r.FlagsSixSevenEnabled) {
            item->setCheckState(Qt::Unchecked);
        }
        item->setFlags(r.FlagsSixSevenEnabled ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable
                                              : Qt::NoItemFlags);
    }
    if (r.ShowDataPage) {
        ini_.TdfTabVisible = true;
        if (host_.SetPageShown) {
            host_.SetPageShown("TabTimedDataFormat", true);
        }
    }
}

void TxSetupPage::RandomDataSourceReaction(bool reportChange) {
    const DataSourceReaction r = tavin::RandomDataSourceReaction(randomSource_->Selected());
    randomOrder_->setEnabled(r.DataOrderEnabled);
    if (r.ShowDataPage) {
        ini_.RdfTabVisible = true;
    }
    if (host_.SetPageShown) {
        if (r.ShowDataPage) {
            host_.SetPageShown("TabRandomDataFormat", true);
        }
        host_.SetPageShown("TabRandomTrigger", r.ShowTriggerPage);
    }
    if (reportChange) {
        RefreshRandomDataFormat();
        RandomChanged();
    }
}

void TxSetupPage::RefreshRandomDataFormat() {
    int source = randomSource_->Selected();
    if (source == kNoChoice) {
        source = cfg_.RandomTx.DataSource;
    }
    const RandomFormatButtons b =
        tavin::RefreshRandomDataFormat(cfg_.RandomTx.DataFormat, source, ArgosMode());
    randomFormat_->Button(0)->setEnabled(b.AsciiEnabled);
    randomFormat_->Button(1)->setEnabled(b.PseudoEnabled);
    randomFormat_->Button(2)->setEnabled(b.BinaryEnabled);
    if (b.Checked != randomFormat_->Selected()) {
        randomFormat_->Select(b.Checked);
    }
}

TimedTxFields TxSetupPage::TimedFields() const {
    TimedTxFields f;
    f.Channel = timedChannel_->value();
    f.WindowLength = timedWindow_->value();
    f.Interval = Latin1(timedInterval_->text());
    f.FirstTx = Latin1(timedFirstTx_->text());
    f.BitRate = timedBitRate_->Selected();
    f.Preamble = timedPreamble_->Selected();
    f.Interleaver = timedInterleaver_->Selected();
    f.DataFormat = timedFormat_->Selected();
    f.DataSource = timedSource_->Selected();
    f.DataOrder = timedOrder_->Selected();
    f.OpFlags = FlagsOf(timedFlags_);
    return f;
}

RandomTxFields TxSetupPage::RandomFields() const {
    RandomTxFields f;
    f.Channel = randomChannel_->value();
    f.ArgosChannel = Latin1(argosChannel_->text());
    f.Interval = randomInterval_->value();
    f.Percent = randomPercent_->value();
    f.RepeatCount = randomRepeat_->value();
    f.BitRate = randomBitRate_->Selected();
    f.Interleaver = randomInterleaver_->Selected();
    f.DataFormat = randomFormat_->Selected();
    f.DataSource = randomSource_->Selected();
    f.DataOrder = randomOrder_->Selected();
    f.OpFlags = FlagsOf(randomFlags_);
    return f;
}

void TxSetupPage::ShowTimedFields(const TimedTxFields& f) {
    ShowSpin(timedChannel_, f.Channel, f.Blank);
    ShowSpin(timedWindow_, f.WindowLength, f.Blank);
    timedInterval_->setText(Latin1(f.Interval));
    timedFirstTx_->setText(Latin1(f.FirstTx));
    if (f.Blank) {
        timedInterval_->clear();
        timedFirstTx_->clear();
    }
    timedBitRate_->Select(f.BitRate);
    timedPreamble_->Select(f.Preamble);
    timedInterleaver_->Select(f.Interleaver);
    timedFormat_->Select(f.DataFormat);
    timedSource_->Select(f.DataSource);
    timedOrder_->Select(f.DataOrder);
    ShowFlags(timedFlags_, f.OpFlags);
}

void TxSetupPage::ShowRandomFields(const RandomTxFields& f) {
    ShowSpin(randomChannel_, f.Channel, f.Blank);
    argosChannel_->setText(Latin1(f.ArgosChannel));
    ShowSpin(randomInterval_, f.Interval, f.Blank);
    ShowSpin(randomPercent_, f.Percent, f.Blank);
    ShowSpin(randomRepeat_, f.RepeatCount, f.Blank);
    randomBitRate_->Select(f.BitRate);
    randomInterleaver_->Select(f.Interleaver);
    randomFormat_->Select(f.DataFormat);
    randomSource_->Select(f.DataSource);
    randomOrder_->Select(f.DataOrder);
    ShowFlags(randomFlags_, f.OpFlags);
}

void TxSetupPage::LoadTimedTxFields() {
    // The channel's maximum is the bit rate's, set by its reaction next.
    timedChannel_->setMaximum(kMaxChannel);
    ShowTimedFields(tavin::LoadTimedTxFields(cfg_.TimedTx, allowDays_));
}

void TxSetupPage::StoreTimedTxFields() {
    tavin::StoreTimedTxFields(TimedFields(), cfg_);
}

void TxSetupPage::BlankTimedTxFields() {
    ShowTimedFields(tavin::BlankTimedTxFields());
}

void TxSetupPage::LoadRandomTxFields() {
    randomChannel_->setMaximum(kMaxChannel);
    if (ArgosMode()) {
        randomInterval_->setRange(35, 300);
    } else {
        randomInterval_->setRange(5, 99);
    }
    ShowRandomFields(tavin::LoadRandomTxFields(cfg_.RandomTx, ArgosMode()));
    RefreshRandomDataFormat();
}

void TxSetupPage::StoreRandomTxFields() {
    tavin::StoreRandomTxFields(RandomFields(), cfg_, ArgosMode());
}

void TxSetupPage::BlankRandomTxFields() {
    ShowRandomFields(tavin::BlankRandomTxFields(RandomFields()));
}

void TxSetupPage::StoreTxFields() {
    StoreTimedTxFields();
    StoreRandomTxFields();
}

void TxSetupPage::SetIntervalDays(bool allow) {
    // The interval shown keeps its value across the change of mask.
    const std::string shown = Latin1(timedInterval_->text());
    const bool changed = allow != allowDays_;
    allowDays_ = allow;
    timedInterval_->setInputMask(allow ? "99:99:99:99" : "99:99:99");
    timedInterval_->setToolTip(allow ? kIntervalDaysHint : kIntervalHint);
    if (changed && cfg_.TimedEnabled) {
        timedInterval_->setText(Latin1(IntervalFieldText(IntervalFromField(shown), allow)));
    }
}

void TxSetupPage::ArrangeForMode(bool argosMode) {
    // In the ARGOS modes the random setup moves up into the timed one's place.
    cbTimed_->setVisible(!argosMode);
    gbTimed_->setVisible(!argosMode);
    argosChannel_->setVisible(argosMode);
    randomChannel_->setVisible(!argosMode);
    if (argosMode == arrangedArgos_) {
        return;
    }
    // The random fields hold the other mode's values: what was typed goes
    // into that mode's part of the record, and the new mode's part is shown.
    const bool wasArgos = arrangedArgos_;
    arrangedArgos_ = argosMode;
    if (cfg_.RandomEnabled && cbRandom_->isChecked()) {
        tavin::StoreRandomTxFields(RandomFields(), cfg_, wasArgos);
        TabTxSetupEnter();
        LoadRandomTxFields();
        rgRandomBitRateClick();
    }
}

} // namespace tavin
