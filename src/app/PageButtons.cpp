#include "app/PageButtons.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace tavin {

PageButtons::PageButtons(QTabWidget* pages, QWidget* parent)
    : QWidget(parent), pages_(pages), grid_(new QGridLayout(this)), group_(new QButtonGroup(this)) {
    setObjectName("MainPageButtons");
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setSpacing(2);
    group_->setExclusive(true);
    pages_->tabBar()->hide();
    // The current page's button stands out; a greyed page's caption is grey.
    setStyleSheet("QToolButton { padding: 3px; }"
                  "QToolButton:checked { font-weight: bold; background: #c8dcf4;"
                  " border: 1px solid #5080c0; }"
                  "QToolButton[captionGreyed=\"true\"] { color: gray; }");
    connect(pages_, &QTabWidget::currentChanged, this, [this] { FollowCurrent(); });
}

void PageButtons::AddPage(QWidget* page, const QString& caption) {
    auto* button = new QToolButton(this);
    button->setObjectName("PageBtn" + page->objectName());
    button->setText(caption);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    group_->addButton(button);
    // Mouse, keyboard and an accessibility tool's toggle all end in toggled().
    connect(button, &QToolButton::toggled, this, [this, page](bool down) {
        if (!down) {
            return;
        }
        if (pages_->isTabVisible(pages_->indexOf(page))) {
            pages_->setCurrentWidget(page);
        }
        FollowCurrent();
    });
    buttons_.emplace_back(page, button);
    Relayout();
    FollowCurrent();
}

QToolButton* PageButtons::ButtonOf(QWidget* page) const {
    for (const auto& [p, b] : buttons_) {
        if (p == page) {
            return b;
        }
    }
    return nullptr;
}

void PageButtons::SetShown(QWidget* page, bool shown) {
    if (QToolButton* b = ButtonOf(page)) {
        if (b->property("pageShown").isValid() && b->property("pageShown").toBool() == shown) {
            return;
        }
        b->setProperty("pageShown", shown);
        Relayout();
        FollowCurrent();
    }
}

void PageButtons::SetGreyed(QWidget* page, bool greyed) {
    if (QToolButton* b = ButtonOf(page)) {
        // A greyed page can still be looked at: the button stays usable.
        b->setProperty("captionGreyed", greyed);
        QPalette pal = b->palette();
        pal.setColor(
            QPalette::ButtonText,
            palette().color(greyed ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText));
        b->setPalette(pal);
    }
}

void PageButtons::Relayout() {
    for (const auto& [page, button] : buttons_) {
        grid_->removeWidget(button);
    }
    int shown = 0;
    for (const auto& [page, button] : buttons_) {
        const QVariant flag = button->property("pageShown");
        const bool visible = !flag.isValid() || flag.toBool();
        button->setVisible(visible);
        if (visible) {
            grid_->addWidget(button, shown / kPerRow, shown % kPerRow);
            ++shown;
        }
    }
}

void PageButtons::FollowCurrent() {
    QWidget* current = pages_->currentWidget();
    for (const auto& [page, button] : buttons_) {
        if (page == current) {
            button->setChecked(true);
        }
    }
}

} // namespace tavin
