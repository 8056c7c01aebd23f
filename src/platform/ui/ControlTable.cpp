#include "platform/ui/ControlTable.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <set>
#include <utility>

namespace ui {

FieldInfo DatasetField(db::DataSource* source, const std::string& field) {
    FieldInfo info;
    info.name = field;
    db::Dataset* ds = source ? source->DataSet() : nullptr;
    if (!ds) return info;
    if (const db::Field* f = ds->FindField(field)) {
        info.type = f->DataType();
        info.size = f->Size();
        info.mask = f->EditMask;
        info.label = f->DisplayLabel;
        info.required = f->Required;
        return info;
    }
    for (const db::FieldDef& d : ds->GetFieldDefs())
        if (d.name == field) {
            info.type = d.type;
            info.size = d.size;
            info.required = d.required;
        }
    return info;
}

ControlBuilder::ControlBuilder(FieldLookup fields) : fields_(std::move(fields)) {
    static int builders = 0;
    id_ = ++builders;
}

QGridLayout* PageGrid(QWidget* page) {
    if (!page->layout()) return new QGridLayout(page);
    auto* grid = qobject_cast<QGridLayout*>(page->layout());
    if (!grid) throw std::logic_error("Page " + page->objectName().toStdString() + " has no grid");
    return grid;
}

std::vector<QWidget*> ControlBuilder::Build(QWidget* page, const std::vector<ControlDecl>& rows) {
    // A splitter lays out its panes itself: it gets no grid.
    QGridLayout* grid = qobject_cast<QSplitter*>(page) ? nullptr : PageGrid(page);
    std::set<std::pair<int, int>> taken;
    for (const ControlDecl& r : rows)
        if (r.kind.place == ControlKind::Place::Cell)
            for (int y = 0; y < r.cell.rowSpan; ++y)
                for (int x = 0; x < r.cell.columnSpan; ++x) taken.emplace(r.cell.row + y, r.cell.column + x);
    std::vector<QWidget*> made;
    for (const ControlDecl& r : rows)
        made.push_back(Add(page, grid, r, !taken.count({r.cell.row, r.cell.column - 1})));
    return made;
}

QWidget* ControlBuilder::Add(QWidget* page, QGridLayout* grid, const ControlDecl& row, bool captionCellFree) {
    const ControlKind& kind = row.kind;
    KindContext context{page, source, {}, events};
    if (kind.bound) {
        if (!source)
            throw std::logic_error(std::string(row.name) + " is bound but the form gave no data source");
        context.field = fields_(source, row.text);
    }
    QWidget* w = kind.make(row, context);
    w->setObjectName(row.name);
    w->setProperty("Tag", row.tag);
    w->setProperty("Builder", id_);
    w->setProperty("TableRow", ++rows_);
    if (kind.bound) {
        w->setProperty("Field", row.Text());
        w->setProperty("Source", QVariant::fromValue(static_cast<void*>(source)));
    }
    if (kind.valueSet) w->setProperty("ValueSet", QString::fromUtf8(kind.valueSet));
    if (row.hint) w->setToolTip(QString::fromUtf8(row.hint));
    if (kind.disabled) w->setEnabled(false);

    if (kind.place == ControlKind::Place::Tab) {
        if (!pageControl_)
            throw std::logic_error(std::string(row.name) + " is a tab page with no page control");
        pageControl_->addTab(w, row.Text());
    } else if (!grid) {
        static_cast<QSplitter*>(page)->addWidget(w);
    } else {
        // A control of fixed width keeps it at the left of its cell.
        const bool fixed = w->sizePolicy().horizontalPolicy() == QSizePolicy::Fixed;
        grid->addWidget(w, row.cell.row, row.cell.column, row.cell.rowSpan, row.cell.columnSpan,
                        fixed ? Qt::AlignLeft : Qt::Alignment());
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) pageControl_ = tabs;
    }

