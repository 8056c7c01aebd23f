// The tabs of a page control in as many rows as its width needs, the row of
// the current tab next to the page, in place of the single-row bar that
// scrolls: a form with a dozen tabs shows every one of them at once.
#pragma once

#include <QWidget>
#include <vector>

class QTabWidget;

namespace ui {

class TabRows : public QWidget {
public:
    explicit TabRows(QTabWidget* tabs, QWidget* parent = nullptr);

    // The tab at a point of this widget; -1 when none.
    int TabAt(const QPoint& point) const;
    // Where each tab is drawn at the current width.
    QRect TabRect(int index) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        int tab;
        QRect rect;
    };
    QSize TabSize(int index) const;
    std::vector<Placed> Arrange(int width, int* rows = nullptr) const;

    QTabWidget* tabs_;
};

// Puts the tab widget with a TabRows above it where the tab widget stood,
// and hides its own tab bar.
TabRows* ShowTabsInRows(QTabWidget* tabs);

}  // namespace ui
