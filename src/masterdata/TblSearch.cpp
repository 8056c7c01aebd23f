#include "masterdata/TblSearch.h"

#include <QDialog>
#include <QFileInfo>
#include <memory>

#include "masterdata/uTblSearchLanguage.h"
#include "platform/db/DbfTable.h"
#include "platform/db/Table.h"
#include "platform/db/Transaction.h"
#include "platform/os/System.h"
#include "platform/os/TempDir.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Hourglass.h"

namespace {

const std::string kNoAbout = "#NoAbout#";

// A dBASE file as a table in `folder`, under the file's base name.
std::string CopyDbf(const QString& file, const std::string& folder) {
    db::DbfTable dbf;
    dbf.FileName = file.toStdString();
    dbf.Open();
    const std::string name = QFileInfo(file).completeBaseName().toStdString();
    db::CreateTable(folder, name, dbf.GetFieldDefs(), "");
    db::Table table;
    table.DatabaseName = folder;
    table.TableName = name;
    db::Transaction transaction{&table};
    table.Open();
    for (dbf.First(); !dbf.Eof(); dbf.Next()) {
        table.Append();
        for (int i = 0; i < dbf.FieldCount(); ++i) table.Fields(i).SetValue(dbf.Fields(i).Value());
        table.Post();
    }
    transaction.Commit();
    return name;
}

}  // namespace

db::Bookmark KeresoAblakMutat(const std::vector<std::string>& fieldNames,
                              const std::vector<std::int16_t>& widths, const std::vector<std::string>& titles,
                              const std::string& databaseName, const std::string& tableName,
                              const db::Dataset* fields, const db::Bookmark& startBookmark,
                              const std::string& options, QChar language) {
    std::unique_ptr<os::TempDir> dbfFolder;  // goes after the window
    std::unique_ptr<TfrmTblSearch> form;
    db::Bookmark result;
    try {
        if (widths.size() != fieldNames.size()) throw TblSearchError("Count of array not identical. (001)");
        form = std::make_unique<TfrmTblSearch>();
        form->NyelvBeallit(language);

        std::string database = databaseName, table = tableName, where = options;
        db::Bookmark start = startBookmark;
        if (QString::fromStdString(table).trimmed().isEmpty()) {
            const QString filter = "paradox (*.db)|*.db|dbase (*.dbf)|*.dbf|" +
                                   TblSearchCaption("AllFiles", language) + " (*.*)|*.*";
            const QString file =
                ui::OpenFileName(TblSearchCaption("SelectFile", language),
                                 QString::fromStdString(os::BaseFolder()), DialogFilter(filter));
            if (file.isEmpty()) return {};
            const QFileInfo info(file);
            database = info.absolutePath().toStdString();
            table = info.fileName().toStdString();
            where.clear();
            start.reset();
            fields = nullptr;
            if (info.suffix().compare("dbf", Qt::CaseInsensitive) == 0) {
                dbfFolder = std::make_unique<os::TempDir>("tblsearch");
                table = CopyDbf(file, dbfFolder->Path());
                database = dbfFolder->Path();
            }
        }
        {
            ui::Hourglass hourglass;
            if (where.rfind(kNoAbout, 0) == 0) {
                form->HideAbout();
                where.erase(0, kNoAbout.size());
            }
            form->TablaMegnyit(database, table);
            if (fields) {
                for (int i = 0; i < fields->FieldCount(); ++i) {
                    const db::Field& source = fields->Fields(i);
                    if (db::Field* target = form->Table1->FindField(source.FieldName()))
                        target->DisplayLabel = source.DisplayLabel;
                }
            }
            form->OszlopokBeallit(fieldNames, std::vector<int>(widths.begin(), widths.end()), titles);
            form->MezoTipusEllenoriz();
            form->KezdetiSQLosszeallit(where);
            form->SzelessegBeallit();
            form->QueryNyit();
            if (start) {
                form->Table1->GotoBookmark(start);
                form->MegkeresQueryben();
            }
        }
        if (ui::ShowModal(*form) == QDialog::Accepted && form->Chosen()) {
            ui::Hourglass hourglass;
            // A list row the table no longer holds gives no row rather than
            // whichever row the table stood on.
            if (form->MegkeresTableban()) result = form->Table1->GetBookmark();
        }
    } catch (const std::exception& e) {
        result.reset();
        form.reset();
        ui::MessageBox(ui::ApplicationTitle(), "TblSearch Error\r" + QString::fromStdString(e.what()),
                       ui::Icon::Error, ui::Ok);
    }
    return result;
}

std::string NoAboutWhereEquals(const std::string& field, const std::string& value) {
    std::string quoted;
    for (char c : value) {
        if (c == '\'') quoted += '\'';
        quoted += c;
    }
    return kNoAbout + "Where " + field + " = '" + quoted + "'";
}
