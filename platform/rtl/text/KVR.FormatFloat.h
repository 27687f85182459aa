#pragma once
#include <QString>

// Formats a number by a picture pattern:
//   0  a digit, shown also when it is a leading or trailing zero
//   #  a digit, left out when it is a leading or trailing zero
//   .  the decimal point (the first one; later ones are ignored)
//   ,  thousands grouping of the integer part (anywhere before the point)
//   E+ E- e+ e-  scientific notation; the zeros after it give the exponent's digits
//   'x' "x"  literal text; any other character stands for itself
// Up to three sections separated by ';': positive, negative, zero. The
// negative section carries its own sign; an empty section falls back to the
// first. A value that rounds to zero shows the zero section when there is one
// and never a minus sign. Halves go to the even digit, judged on the shortest
// decimal form of the value (so 2.675 is 2.675, not 2.67499...). The decimal
// point is always '.', the group separator ','. An empty pattern gives the
// general form with up to 15 significant digits.
QString FormatFloat(const QString& aFormat, double aValue);
