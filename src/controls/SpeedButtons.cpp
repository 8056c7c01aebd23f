#include "controls/SpeedButtons.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QTimer>

#include "controls/ControlUtils.h"

namespace {

RepeatTimerFactory& Factory() {
    static RepeatTimerFactory factory;
    return factory;
}

class QtRepeatTimer : public RepeatTimer {
public:
    QtRepeatTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (OnTimer) OnTimer();
        });
    }
    void Start(int msec) override { timer_.start(msec); }
    void SetInterval(int msec) override { timer_.setInterval(msec); }
    void Stop() override { timer_.stop(); }

private:
    QTimer timer_;
};

std::unique_ptr<RepeatTimer> NewRepeatTimer() {
    if (Factory()) return Factory()();
    return std::make_unique<QtRepeatTimer>();
}

QPixmap Masked(const QImage& image, QColor transparent) {
    QPixmap pm = QPixmap::fromImage(image);
    pm.setMask(pm.createMaskFromColor(transparent, Qt::MaskInColor));
    return pm;
}

}  // namespace

RepeatTimerFactory SetRepeatTimerFactory(RepeatTimerFactory factory) {
    RepeatTimerFactory old = Factory();
    Factory() = std::move(factory);
    return old;
}

QRgb GreyOf(QRgb c) {
    const int g = (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
    return qRgba(g, g, g, qAlpha(c));
}

// --- TButtonGlyph ------------------------------------------------------------

void TButtonGlyph::SetGlyph(const QPixmap& bitmap) {
    glyph_ = bitmap;
    if (bitmap.height() > 0) {
        // The bottom-left pixel names the transparent colour, as the toolkit's bitmaps do.
        transparent_ = QColor(bitmap.toImage().pixel(0, bitmap.height() - 1)).rgb();
        if (bitmap.width() % bitmap.height() == 0) {
            const int n = bitmap.width() / bitmap.height();
            numGlyphs_ = n < 6 ? n : 1;
        }
    }
}

void TButtonGlyph::SetNumGlyphs(int n) {
    if (n > 0) numGlyphs_ = std::min(n, 5);
}

QSize TButtonGlyph::ImageSize() const {
    if (glyph_.isNull()) return {};
    return {glyph_.width() / numGlyphs_, glyph_.height()};
}

QPixmap TButtonGlyph::GlyphForState(TButtonState state) const {
    if (glyph_.isNull() || glyph_.width() == 0 || glyph_.height() == 0) return {};
    // The pixmap cache stands in for the shared image lists: every button
    // showing the same bitmap in the same state draws the same pixmap.
    const QString key = QStringLiteral("tavrina-glyph-%1-%2-%3-%4")
                            .arg(glyph_.cacheKey())
                            .arg(numGlyphs_)
                            .arg(int(state))
                            .arg(QApplication::palette().color(QPalette::Button).rgb());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) return cached;

    const int w = glyph_.width() / numGlyphs_;
    const QImage whole = glyph_.toImage().convertToFormat(QImage::Format_ARGB32);
    const int column = int(state) < numGlyphs_ ? int(state) : 0;
    QImage image = whole.copy(column * w, 0, w, glyph_.height());
    QPixmap result;
    if (state == bsDisabled && numGlyphs_ < 2) {
        const QImage first = whole.copy(0, 0, w, glyph_.height());
        result =
            Masked(DisabledBitmapStandard(first, Qt::black), QApplication::palette().color(QPalette::Button));
    } else if (state == bsInactive && numGlyphs_ < 5) {
        image = whole.copy(0, 0, w, glyph_.height());
        const QRgb key0 = transparent_.rgb();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != key0) image.setPixel(x, y, GreyOf(image.pixel(x, y)));
        result = Masked(image, transparent_);
    } else {
        result = Masked(image, transparent_);
    }
    QPixmapCache::insert(key, result);
    return result;
}

// --- TFlatSpeedButton ----------------------------------------------------------

TFlatSpeedButton::TFlatSpeedButton(QWidget* parent) : QWidget(parent) {
    resize(25, 25);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

TFlatSpeedButton::~TFlatSpeedButton() = default;

void TFlatSpeedButton::SetGlyph(const QPixmap& glyph) {
    glyph_.SetGlyph(glyph);
    update();
}

void TFlatSpeedButton::SetNumGlyphs(int n) {
    glyph_.SetNumGlyphs(n);
    update();
}

void TFlatSpeedButton::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TFlatSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = down;
    if (down) {
        if (state_ == bsUp) update();
        state_ = bsExclusive;
    } else {
        state_ = bsUp;
        update();
    }
    if (down) ReleaseGroup();
}

