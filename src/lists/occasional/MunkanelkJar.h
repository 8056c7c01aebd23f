// The jobseeker allowance certificate's work table "List_MunkanelkJar" +
// workstation suffix: a row per employee with the employer's and employee's
// data, the four calendar quarters before the quarter of the exit, the
// labour-market contribution base earned in them, the months with a base and
// the base wage; the rows of last year's folder join when they can be read.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "core/ListaKeret.h"

WorkTable MunkanelkJarTabla();

// The four calendar quarters before the quarter of the exit (day numbers);
// without an exit date the whole year before the processing year.
struct NegyedevAblak {
    double kezd = 0, veg = 0;
};
NegyedevAblak NegyedevekKilepesElott(double kilepes, int ev);

// The months of the window from the later of the entry and the window start
// to the window's end, the first month in proportion to its days left; 0
// when that start is not earlier than the end.
long double KezdoHonapszam(double belepes, const NegyedevAblak& ablak);

// The year a payroll row belongs to: that of its payment date, the one before
// for a December row paid in January; `ev` without a payment date.
int SorEve(double kifizetes, int honap, int ev);

struct MunkanelkJarParameterek {
    QString mhTol, mhIg, dgTol, dgIg;
};

// Writes a row per employee of the ranges into the work table (created
// before); `elozoKod` is the company's code in last year's folder, empty when
// that year cannot be read. The progress gets the row count, then a step per row.
void MunkanelkJarSorok(const MunkanelkJarParameterek& p, const std::string& elozoKod,
                       const std::function<void(int max)>& start = {},
                       const std::function<void()>& step = {});
