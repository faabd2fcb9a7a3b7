#include "service/TFormTAVINStatus.h"

#include "service/ServiceWidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavin {

namespace {

struct QueryButton {
    const char* group;
    const char* name;
    const char* caption;
    StatusQuery query;
};

// Groups in the order they are shown, each with its buttons.
const QueryButton kButtons[] = {
    {"Status Information", "BtnStatusRead", "Read", StatusQuery::StatusRead},
    {"Status Information", "BtnLastTransmit", "Last Transmit", StatusQuery::LastTransmit},
    {"Configuration", "BtnConfigRead", "Read", StatusQuery::ConfigRead},
    {"Configuration", "BtnConfigCheck", "Check", StatusQuery::ConfigCheck},
    {"Buffer Info", "BtnBufferTimed", "Timed", StatusQuery::BufferTimed},
    {"Buffer Info", "BtnBufferRandom", "Random", StatusQuery::BufferRandom},
    {"GPS", "BtnGPSStatus", "Status", StatusQuery::GpsStatus},
    {"GPS", "BtnGPSRead", "Read", StatusQuery::GpsRead},
    {"GPS", "BtnGPSLastCal", "Last Cal", StatusQuery::GpsLastCal},
    {"Next Sample Time", "BtnSDI12Sample", "SDI-12", StatusQuery::SampleSDI12},
    {"Next Sample Time", "BtnInternalSample", "Internal Sensor", StatusQuery::SampleInternal},
};

} // namespace

TFormTAVINStatus::TFormTAVINStatus(TransmitterLink& link, bool extended, Prompter& prompter,
                                   QWidget* parent)
    : QDialog(parent), prompter_(prompter), memo_(new ServiceMemoEdit(this, "MemoGenStatus")),
      controller_(link, *memo_, extended) {
    setObjectName("FormTAVINStatus");
    setWindowTitle("TAVIN Status");
    MemoGenStatus = memo_;

    auto* groups = new QVBoxLayout;
    QGroupBox* group = nullptr;
    QHBoxLayout* row = nullptr;
    for (const QueryButton& def : kButtons) {
        if (!group || group->title() != def.group) {
            group = new QGroupBox(def.group, this);
            row = new QHBoxLayout(group);
            groups->addWidget(group);
        }
        QPushButton* button = ServiceButton(group, def.name, def.caption);
        const StatusQuery query = def.query;
        connect(button, &QPushButton::clicked, this, [this, query] { controller_.Press(query); });
        row->addWidget(button);
    }
    groups->addStretch(1);

    QHBoxLayout* bottom = MemoWindowButtons(*this, *memo_, prompter_, "Save TAVIN Status");
    // A button without an action, kept hidden.
    QPushButton* forceFix = ServiceButton(this, "BtnForceFix", "Force Fix");
    forceFix->setVisible(false);
    bottom->insertWidget(bottom->count() - 1, forceFix);

    auto* layout = new QGridLayout(this);
    layout->addLayout(groups, 0, 0);
    layout->addWidget(memo_, 0, 1);
    layout->addLayout(bottom, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    resize(760, 480);
}

} // namespace tavin
