#pragma once
// The page captions of the main window as buttons in several rows, so that
// every page a mode offers can be seen and reached at once. The tab widget
// stays the page container (its own bar hidden); the buttons follow which
// pages are shown, which are greyed and which one is current.

#include <QWidget>

#include <map>
#include <string>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QTabWidget;
class QToolButton;

namespace tavin {

class PageButtons : public QWidget {
    Q_OBJECT
public:
    PageButtons(QTabWidget* pages, QWidget* parent = nullptr);

    // One button per page, in page order; the page's objectName names it.
    void AddPage(QWidget* page, const QString& caption);
    void SetShown(QWidget* page, bool shown);
    void SetGreyed(QWidget* page, bool greyed);
    QToolButton* ButtonOf(QWidget* page) const;

    // Buttons in a row before the next row starts.
    static constexpr int kPerRow = 6;

private:
    void Relayout();
    void FollowCurrent();

    QTabWidget* pages_;
    QGridLayout* grid_;
    QButtonGroup* group_;
    std::vector<std::pair<QWidget*, QToolButton*>> buttons_;
};

} // namespace tavin
