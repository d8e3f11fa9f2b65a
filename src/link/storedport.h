#pragma once

#include <QString>
#include <optional>

namespace orvel::link {

// Reads the stored port text as a number: leading blanks are skipped, the
// leading decimal number is taken and rounded to the nearest whole number
// (halves to even), and text that does not begin with a number reads as 0.
// A number that does not fit 16 signed bits gives nothing.
std::optional<qint16> portNumberFromStoredText(const QString &text);

} // namespace orvel::link
