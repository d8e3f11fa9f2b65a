#include "protocol/keystone.h"

#include <cstdlib>

namespace orvel::protocol {

std::string keystoneEntry(int index)
{
    const int value = 80 - index;
    const char sign = value > 0 ? '+' : value < 0 ? '-' : ' ';
    const int magnitude = std::abs(value);
    return {' ', sign, char('0' + magnitude / 10), char('0' + magnitude % 10)};
}

} // namespace orvel::protocol
