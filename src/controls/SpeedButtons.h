// The kit's windowless push button: glyph and caption, a flat look that
// lights up under the mouse, groups in which one button stays down, an
// attached drop-down menu, and auto-repeat while held. Its state images are
// built once per glyph and shared through the pixmap cache.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>

class QMenu;

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive, bsInactive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TDropDownMenuPos { dmpBottom, dmpRight };

// The timer behind a repeating button. The program uses QTimer; a test
// installs a factory that hands out timers of a clock it advances itself.
class RepeatTimer {
public:
    virtual ~RepeatTimer() = default;
    virtual void Start(int msec) = 0;  // (re)starts with this interval, repeating
    virtual void SetInterval(int msec) = 0;
    virtual void Stop() = 0;
    std::function<void()> OnTimer;
};
using RepeatTimerFactory = std::function<std::unique_ptr<RepeatTimer>()>;
// Installs a factory (an empty one: QTimer). Returns the previous one.
RepeatTimerFactory SetRepeatTimerFactory(RepeatTimerFactory factory);

// The glyph of a button: one image per state side by side in `Glyph`.
class TButtonGlyph {
public:
    void SetGlyph(const QPixmap& bitmap);
    const QPixmap& Glyph() const { return glyph_; }
    void SetNumGlyphs(int n);
    int NumGlyphs() const { return numGlyphs_; }
    QColor TransparentColor() const { return transparent_; }
    // The image shown in a state, built on first use and cached; a null
    // pixmap for an empty glyph.
    QPixmap GlyphForState(TButtonState state) const;
    QSize ImageSize() const;

private:
    QPixmap glyph_;
    QColor transparent_ = QColor(255, 0, 255);
    int numGlyphs_ = 1;
};

class TFlatSpeedButton : public QWidget {
    Q_OBJECT
public:
    explicit TFlatSpeedButton(QWidget* parent = nullptr);
    ~TFlatSpeedButton() override;

    void SetGlyph(const QPixmap& glyph);
    const QPixmap& Glyph() const { return glyph_.Glyph(); }
    void SetNumGlyphs(int n);  // 1..5
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }

    void SetDown(bool down);
    bool Down() const { return down_; }
    void SetGroupIndex(int index);
    int GroupIndex() const { return groupIndex_; }
    void SetAllowAllUp(bool allow);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowTimer(bool allow);
    bool AllowTimer() const { return allowTimer_; }
    int InitPause = 500;
    int RepeatInterval = 100;

    void SetFlat(bool flat);
    bool Flat() const { return flat_; }
    void SetTransparent(bool transparent);
    bool Transparent() const { return transparent_; }
    void SetGrayedInactive(bool grayed);
    void SetLayout(TButtonLayout layout);
    void SetMargin(int margin);  // -1 centres; below -1 ignored
    int Margin() const { return margin_; }
    void SetSpacing(int spacing);
    void SetStyle(TButtonStyle style);
    TButtonStyle Style() const { return style_; }
    void SetWordWrap(bool wrap);
    void SetAlignment(Qt::Alignment alignment);
    void SetDropDownMenu(QMenu* menu);
    QMenu* DropDownMenu() const { return menu_; }
    TDropDownMenuPos MenuPosition = dmpBottom;
    bool MarkDropDown = true;
    int ModalResult = 0;

    TButtonState State() const { return state_; }
    bool MouseInside() const { return mouseInside_; }

    // Copies ModalResult to the parent dialog and fires OnClick.
    virtual void Click();
    // Where the drop-down menu opens, in the button's coordinates.
    QPoint DropDownMenuPoint() const;

    std::function<void()> OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;

protected:
    void paintEvent(QPaintEvent*) override;
    // Draws glyph, caption and drop-down mark into `rect`.
    virtual void PaintFace(QPainter& p, const QRect& rect, bool dropDownMark, TButtonState state);
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    void changeEvent(QEvent*) override;
    void showEvent(QShowEvent*) override;

private:
    void ReleaseGroup();
    void ReleaseButton(bool inside);
    void SyncMouseInside();
    void SetMouseInside(bool inside);
    void TimerTick();
    void OpenDropDownMenu();
    void DrawButtonBorder(QPainter& p, QRect& r, bool down) const;

    TButtonGlyph glyph_;
    QString caption_;
    TButtonState state_ = bsUp;
    bool down_ = false, allowAllUp_ = false, allowTimer_ = false, flat_ = false, transparent_ = false;
    bool grayedInactive_ = true, wordWrap_ = false, mouseInside_ = false, dragging_ = false,
         menuTracking_ = false;
    int groupIndex_ = 0, margin_ = -1, spacing_ = 1;
    TButtonLayout layout_ = blGlyphTop;
    TButtonStyle style_ = bsAutoDetect;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    QMenu* menu_ = nullptr;
    std::unique_ptr<RepeatTimer> timer_;
};

// The calendar's navigation button: old-style border, repeats while held.
class TTimerSpeedButton : public TFlatSpeedButton {
    Q_OBJECT
public:
    explicit TTimerSpeedButton(QWidget* parent = nullptr);
};

// The grey of a colour (the inactive glyph's pixels).
QRgb GreyOf(QRgb color);
