#pragma once

#include <QMainWindow>

class QLabel;
class QTabWidget;
class QWidget;

namespace tavin {

// The main window: it owns the link, the configuration and the preferences,
// and holds the configuration editor's pages. Later parts of the program
// fill its pages; here it has its frame, the page control and the status bar.
class TfrmXmtrCfg : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmXmtrCfg(QWidget* parent = nullptr);

    QTabWidget* MainPageControl() const { return mainPageControl_; }

private:
    void BuildStatusBar();

    QTabWidget* mainPageControl_ = nullptr;
    QWidget* tabConfigOptions_ = nullptr;
    QLabel* rzCommOK_ = nullptr;
    QLabel* xmtCommStatus_ = nullptr;
    QLabel* paneParameterHint_ = nullptr;
    QLabel* xmtMsgStatus_ = nullptr;
};

} // namespace tavin