void TFlatSpeedButton::SetGroupIndex(int index) {
    groupIndex_ = index;
    ReleaseGroup();
}

void TFlatSpeedButton::SetAllowAllUp(bool allow) {
    allowAllUp_ = allow;
    ReleaseGroup();
}

void TFlatSpeedButton::SetAllowTimer(bool allow) {
    allowTimer_ = allow;
    if (!allow) timer_.reset();
}

void TFlatSpeedButton::SetFlat(bool flat) {
    flat_ = flat;
    update();
}

void TFlatSpeedButton::SetTransparent(bool transparent) {
    // Qt draws the parent's background under a widget that does not fill its
    // own: that is the whole of painting the parent behind the button.
    transparent_ = transparent;
    update();
}

void TFlatSpeedButton::SetGrayedInactive(bool grayed) {
    grayedInactive_ = grayed;
    update();
}

void TFlatSpeedButton::SetLayout(TButtonLayout layout) {
    layout_ = layout;
    update();
}

void TFlatSpeedButton::SetMargin(int margin) {
    if (margin < -1) return;
    margin_ = margin;
    update();
}

void TFlatSpeedButton::SetSpacing(int spacing) {
    spacing_ = spacing;
    update();
}

void TFlatSpeedButton::SetStyle(TButtonStyle style) {
    style_ = style;
    update();
}

void TFlatSpeedButton::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    update();
}

void TFlatSpeedButton::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TFlatSpeedButton::SetDropDownMenu(QMenu* menu) {
    if (menu_) disconnect(menu_, nullptr, this, nullptr);
    menu_ = menu;
    if (menu_) connect(menu_, &QObject::destroyed, this, [this] { menu_ = nullptr; });
    update();
}

void TFlatSpeedButton::ReleaseGroup() {
    if (groupIndex_ == 0 || !parentWidget()) return;
    for (TFlatSpeedButton* b : parentWidget()->findChildren<TFlatSpeedButton*>(Qt::FindDirectChildrenOnly)) {
        if (b == this || b->groupIndex_ != groupIndex_) continue;
        if (down_ && b->down_) {
            b->down_ = false;
            b->state_ = bsUp;
            b->update();
        }
        b->allowAllUp_ = allowAllUp_;
    }
}

void TFlatSpeedButton::Click() {
    if (ModalResult != 0)
        for (QWidget* w = parentWidget(); w; w = w->parentWidget())
            if (auto* dialog = qobject_cast<QDialog*>(w)) {
                dialog->done(ModalResult);
                break;
            }
    if (OnClick) OnClick();
}

QPoint TFlatSpeedButton::DropDownMenuPoint() const {
    const bool rightToLeft = menu_ && menu_->layoutDirection() == Qt::RightToLeft;
    if (MenuPosition == dmpBottom) return {rightToLeft ? width() + 1 : -1, height()};
    return {rightToLeft ? -1 : width(), -1};
}

void TFlatSpeedButton::OpenDropDownMenu() {
    if (!menu_) return;
    menu_->setAttribute(Qt::WA_NoMouseReplay);
    menuTracking_ = true;
    menu_->exec(mapToGlobal(DropDownMenuPoint()));
    // The press that opened the menu is released at once, while tracking:
    // the menu's items act, the button does not click.
    ReleaseButton(rect().contains(mapFromGlobal(QCursor::pos())));
    menuTracking_ = false;
    // A press on the button that closed the menu must not press it again.
    DropPendingMessage(this, QEvent::MouseButtonPress);
    DropPendingMessage(this, QEvent::MouseButtonDblClick);
}

void TFlatSpeedButton::mousePressEvent(QMouseEvent* e) {
    if (menuTracking_) return;
    SetMouseInside(true);
    if (e->button() != Qt::LeftButton || !isEnabled()) return;
    if (!down_) {
        state_ = bsDown;
        repaint();
    }
    dragging_ = true;
    if (menu_) {
        OpenDropDownMenu();
        return;
    }
    if (allowTimer_) {
        if (!timer_) {
            timer_ = NewRepeatTimer();
            timer_->OnTimer = [this] { TimerTick(); };
        }
        timer_->Start(InitPause);
    }
}