    const FieldInfo& field = context.field;
    if (grid && kind.bound && kind.captionBeside && !field.label.empty() && row.cell.column > 0 &&
        captionCellFree) {
        auto* caption = new QLabel(QString::fromStdString(field.label), page);
        caption->setObjectName(QString::fromUtf8(row.name) + "Caption");
        caption->setBuddy(w);
        SetBold(caption, field.required);
        grid->addWidget(caption, row.cell.row, row.cell.column - 1);
        if (kind.hidden) caption->setHidden(true);
    }
    if (kind.hidden) w->setHidden(true);

    if (w->focusPolicy() & Qt::TabFocus) {
        if (lastFocus_) QWidget::setTabOrder(lastFocus_, w);
        lastFocus_ = w;
    }
    return w;
}

int TagOf(const QObject* control) { return control ? control->property("Tag").toInt() : 0; }

QString ValueSetOf(const QObject* control) {
    return control ? control->property("ValueSet").toString() : QString();
}

TablePlace TablePlaceOf(const QObject* control) {
    if (!control) return {};
    return {control->property("Builder").toInt(), control->property("TableRow").toInt()};
}

BoundField BoundFieldOf(const QObject* control) {
    if (!control) return {};
    const QVariant source = control->property("Source");
    return {static_cast<db::DataSource*>(source.value<void*>()),
            control->property("Field").toString().toStdString()};
}

QLabel* CaptionOf(const QWidget* control) {
    if (!control || !control->parentWidget()) return nullptr;
    for (QLabel* l : control->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->buddy() == control) return l;
    return nullptr;
}

int FieldChars(const FieldInfo& field) {
    if (!field.mask.empty()) {
        // The positions: the mask's first section, less its markers.
        int n = 0;
        const std::string positions = field.mask.substr(0, field.mask.find(';'));
        for (size_t i = 0; i < positions.size(); ++i) {
            const char c = positions[i];
            if (c == '!' || c == '<' || c == '>') continue;
            if (c == '\\') ++i;
            ++n;
        }
        return n;
    }
    if (db::IsTextType(field.type)) return field.size;
    if (db::IsDateType(field.type)) return 10;
    if (db::IsIntegerType(field.type)) return 6;
    if (field.type == db::FieldType::Float || field.type == db::FieldType::Currency) return 12;
    return 0;
}

void FitToChars(QWidget* control, int chars) {
    if (chars <= 0) return;
    const QFontMetrics fm = control->fontMetrics();
    // Room for the frame and the text margins beside the digits.
    control->setFixedWidth(fm.horizontalAdvance(QString(chars + 1, QLatin1Char('0'))) + 8);
}

void SetBold(QWidget* control, bool bold) {
    QFont f = control->font();
    f.setBold(bold);
    control->setFont(f);
}

namespace {

class InputRelay : public QObject {
public:
    InputRelay(QWidget* control, const ControlEvents& events, bool clicks, bool exits)
        : QObject(control), control_(control), events_(events), clicks_(clicks), exits_(exits) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != control_) return false;
        switch (event->type()) {
            case QEvent::KeyPress: {
                auto* k = static_cast<QKeyEvent*>(event);
                if (events_.OnKeyDown) {
                    int key = k->key();
                    events_.OnKeyDown(control_, key, k->modifiers());
                    if (key == 0) return true;
                }
                if (events_.OnKeyPress && k->text().size() == 1) {
                    QChar c = k->text()[0];
                    events_.OnKeyPress(control_, c);
                    if (c.isNull()) return true;
                }
                return false;
            }
            case QEvent::MouseButtonRelease:
                if (clicks_ && events_.OnClick) events_.OnClick(control_);
                return false;
            case QEvent::FocusOut: {
                // Leaving the window or opening a menu is not leaving the control.
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (exits_ && events_.OnExit && reason != Qt::ActiveWindowFocusReason &&
                    reason != Qt::PopupFocusReason)
                    events_.OnExit(control_);
                return false;
            }
            default:
                return false;
        }
    }

private:
    QWidget* control_;
    ControlEvents events_;
    bool clicks_, exits_;
};

}  // namespace

void RelayInput(QWidget* control, const ControlEvents& events, bool clicks, bool exits) {
    if (!events.OnKeyDown && !events.OnKeyPress && !(clicks && events.OnClick) && !(exits && events.OnExit))
        return;
    new InputRelay(control, events, clicks, exits);
}

}  // namespace ui
