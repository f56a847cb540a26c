#pragma once

#include "captions.h"

#include <QString>

#include <string_view>

// How the input panel reads and writes its field texts, on top of the
// number formats of the analysis layer.
namespace gw {

// True when the whole text (blanks around it aside) is one number as the
// fields show them in `language`: an optional sign and "$" in front, digits
// with the language's grouping and decimal mark, an optional exponent, and
// an optional "$" behind. "$100,000", "100 000 $", "-5", "7.5" and, in
// French, "7,5" are numbers; "", "abc", "12abc", "1,5" in English are not.
bool IsNumericText(const QString& text, Language language);

// The field's number: its leading numeric part, 0 when there is none.
double FieldNumber(const QString& text, Language language);

// `value` written with a display pattern ("$#,##0", "#0.0", "#").
QString FormatField(double value, std::string_view pattern, Language language);

// `value` as a plain number: its shortest decimal form with "." ("7.5", "40").
QString PlainNumber(double value);

} // namespace gw
