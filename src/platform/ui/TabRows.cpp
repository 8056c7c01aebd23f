#include "platform/ui/TabRows.h"

#include <QLayout>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

TabRows::TabRows(QTabWidget* tabs, QWidget* parent) : QWidget(parent), tabs_(tabs) {
    setObjectName(tabs->objectName() + "Tabs");
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    connect(tabs, &QTabWidget::currentChanged, this, [this] { update(); });
    setFixedHeight(sizeHint().height());
}

QSize TabRows::TabSize(int index) const {
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.text = tabs_->tabText(index);
    const QFontMetrics metrics = fontMetrics();
    const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const QSize content(metrics.horizontalAdvance(option.text) + hspace, metrics.height() + vspace);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, content, this);
}

std::vector<TabRows::Placed> TabRows::Arrange(int width, int* rowCount) const {
    // Tabs flow into rows in order; a row is stretched to the full width
    // when there are several, as a multi-line page control draws them.
    std::vector<std::vector<int>> rows(1);
    int used = 0;
    for (int i = 0; i < tabs_->count(); ++i) {
        const int w = TabSize(i).width();
        if (used > 0 && used + w > width) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += w;
    }
    if (rowCount) *rowCount = static_cast<int>(rows.size());
    // The row of the current tab goes last, next to the page.
    const int current = tabs_->currentIndex();
    std::stable_partition(rows.begin(), rows.end(), [current](const std::vector<int>& row) {
        return std::find(row.begin(), row.end(), current) == row.end();
    });
    std::vector<Placed> placed;
    const int height = tabs_->count() > 0 ? TabSize(0).height() : 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        int total = 0;
        for (int i : rows[r]) total += TabSize(i).width();
        const int extra = rows.size() > 1 ? std::max(0, width - total) : 0;
        int x = 0;
        for (size_t k = 0; k < rows[r].size(); ++k) {
            const int share = extra * static_cast<int>(k + 1) / static_cast<int>(rows[r].size()) -
                              extra * static_cast<int>(k) / static_cast<int>(rows[r].size());
            const int w = TabSize(rows[r][k]).width() + share;
            placed.push_back({rows[r][k], QRect(x, static_cast<int>(r) * height, w, height)});
            x += w;
        }
    }
    return placed;
}

int TabRows::heightForWidth(int width) const {
    if (tabs_->count() == 0) return 0;
    int rows = 1;
    Arrange(width, &rows);
    return rows * TabSize(0).height();
}

QSize TabRows::sizeHint() const {
    int width = 0;
    for (int i = 0; i < tabs_->count(); ++i) width += TabSize(i).width();
    return {width, tabs_->count() > 0 ? TabSize(0).height() : 0};
}

QSize TabRows::minimumSizeHint() const {
    int width = 0;
    for (int i = 0; i < tabs_->count(); ++i) width = std::max(width, TabSize(i).width());
    return {width, sizeHint().height()};
}

int TabRows::TabAt(const QPoint& point) const {
    for (const Placed& p : Arrange(this->width()))
        if (p.rect.contains(point)) return p.tab;
    return -1;
}

QRect TabRows::TabRect(int index) const {
    for (const Placed& p : Arrange(width()))
        if (p.tab == index) return p.rect;
    return {};
}

void TabRows::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const int current = tabs_->currentIndex();
    QRect selected;
    for (const Placed& p : Arrange(width())) {
        QStyleOptionTab option;
        option.initFrom(this);
        option.shape = QTabBar::RoundedNorth;
        option.text = tabs_->tabText(p.tab);
        option.rect = p.rect;
        option.position = QStyleOptionTab::Middle;
        if (!tabs_->isTabEnabled(p.tab)) option.state &= ~QStyle::State_Enabled;
        if (p.tab == current) {
            option.state |= QStyle::State_Selected;
            selected = p.rect;
            continue;  // drawn last, over its neighbours
        }
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
    if (current >= 0 && selected.isValid()) {
        QStyleOptionTab option;
        option.initFrom(this);
        option.shape = QTabBar::RoundedNorth;
        option.text = tabs_->tabText(current);
        option.rect = selected;
        option.position = QStyleOptionTab::Middle;
        option.state |= QStyle::State_Selected;
        painter.drawControl(QStyle::CE_TabBarTab, option);
    }
}

void TabRows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The rows follow the width; the layout is told the new height.
    const int height = heightForWidth(width());
    if (height != this->height()) setFixedHeight(height);
}

void TabRows::mousePressEvent(QMouseEvent* event) {
    const int tab = event->button() == Qt::LeftButton ? TabAt(event->position().toPoint()) : -1;
    if (tab >= 0 && tabs_->isTabEnabled(tab)) {
        tabs_->setCurrentIndex(tab);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

TabRows* ShowTabsInRows(QTabWidget* tabs) {
    QWidget* parent = tabs->parentWidget();
    auto* box = new QWidget(parent);
    box->setObjectName(tabs->objectName() + "Box");
    if (parent && parent->layout()) delete parent->layout()->replaceWidget(tabs, box);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* rows = new TabRows(tabs, box);
    layout->addWidget(rows);
    layout->addWidget(tabs, 1);
    tabs->tabBar()->hide();
    return rows;
}

}  // namespace ui
