#pragma once
// FormatFloat: a number as text through a display format, as the fields'
// DisplayFormat gives it ("#########.000", "###0.000", "#,##0.00;(#,##0.00);Zero").
//
// Format language: "0" a digit always shown, "#" a digit shown only when
// significant, the first "." the decimal point, "," anywhere in the integer
// part turns on thousands grouping (written ","), "E+"/"E-"/"e+"/"e-"
// followed by "0"s the exponent, '...' and "..." literal text, any other
// character literal. Up to three sections separated by ";": positive,
// negative (written without a sign), zero; an empty or missing negative
// section means the first one with a leading "-", an empty or missing zero
// section the first one. The decimal separator is always ".". Rounding is
// half away from zero on the value's 15 significant digits; a value that
// rounds to zero is zero. An empty format gives the general form.
#include <QString>

namespace gridkit {

QString FormatFloat(const QString& formato, double valore);

} // namespace gridkit
