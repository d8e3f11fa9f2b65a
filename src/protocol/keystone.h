#pragma once

#include <array>
#include <string>

// The keystone list: entry i stands for the value 80 - i, written as a space,
// the sign ("+", "-", or a space for zero) and two digits.
namespace orvel::protocol {

inline constexpr int kKeystoneEntryCount = 161;
inline constexpr int kKeystoneZeroEntry = 80; // "  00"

std::string keystoneEntry(int index);

} // namespace orvel::protocol
