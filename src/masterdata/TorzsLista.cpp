#include "masterdata/TorzsLista.h"

#include "core/Nyomtatas.h"
#include "platform/db/Query.h"

ListDecl TorzsTartomanyDecl(const char* formName, const QString& caption, const CodeLookup& code,
                            const QString& rangeCaption, const char* mask, DefaultSource source) {
    ParamField range;
    range.from = "MaskEdit1";
    range.to = "MaskEdit2";
    range.caption = rangeCaption;
    range.mask = mask;
    range.code = &code;
    range.fromDefault = defaults::First(code.keyField, source);
    range.toDefault = defaults::Last(code.keyField, source);

    ListDecl d;
    d.objectName = formName;
    d.caption = caption;
    d.fields = {range};
    d.tables = {code.table, &TDM1::TableCegek};
    d.lastEdit = "MaskEdit2";
    // The opening maintenance form's pick list serves the range edits.
    d.ownPickList = false;
    return d;
}

TorzsListaQR::TorzsListaQR(const TorzsListaTag& tag) : QuickRep1(QString::fromUtf8(tag.layoutName)) {
    QuickRep1.DataSet = DM1->Query1;
    QuickRep1.BeforePrint = [this](bool&) { QuickRep1BeforePrint(); };
    const QString name = QString::fromUtf8(tag.layoutName);
    QuickRep1.OnPreview = [this, name] { ShowReportPreview(QuickRep1, name); };

    auto& header = QuickRep1.AddPageHeader(30);
    QRBand1 = AddListHeader(header, tag.title);
    header.Height = QRBand1.bottom + 1;

    const double lines = tag.line2.empty() ? 1 : 2;
    auto& columns = QuickRep1.AddColumnHeader(5 * lines + 1);
    auto& detail = QuickRep1.AddDetail(5 * lines);
    AddColumns(columns, 0, detail, *DM1->Query1, tag.line1);
    for (const ListColumn& c : tag.line2) {
        columns.Label(c.left, 5, c.width, c.caption, c.align).Bold();
        db::Dataset* ds = DM1->Query1;
        detail.Computed(
            c.left, 5, c.width, [c, ds] { return ColumnText(*ds, c); }, c.align);
    }
    columns.HLine(0, 5 * lines + 0.5, 190);
}

void TorzsListaQR::QuickRep1BeforePrint() {
    DM1->Query1->First();
    LocateCompany();
}

TorzsListaForm::TorzsListaForm(const TorzsListaTag& tag, QWidget* parent)
    : ListForm(
          TorzsTartomanyDecl(tag.formName, tag.caption, *tag.code, tag.rangeCaption, tag.mask, tag.source),
          parent),
      QRForm(std::make_unique<TorzsListaQR>(tag)),
      tag_(tag) {}

TorzsListaForm::~TorzsListaForm() = default;

void TorzsListaForm::BitBtn1Click() {
    RunQueryList([this] {
        db::Table& table = *(DM1->*(tag_.code->table));
        const std::string key = tag_.code->keyField;
        ListSql sql;
        sql.Line("Select * From " + ListSql::Table(table));
        sql.Range(key, Text("MaskEdit1"), Text("MaskEdit2"));
        sql.Line("Order By " + db::SqlName(key));
        Query1Open(sql);
        QRForm->QuickRep1.Preview();
    });
}
