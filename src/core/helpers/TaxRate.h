// The personal income tax rate of the processing year: the payroll run, the
// monthly and annual declaration sheets and the lists all tax at it and turn
// tax amounts back into tax base with it.
#pragma once

constexpr double kIncomeTaxRate = 0.15;