void TFlatSpeedButton::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    const bool inside = rect().contains(e->position().toPoint());
    const TButtonState s = inside ? (down_ ? bsExclusive : bsDown) : (down_ ? bsExclusive : bsUp);
    if (s != state_) {
        state_ = s;
        update();
    }
}

void TFlatSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
    if (!dragging_ || e->button() != Qt::LeftButton) return;
    ReleaseButton(rect().contains(e->position().toPoint()));
}

void TFlatSpeedButton::ReleaseButton(bool inside) {
    dragging_ = false;
    if (timer_) timer_->Stop();
    if (groupIndex_ == 0) {
        state_ = bsUp;
        mouseInside_ = false;
        update();
    } else if (inside) {
        SetDown(!down_);
        if (down_) state_ = bsExclusive;
        update();
    } else {
        state_ = down_ ? bsExclusive : bsUp;
        update();
    }
    if (inside && !menuTracking_) Click();
    SyncMouseInside();
}

void TFlatSpeedButton::TimerTick() {
    timer_->SetInterval(RepeatInterval);
    if (state_ == bsDown && dragging_) {
        try {
            Click();
        } catch (...) {
            timer_->Stop();
            throw;
        }
    }
}

void TFlatSpeedButton::mouseDoubleClickEvent(QMouseEvent* e) {
    if (down_ && OnDblClick)
        OnDblClick();
    else
        mousePressEvent(e);
}

void TFlatSpeedButton::SetMouseInside(bool inside) {
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (flat_ || isEnabled()) update();
    if (inside && OnMouseEnter) OnMouseEnter();
    if (!inside && OnMouseLeave) OnMouseLeave();
}

void TFlatSpeedButton::enterEvent(QEnterEvent*) {
    if (isEnabled() && AppIsForeground()) SetMouseInside(true);
}

void TFlatSpeedButton::leaveEvent(QEvent*) {
    if (!dragging_) SetMouseInside(false);
}

void TFlatSpeedButton::SyncMouseInside() {
    const bool inside =
        isVisible() && isEnabled() && AppIsForeground() && QApplication::widgetAt(QCursor::pos()) == this;
    SetMouseInside(inside);
}

void TFlatSpeedButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) {
        if (!isEnabled()) dragging_ = false;
        SyncMouseInside();
        update();
    }
    QWidget::changeEvent(e);
}

void TFlatSpeedButton::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    SyncMouseInside();
}

void TFlatSpeedButton::DrawButtonBorder(QPainter& p, QRect& r, bool down) const {
    const QPalette& pal = palette();
    const bool newStyle = style_ != bsWin31;
    if (!down) {
        if (flat_) {
            qDrawShadeRect(&p, r, pal, false, 1);
            r.adjust(1, 1, -1, -1);
        } else if (newStyle) {
            qDrawWinButton(&p, r, pal, false);
            r.adjust(2, 2, -2, -2);
        } else {
            p.setPen(pal.color(QPalette::Shadow));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
            qDrawShadeRect(&p, r, pal, false, 1);
            r.adjust(1, 1, -1, -1);
        }
    } else if (flat_ || newStyle) {
        qDrawWinPanel(&p, r, pal, true);
        r.adjust(2, 2, -2, -2);
    } else {
        p.setPen(pal.color(QPalette::Shadow));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(pal.color(QPalette::Dark));
        p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
        p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
        r.adjust(1, 1, -1, -1);
    }
}

void TFlatSpeedButton::paintEvent(QPaintEvent*) {
    if (!isEnabled()) {
        state_ = bsDisabled;
        dragging_ = false;
    } else if (state_ == bsDisabled) {
        state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
    }
    TButtonState painted = state_;
    if (flat_ && !mouseInside_ && state_ != bsDown) painted = bsInactive;

    QPainter p(this);
    QRect r = rect();
    if (!transparent_) p.fillRect(r, palette().color(QPalette::Button));
    const bool down = state_ == bsDown || state_ == bsExclusive;
    if (painted == bsInactive && state_ != bsExclusive) {
        if (flat_) r.adjust(2, 2, -2, -2);
    } else {
        DrawButtonBorder(p, r, down);
    }
    if (state_ == bsExclusive && !transparent_ && (!flat_ || painted == bsInactive))
        p.fillRect(r, QBrush(palette().color(QPalette::Light), Qt::Dense4Pattern));
    if (down) r.translate(1, 1);
    const TButtonState glyphState = (state_ == bsDisabled || !grayedInactive_) ? state_ : painted;
    PaintFace(p, r, MarkDropDown && menu_, glyphState);
}

