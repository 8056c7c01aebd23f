// The lists of the master tables (payment places, workplaces, pay items,
// employees): a range of the table's keys on the parameter form, and every
// record of the range in key order, one band each, on the layout.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "core/ListaKeret.h"
#include "platform/report/Report.h"

// What one member of the family declares.
struct TorzsListaTag {
    const char* formName;    // "List_TorzsKifhelyForm"
    QString caption;         // "Listázás/Kifizető hely"
    const CodeLookup* code;  // the table, its key, name, message and pick list
    QString rangeCaption;    // "Kifizető hely (F2) :"
    const char* mask;        // "999999;1; "
    DefaultSource source;    // where the first and last keys are read
    QString title;           // "Kifizető hely lista"
    const char* layoutName;  // "List_TorzsKifhelyQRForm"
    std::vector<ListColumn> line1;
    std::vector<ListColumn> line2;  // a second line under the first (the employees)
};

// The parameter form of a master table's list: one range of its keys
// (MaskEdit1, MaskEdit2) defaulted to the first and last key, with the
// table and the company table opened read-only.
ListDecl TorzsTartomanyDecl(const char* formName, const QString& caption, const CodeLookup& code,
                            const QString& rangeCaption, const char* mask, DefaultSource source);

class TorzsListaQR {
public:
    explicit TorzsListaQR(const TorzsListaTag& tag);

    report::Report QuickRep1;
    ListHeader QRBand1;

    void QuickRep1BeforePrint();
};

class TorzsListaForm : public ListForm {
    Q_OBJECT
public:
    TorzsListaForm(const TorzsListaTag& tag, QWidget* parent);
    ~TorzsListaForm() override;

    std::unique_ptr<TorzsListaQR> QRForm;

protected:
    void BitBtn1Click() override;

private:
    const TorzsListaTag& tag_;
};
