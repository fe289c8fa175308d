#pragma once

#include <QString>

// Reading the answer of the "Type of test?" input box.
namespace testanswer {

// The leading number of the text, blanks anywhere ignored ("  1 2x" is 12, "-.5e1" is -5);
// text without a leading number (also empty text) is 0.
double leadingNumber(const QString& text);

// The nearest whole number of the leading number, a half going to the even neighbour
// (0.5 is 0, 1.5 is 2, 2.5 is 2).
double nearestWholeNumber(const QString& text);

} // namespace testanswer