void TFlatSpeedButton::PaintFace(QPainter& p, const QRect& client, bool dropDownMark, TButtonState state) {
    const QPixmap glyph = glyph_.GlyphForState(state);
    QSize g = glyph.isNull() ? QSize() : glyph_.ImageSize();
    const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    const QFontMetrics fm(font());
    QString text = caption_;
    int space = (horizontal ? client.width() : client.height()) - (horizontal ? g.width() : g.height());
    if (margin_ != -1) space -= margin_;
    if (spacing_ != -1) space -= spacing_;
    if (dropDownMark && horizontal) space -= 9;
    space = std::max(space, 0);
    if (!wordWrap_ && !text.isEmpty())
        text = ShortenWithEllipsis(text, fm, horizontal ? space : client.width());
    const int flags = int(alignment_) | Qt::AlignVCenter | (wordWrap_ ? Qt::TextWordWrap : 0);
    QSize t =
        text.isEmpty()
            ? QSize()
            : fm.boundingRect(QRect(0, 0, horizontal ? space : client.width(), 10000), flags, text).size();
    if (dropDownMark) {
        if (glyph.isNull() || layout_ == blGlyphLeft)
            t.rwidth() += 9;
        else
            g.rwidth() += 6;
    }
    // Along the layout direction: margin, glyph, spacing, caption.
    const int total = horizontal ? client.width() : client.height();
    const int gLen = horizontal ? g.width() : g.height();
    const int tLen = horizontal ? t.width() : t.height();
    int margin = margin_, spacing = spacing_;
    if (glyph.isNull() || text.isEmpty()) spacing = 0;
    if (margin == -1 && spacing == -1) {
        margin = spacing = (total - gLen - tLen) / 3;
    } else if (margin == -1) {
        margin = (total - gLen - spacing - tLen) / 2;
    } else if (spacing == -1) {
        spacing = (total - margin - gLen - tLen) / 2;
    }
    int glyphPos, textPos;
    if (layout_ == blGlyphLeft || layout_ == blGlyphTop) {
        glyphPos = margin;
        textPos = margin + gLen + spacing;
    } else {
        glyphPos = total - margin - gLen;
        textPos = glyphPos - spacing - tLen;
    }
    QPoint gp, tp;
    if (horizontal) {
        gp = {client.left() + glyphPos, client.top() + (client.height() - g.height()) / 2};
        tp = {client.left() + textPos, client.top() + (client.height() - t.height()) / 2};
    } else {
        gp = {client.left() + (client.width() - g.width()) / 2, client.top() + glyphPos};
        tp = {client.left() + (client.width() - t.width()) / 2, client.top() + textPos};
    }
    if (!glyph.isNull()) p.drawPixmap(gp, glyph);
    if (!text.isEmpty()) {
        const QRect tr(tp, t);
        if (state == bsDisabled) {
            p.setPen(palette().color(QPalette::Light));
            p.drawText(tr.translated(1, 1), flags, text);
            p.setPen(palette().color(QPalette::Dark));
        } else {
            p.setPen(palette().color(QPalette::ButtonText));
        }
        p.drawText(tr, flags, text);
    }
    if (dropDownMark) {
        int x =
            !glyph.isNull() && layout_ != blGlyphLeft ? gp.x() + g.width() - 6 : tp.x() + t.width() - 9 + 3;
        if (text.isEmpty() && glyph.isNull()) x = client.left() + (client.width() - 7) / 2;
        const int y = client.top() + client.height() / 2 - 1;
        auto triangle = [&](int dx, int dy, QColor c) {
            p.setPen(c);
            for (int row = 0; row < 4; ++row)
                p.drawLine(x + dx + row, y + dy + row, x + dx + 6 - row, y + dy + row);
        };
        if (state == bsDisabled) {
            triangle(1, 1, palette().color(QPalette::Light));
            triangle(0, 0, palette().color(QPalette::Dark));
        } else {
            triangle(0, 0, palette().color(QPalette::ButtonText));
        }
    }
}

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : TFlatSpeedButton(parent) {
    SetStyle(bsWin31);
    SetAllowTimer(true);
}
