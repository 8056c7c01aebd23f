// Form pages as tables of their controls. A row names the form member, the
// kind, the object name, the caption (or the bound field), the grid cell, the
// tag and the hint; one builder creates, names and places the controls, chains
// the tab order in row order, binds the data-aware kinds to the form's data
// source and connects the family's shared handlers.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/db/Dataset.h"

class QGridLayout;
class QLabel;
class QTabWidget;

namespace ui {

struct Cell {
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
};

// What the table layouts say of a bound field.
struct FieldInfo {
    std::string name;
    db::FieldType type = db::FieldType::Unknown;
    int size = 0;       // characters of a text field
    std::string mask;   // edit mask as the forms write it ("999999;1;_")
    std::string label;  // caption; empty: none
    bool required = false;
};

// The shared handlers of a family of forms. Each is told the control it came
// from; the control carries its tag and value-set type (TagOf, ValueSetOf).
struct ControlEvents {
    std::function<void(QWidget*)> OnClick;   // a button or check box clicked, or an edit clicked into
    std::function<void(QWidget*)> OnChange;  // an edit's text changed
    std::function<void(QWidget*)> OnExit;    // the control was left (a bound edit has written its field)
    // A key pressed in the control; setting the key (or the character) to 0
    // consumes it.
    std::function<void(QWidget*, int& key, Qt::KeyboardModifiers)> OnKeyDown;
    std::function<void(QWidget*, QChar& key)> OnKeyPress;
};

struct ControlDecl;

// What a kind's factory gets besides its row.
struct KindContext {
    QWidget* parent;
    db::DataSource* source;  // bound kinds: the data source of the form
    FieldInfo field;         // bound kinds: the field the row names
    const ControlEvents& events;
};

// A kind of control: a factory and how the builder treats what it makes.
// Kinds are constants beside their controls (generic ones in ControlKinds.h,
// data-aware ones in src/controls); a new kind is a new constant.
struct ControlKind {
    enum class Place {
        Cell,  // in the grid cell of its row
        Tab,   // a page of the last page control built
    };
    const char* name;
    // Creates the control as a child of the context's parent and connects the
    // events it supports. The builder names, tags, places and shows it.
    QWidget* (*make)(const ControlDecl& row, const KindContext& context);
    bool bound = false;          // the text column names a field of the data source
    bool captionBeside = false;  // a bound control's field label goes in the cell to its left
    Place place = Place::Cell;
    const char* valueSet = nullptr;  // a coded edit: the value-set type of its codes
    bool hidden = false;
    bool disabled = false;

    // The same kind as a coded edit of value-set type `type`.
    constexpr ControlKind Coded(const char* type) const {
        ControlKind k = *this;
        k.valueSet = type;
        return k;
    }
    // Present on the form but not visible.
    constexpr ControlKind Hidden() const {
        ControlKind k = *this;
        k.hidden = true;
        return k;
    }
    constexpr ControlKind Disabled() const {
        ControlKind k = *this;
        k.disabled = true;
        return k;
    }
};

// A row without its member: what the builder and the factories read.
struct ControlDecl {
    ControlKind kind;
    const char* name;
    const char* text;  // UTF-8 caption, or the field of a bound kind
    Cell cell;
    int tag = 0;
    const char* hint = nullptr;  // UTF-8; the tool tip

    QString Text() const { return QString::fromUtf8(text ? text : ""); }
};

// The control a kind made as the member's type; std::logic_error when the
// kind makes another type (a table that does not match its form).
template <class W>
W* ControlCast(QWidget* w) {
    W* t = dynamic_cast<W*>(w);
    if (!t)
        throw std::logic_error("Control " + w->objectName().toStdString() + " is not of its member's type");
    return t;
}

// The form member a row fills: `&TForm::Label1`, or `{}` for a control
// reached only by its object name.
template <class F>
class Member {
public:
    Member() = default;
    template <class W>
    Member(W* F::*member) : assign_([member](F& form, QWidget* w) { form.*member = ControlCast<W>(w); }) {}
    void Assign(F& form, QWidget* w) const {
        if (assign_) assign_(form, w);
    }

private:
    std::function<void(F&, QWidget*)> assign_;
};

// One row of a page table.
template <class F>
struct ControlRow {
    Member<F> member;
    ControlKind kind;
    const char* name;
    const char* text = "";
    Cell cell = {};
    int tag = 0;
    const char* hint = nullptr;

    ControlDecl Decl() const { return {kind, name, text, cell, tag, hint}; }
};

// How a builder learns what the table layouts say of a bound field.
using FieldLookup = std::function<FieldInfo(db::DataSource* source, const std::string& field)>;

// The field as the data source's dataset defines it (its persistent field or
// its field definition); an empty FieldInfo when it has neither.
FieldInfo DatasetField(db::DataSource* source, const std::string& field);

class ControlBuilder {
public:
    explicit ControlBuilder(FieldLookup fields = DatasetField);

    // The data source the bound kinds of the next tables bind to.
    db::DataSource* source = nullptr;
    // The handlers connected to the controls of the next tables.
    ControlEvents events;

    // Creates the rows' controls on `page`, in its grid layout (made when the
    // page has none) or, on a splitter, as its panes in row order; fills the
    // form's members and continues the tab order of the tables built before.
    // Tab pages go into the last page control built.
    template <class F, class Rows>
    void Build(F& form, QWidget* page, const Rows& rows) {
        std::vector<ControlDecl> decls;
        for (const auto& r : rows) decls.push_back(r.Decl());
        const std::vector<QWidget*> made = Build(page, decls);
        size_t i = 0;
        for (const auto& r : rows) r.member.Assign(form, made[i++]);
    }
    std::vector<QWidget*> Build(QWidget* page, const std::vector<ControlDecl>& rows);

private:
    QWidget* Add(QWidget* page, QGridLayout* grid, const ControlDecl& row, bool captionCellFree);

    FieldLookup fields_;
    int id_ = 0;
    int rows_ = 0;
    QWidget* lastFocus_ = nullptr;
    QTabWidget* pageControl_ = nullptr;
};

// The grid of a page, made when the page has no layout yet (std::logic_error
// when it has another kind of layout).
QGridLayout* PageGrid(QWidget* page);

// The tag and the value-set type the builder gave a control (0 and "" when none).
int TagOf(const QObject* control);
QString ValueSetOf(const QObject* control);
// The builder that made a control and its row's place among the rows that
// builder made (its tables one after another); zeros for a control no table
// built. The builder chains the tab order of its rows in this order.
struct TablePlace {
    int builder = 0;
    int row = 0;
};
TablePlace TablePlaceOf(const QObject* control);
// The data source and field a bound kind was built for (the builder's source,
// even where the form binds the control itself); a null source otherwise.
struct BoundField {
    db::DataSource* source = nullptr;
    std::string field;
};
BoundField BoundFieldOf(const QObject* control);
// The caption the builder put beside a bound control, or nullptr.
QLabel* CaptionOf(const QWidget* control);

// --- For the factories of kinds ----------------------------------------------------

// Characters a bound field's edit shows: the mask's positions, else the text
// size, else a width by type (0: let the control size itself).
int FieldChars(const FieldInfo& field);
// Fixes the control's width to show `chars` digits.
void FitToChars(QWidget* control, int chars);
void SetBold(QWidget* control, bool bold);
// Relays key presses (OnKeyDown, OnKeyPress), clicks into the control
// (OnClick when `clicks`) and its leaving (OnExit when `exits`) to the events,
// for controls that have no hooks of their own.
void RelayInput(QWidget* control, const ControlEvents& events, bool clicks, bool exits);

}  // namespace ui
