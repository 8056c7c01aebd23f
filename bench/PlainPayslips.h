// The plain payslip-like layout of the report benchmarks: 500 pages of a page
// header, 30 detail rows and a page footer, with no data behind it. Other
// benchmarks record and export it in their own run as their yardstick.
#pragma once

#include <QString>
#include <vector>

#include "platform/report/Report.h"

namespace plain {

constexpr int kPages = 500;
constexpr int kRowsPerPage = 30;

inline QString Cell(int row, int col) { return QString::number(row * 7 + col * 1013); }

struct Payslips {
    report::Report r{QStringLiteral("List_BerlapQRForm")};
    int row = 0;

    Payslips() {
        auto& header = r.AddPageHeader(40);
        header.Label(0, 0, 60, "Tavrina bérszámfejtés");
        header.Label(70, 0, 60, "Készítette: Tavrina", report::Align::Center);
        header.SysData(150, 0, 40, report::SysKind::PageOfPages, report::Align::Right, "Lapszám : ");
        header.Label(0, 6, 100, "Felhasználó : Minta Könyvelő Bt.");
        header.Computed(0, 12, 100, [this] { return QString("Dolgozó %1").arg(row / kRowsPerPage + 1); });
        header.Label(80, 18, 30, "Bérlap", report::Align::Center).Bold();
        header.SysData(150, 18, 40, report::SysKind::Date, report::Align::Right, "Dátum : ");
        header.HLine(0, 25, 190);
        auto& detail = r.AddDetail(report::Px(16));
        std::vector<report::Control*> cells;
        cells.push_back(&detail.Label(0, 0, 12, ""));
        cells.push_back(&detail.Label(13, 0, 60, ""));
        for (int c = 0; c < 6; ++c)
            cells.push_back(&detail.Label(75 + c * 19, 0, 18, "", report::Align::Right));
        detail.BeforePrint = [this, cells](bool&) {
            cells[0]->Caption = QString::number(100 + row % kRowsPerPage);
            cells[1]->Caption = QStringLiteral("Alapbér és pótlékok őűŐŰ");
            for (int c = 0; c < 6; ++c) cells[c + 2]->Caption = Cell(row, c);
        };
        detail.AfterPrint = [this, &detail] { detail.ForceNewPage = row % kRowsPerPage == 0; };
        r.AddPageFooter(8).HLine(0, 0, 190);
        r.NeedData = [this] { return row++ < kPages * kRowsPerPage; };
    }
};

}  // namespace plain
