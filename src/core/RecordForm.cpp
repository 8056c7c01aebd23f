#include "core/RecordForm.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QToolButton* NavigationButton(QWidget* parent, QHBoxLayout* row, const char* name,
                              QStyle::StandardPixmap pixmap, const char* hint, int tag) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(parent->style()->standardIcon(pixmap));
    b->setToolTip(QString::fromUtf8(hint));
    b->setProperty("Tag", tag);
    b->setFocusPolicy(Qt::NoFocus);
    row->addWidget(b);
    return b;
}

QPushButton* RecordButton(QWidget* parent, QHBoxLayout* row, const char* name, const char* caption,
                          const char* hint, int tag, bool autoDefault) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    if (hint) b->setToolTip(QString::fromUtf8(hint));
    b->setProperty("Tag", tag);
    if (!autoDefault) b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

}  // namespace

RecordForm::RecordForm(QWidget* parent) : QDialog(parent) {}

RecordForm::~RecordForm() { Detach(); }

void RecordForm::Detach() {
    for (QWidget* w : findChildren<QWidget*>()) {
        w->removeEventFilter(this);
        w->disconnect(this);
    }
}

void RecordForm::BuildButtons(QWidget* parent, QHBoxLayout* row, ButtonRowStyle style) {
    onlyWhenEnabled_ = style.onlyWhenEnabled;
    BitBtn3 = NavigationButton(parent, row, "BitBtn3", QStyle::SP_MediaSkipBackward, "Home", TagFirst);
    BitBtn1 = NavigationButton(parent, row, "BitBtn1", QStyle::SP_MediaSeekBackward, "-", TagPrior);
    BitBtn2 = NavigationButton(parent, row, "BitBtn2", QStyle::SP_MediaSeekForward, "+", TagNext);
    BitBtn4 = NavigationButton(parent, row, "BitBtn4", QStyle::SP_MediaSkipForward, "End", TagLast);
    const bool d = style.autoDefault;
    BitBtn5 = RecordButton(parent, row, "BitBtn5", "Felvitel", "Ins", TagInsert, d);
    BitBtn6 = RecordButton(parent, row, "BitBtn6", "Módosít", "F12", TagModify, d);
    BitBtn7 = RecordButton(parent, row, "BitBtn7", "Törlés", "Del", TagDelete, d);
    BitBtn8 = RecordButton(parent, row, "BitBtn8", "Listázás", nullptr, TagList, d);
    BitBtn9 = RecordButton(parent, row, "BitBtn9", "Mégsem", nullptr, TagCancel, d);
    BitBtn11 = RecordButton(parent, row, "BitBtn11", "Rögzítés", nullptr, TagSave, d);
    if (style.stretchBeforeExit) row->addStretch(1);
    BitBtn10 = RecordButton(parent, row, "BitBtn10", "Kilépés", "ESC", TagExit, d);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             BitBtn3, BitBtn1, BitBtn2, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9, BitBtn11})
        connect(b, &QAbstractButton::clicked, b, [this, b] { BitBtnClick(b); });
    connect(BitBtn10, &QPushButton::clicked, this, &RecordForm::BitBtn10Click);
}

bool RecordForm::Ask(const QString& text, ui::Icon icon, int defaultButton) {
    return ui::MessageBox(QStringLiteral("Üzenet"), text, icon, ui::Yes | ui::No, defaultButton) == ui::Yes;
}

// --- Buttons --------------------------------------------------------------------------

void RecordForm::BitBtnClick(QAbstractButton* sender) {
    switch (sender ? sender->property("Tag").toInt() : TagExit) {
        case TagPrior:
            MoveRecord(RecordMove::Prior);
            break;
        case TagNext:
            MoveRecord(RecordMove::Next);
            break;
        case TagFirst:
            MoveRecord(RecordMove::First);
            break;
        case TagLast:
            MoveRecord(RecordMove::Last);
            break;
        case TagInsert:
            if (!onlyWhenEnabled_ || BitBtn5->isEnabled()) Felvitel();
            break;
        case TagModify:
            if (!onlyWhenEnabled_ || BitBtn6->isEnabled()) Modositas();
            break;
        case TagDelete:
            Torles();
            break;
        case TagList:
            Listazas();
            break;
        case TagCancel:
            Megsem();
            break;
        case TagSave:
            Postazas();
            break;
        default:
            break;
    }
}

void RecordForm::BitBtn10Click() {
    if (Ask(ExitQuestion(), ui::Icon::Question)) close();
}

// --- Closing --------------------------------------------------------------------------

bool RecordForm::FormCloseQuery() {
    if (mode_ == Browse) return true;
    if (!Ask(QStringLiteral("Félbeszakítja a műveletet?"), ui::Icon::Warning)) return false;
    Megsem();
    return true;
}

void RecordForm::FormClose() {
    if (closed_) return;
    closed_ = true;
    BeforeTablesClose();
    TableNyitZar(1);
}

void RecordForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    setResult(QDialog::Rejected);
    event->accept();
}

// --- Keys -----------------------------------------------------------------------------

void RecordForm::SzerkesztesChange() {
    if (megsemFut_ || mode_ == Browse) return;
    BitBtn11->setEnabled(RogzitesMehetVizs());
}

bool RecordForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = modifiers & Qt::KeypadModifier;
    RecordMove move;
    switch (key) {
        case Qt::Key_PageUp:
            move = RecordMove::Back10;
            break;
        case Qt::Key_PageDown:
            move = RecordMove::Forward10;
            break;
        case Qt::Key_Home:
            move = RecordMove::First;
            break;
        case Qt::Key_End:
            move = RecordMove::Last;
            break;
        case Qt::Key_Plus:
            if (!keypad) return false;
            move = RecordMove::Next;
            break;
        case Qt::Key_Minus:
            if (!keypad) return false;
            move = RecordMove::Prior;
            break;
        case Qt::Key_Insert:
            if (!onlyWhenEnabled_ || BitBtn5->isEnabled()) Felvitel();
            return true;
        case Qt::Key_F12:
            if (!onlyWhenEnabled_ || BitBtn6->isEnabled()) Modositas();
            return true;
        case Qt::Key_Delete:
            Torles();
            return true;
        case Qt::Key_F2:
            BrowsePick();
            return true;
        case Qt::Key_Escape:
            if (BitBtn10->isEnabled()) BitBtn10Click();
            return true;
        default:
            return false;
    }
    MoveRecord(move);
    return true;
}

bool RecordForm::SzerkesztesKeyDown(QWidget* input, int key, Qt::KeyboardModifiers) {
    if (mode_ == Browse) return false;
    if (IsEnter(key)) {
        EnterKey(input);
        return true;
    }
    if (key == Qt::Key_Escape) {
        Megsem();
        return true;
    }
    if (key == Qt::Key_F2) {
        InputPick(input);
        return true;
    }
    return false;
}

bool RecordForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (BrowseKeys() && FormKeyDown(k->key(), k->modifiers())) return true;
        if (IsInput(watched)) {
            if (SzerkesztesKeyDown(static_cast<QWidget*>(watched), k->key(), k->modifiers())) return true;
            // The Enter character never reaches an input.
            if (IsEnter(k->key())) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
