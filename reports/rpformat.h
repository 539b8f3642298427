#pragma once
// Number text for reports, with the decimal and thousand separators in force.
#include <QString>

// General form with 15 significant digits: "3.5", "1E20", "0".
QString FloatToStr(double value);

// A number by a mask: "0" a digit always shown, "#" a digit shown when it
// counts, "." the decimal point, "," thousand separators, "E+" / "E-" an
// exponent, quoted text as it stands, and up to three sections split by ";"
// for positive, negative and zero values. An empty mask gives FloatToStr.
QString FormatFloat(const QString& mask, double value);
