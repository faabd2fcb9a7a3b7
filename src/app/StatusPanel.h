#pragma once
// The information panel's pages (`PageCntTAVINStatus` inside `gbTAVINInfo`):
// the status, last transmission and GPS fields and the two next-sample
// grids. It only shows a TAVINStatusView; supervision fills the view.

#include "protocol/StatusReplies.h"
#include "workflows/SupervisionHost.h"

#include <QObject>

#include <map>
#include <string>

class QGroupBox;
class QLabel;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace tavin {

class StatusPanel : public QObject {
    Q_OBJECT
public:
    // Builds the pages into `pages`; `group` takes the platform id caption.
    StatusPanel(QGroupBox* group, QTabWidget* pages);

    void Show(const TAVINStatusView& view);
    StatusTab ActiveTab() const;
    // The page of a tab, for the buffer check views that live on two of them.
    QWidget* Page(StatusTab tab) const;

signals:
    void activeTabChanged();

private:
    QLabel* Field(QWidget* page, const char* name, const char* caption);
    void ShowGrid(QTableWidget* grid, const TSampleGrid& samples);

    QGroupBox* group_;
    QTabWidget* pages_;
    std::map<StatusTab, QWidget*> tabPages_;
    std::map<std::string, QLabel*> fields_;
    QTableWidget* sdi12Grid_ = nullptr;
    QTableWidget* internGrid_ = nullptr;
    // What is on screen (only the parts this panel shows): supervision
    // reports a change after every reply line while monitoring, and most
    // lines change one field or none.
    TAVINStatusView shown_;
    bool shownOnce_ = false;
};

} // namespace tavin
