#include "app/StatusPanel.h"

#include "workflows/Supervision.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavin {

namespace {

QString Q(const std::string& text) {
    return QString::fromLatin1(text.data(), int(text.size()));
}

QTableWidget* SampleGrid(QWidget* page, const char* name) {
    auto* grid = new QTableWidget(kSampleRows, 4, page);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels({"Row", "Label", "", "Next Sample"});
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    (new QVBoxLayout(page))->addWidget(grid);
    return grid;
}

} // namespace

StatusPanel::StatusPanel(QGroupBox* group, QTabWidget* pages)
    : QObject(group), group_(group), pages_(pages) {
    for (const MonitorTab& tab : MonitorTabs()) {
        auto* page = new QWidget(pages_);
        page->setObjectName(QString::fromLatin1(tab.name.data(), int(tab.name.size())));
        pages_->addTab(page, QString::fromLatin1(tab.caption.data(), int(tab.caption.size())));
        tabPages_[tab.tab] = page;
    }
    QWidget* info = tabPages_[StatusTab::TAVINStatus];
    new QFormLayout(info);
    Field(info, "LblFldFirmware", "Firmware Version");
    Field(info, "LblFldSerialNumber", "Serial Number");
    Field(info, "LblFldTransmitterState", "Transmitter State");
    Field(info, "LblFldTimeToNextTx", "Time To Next Tx");
    Field(info, "LblFldTimedBufferSize", "Timed Buffer Size");
    Field(info, "LblFldNextTimedTx", "Next Timed Tx");
    Field(info, "LblFldRandomBufferSize", "Random Buffer Size");
    Field(info, "LblFldRandomBufferTxs", "Random Buffer Txs");
    Field(info, "LblFldNextRandomTx", "Next Random Tx");
    Field(info, "LblFldFailsafe", "Failsafe");
    Field(info, "LblFldGPSCalStatus", "GPS Calibration");
    Field(info, "LblFldClockStatus", "Clock Time");
    Field(info, "LblFldClockDate", "Clock Date");

    QWidget* lts = tabPages_[StatusTab::LTS];
    new QFormLayout(lts);
    Field(lts, "LblFldTxType", "Tx Type");
    Field(lts, "LblFldTxStatus", "Tx Status");
    Field(lts, "LblFldTxTime", "Tx Time");
    Field(lts, "LblFldFwdPwr", "Forward Power");
    Field(lts, "LblFldRevPwr", "Reflected Power");
    Field(lts, "LblFldTxVSWR", "VSWR");
    Field(lts, "LblFldTxVolts", "Tx Volts");

    QWidget* gps = tabPages_[StatusTab::GPSStatus];
    new QFormLayout(gps);
    Field(gps, "LblFldGPSStatus", "GPS Status");
    Field(gps, "LblFldTimeOfFix", "Time Of Fix");
    Field(gps, "LblFldLatitude", "Latitude");
    Field(gps, "LblFldLongitude", "Longitude");
    Field(gps, "LblFldAltitude", "Altitude");
    Field(gps, "LblFldGPSTimeCal", "GPS Time Calibration");
    Field(gps, "LblFldLastOCXOCal", "Last OCXO Calibration");
    Field(gps, "LblFldLastTCXOCal", "Last TCXO Calibration");

    internGrid_ = SampleGrid(tabPages_[StatusTab::InternSensSample], "GridInternSensSample");
    sdi12Grid_ = SampleGrid(tabPages_[StatusTab::SDI12Sample], "GridSDI12Sample");

    connect(pages_, &QTabWidget::currentChanged, this, [this] { emit activeTabChanged(); });
}

QLabel* StatusPanel::Field(QWidget* page, const char* name, const char* caption) {
    auto* label = new QLabel(page);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    static_cast<QFormLayout*>(page->layout())->addRow(caption, label);
    fields_[name] = label;
    return label;
}

