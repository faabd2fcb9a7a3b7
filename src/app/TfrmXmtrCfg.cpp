#include "app/TfrmXmtrCfg.h"

#include "app/AppTexts.h"

#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tavin {

TfrmXmtrCfg::TfrmXmtrCfg(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TfrmXmtrCfg");
    setWindowTitle(texts::kMainCaption);

    mainPageControl_ = new QTabWidget(this);
    mainPageControl_->setObjectName("MainPageControl");
    tabConfigOptions_ = new QWidget(mainPageControl_);
    tabConfigOptions_->setObjectName("TabConfigOptions");
    tabConfigOptions_->setLayout(new QVBoxLayout);
    mainPageControl_->addTab(tabConfigOptions_, texts::kTabConfigOptions);
    setCentralWidget(mainPageControl_);

    BuildStatusBar();
    resize(900, 640);
}

void TfrmXmtrCfg::BuildStatusBar() {
    auto* bar = statusBar();
    rzCommOK_ = new QLabel(bar);
    rzCommOK_->setObjectName("RzCommOK");
    rzCommOK_->setFixedSize(16, 16);
    // The link indicator starts in its error look until the transmitter answers.
    rzCommOK_->setStyleSheet("background-color: red; border-radius: 8px;");
    xmtCommStatus_ = new QLabel(texts::kComNone, bar);
    xmtCommStatus_->setObjectName("XmtCommStatus");
    paneParameterHint_ = new QLabel(bar);
    paneParameterHint_->setObjectName("PaneParameterHint");
    xmtMsgStatus_ = new QLabel(bar);
    xmtMsgStatus_->setObjectName("XmtMsgStatus");
    bar->addWidget(rzCommOK_);
    bar->addWidget(xmtCommStatus_);
    bar->addWidget(paneParameterHint_, 1);
    bar->addPermanentWidget(xmtMsgStatus_);
}

} // namespace tavin
