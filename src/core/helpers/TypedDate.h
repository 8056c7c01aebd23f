// The check of a date typed into a form: an empty date passes, a text that is
// no date is refused ("Ilyen dátum nem létezik!"), and a date outside
// 1900.01.01 to the last day of `lastYear` (2020 on most forms) is questioned
// ("Ellenőrizze le helyesen írta-e be a dátumot!") and kept.
#pragma once

#include <string>

enum class TypedDate { Empty, NoDate, OutOfRange, Valid };

// `text` as the date edit holds it ("2019.05.10"; without a digit it is empty);
// `date` gets the day number of a readable date.
TypedDate CheckTypedDate(const std::string& text, double& date, int lastYear = 2020);