StatusTab StatusPanel::ActiveTab() const {
    for (const auto& [tab, page] : tabPages_) {
        if (page == pages_->currentWidget()) {
            return tab;
        }
    }
    return StatusTab::Other;
}

QWidget* StatusPanel::Page(StatusTab tab) const {
    auto it = tabPages_.find(tab);
    return it == tabPages_.end() ? nullptr : it->second;
}

void StatusPanel::ShowGrid(QTableWidget* grid, const TSampleGrid& samples) {
    grid->setRowCount(samples.RowCount);
    grid->setVerticalScrollBarPolicy(samples.ScrollBar ? Qt::ScrollBarAsNeeded
                                                       : Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < samples.RowCount && r < kSampleRows; ++r) {
        const TSampleGridRow& row = samples.Rows[r];
        const std::string* cells[] = {&row.Number, &row.Label, &row.Dots, &row.NextSample};
        for (int c = 0; c < 4; ++c) {
            auto* item = grid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid->setItem(r, c, item);
            }
            item->setText(Q(*cells[c]));
        }
    }
}

void StatusPanel::Show(const TAVINStatusView& v) {
    using V = TAVINStatusView;
    static const std::pair<const char*, std::string V::*> texts[] = {
        {"LblFldFirmware", &V::FirmwareVersion},
        {"LblFldSerialNumber", &V::SerialNumber},
        {"LblFldTransmitterState", &V::TransmitterState},
        {"LblFldTimeToNextTx", &V::TimeToNextTx},
        {"LblFldTimedBufferSize", &V::TimedBufferSize},
        {"LblFldNextTimedTx", &V::NextTimedTx},
        {"LblFldRandomBufferSize", &V::RandomBufferSize},
        {"LblFldRandomBufferTxs", &V::RandomBufferTxs},
        {"LblFldNextRandomTx", &V::NextRandomTx},
        {"LblFldFailsafe", &V::Failsafe},
        {"LblFldGPSCalStatus", &V::GpsCalStatus},
        {"LblFldClockStatus", &V::ClockStatus},
        {"LblFldClockDate", &V::ClockDateStatus},
        {"LblFldTxType", &V::TxType},
        {"LblFldTxStatus", &V::TxStatus},
        {"LblFldTxTime", &V::TxTime},
        {"LblFldFwdPwr", &V::FwdPwr},
        {"LblFldRevPwr", &V::RevPwr},
        {"LblFldTxVSWR", &V::TxVSWR},
        {"LblFldTxVolts", &V::TxVolts},
        {"LblFldGPSStatus", &V::GpsStatus},
        {"LblFldTimeOfFix", &V::TimeOfFix},
        {"LblFldLatitude", &V::Latitude},
        {"LblFldLongitude", &V::Longitude},
        {"LblFldAltitude", &V::Altitude},
        {"LblFldGPSTimeCal", &V::GpsTimeCal},
        {"LblFldLastOCXOCal", &V::LastOcxoCal},
        {"LblFldLastTCXOCal", &V::LastTcxoCal},
    };
    for (const auto& [name, field] : texts) {
        if (!shownOnce_ || v.*field != shown_.*field) {
            fields_[name]->setText(Q(v.*field));
            shown_.*field = v.*field;
        }
    }
    if (!shownOnce_ || v.PlatformIdCaption != shown_.PlatformIdCaption) {
        group_->setTitle(Q(v.PlatformIdCaption));
        shown_.PlatformIdCaption = v.PlatformIdCaption;
    }
    if (!shownOnce_ || !(v.SDI12Samples == shown_.SDI12Samples)) {
        ShowGrid(sdi12Grid_, v.SDI12Samples);
        shown_.SDI12Samples = v.SDI12Samples;
    }
    if (!shownOnce_ || !(v.InternSamples == shown_.InternSamples)) {
        ShowGrid(internGrid_, v.InternSamples);
        shown_.InternSamples = v.InternSamples;
    }
    shownOnce_ = true;
}

} // namespace tavin
