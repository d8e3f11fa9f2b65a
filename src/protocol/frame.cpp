#include "protocol/frame.h"

namespace orvel::protocol {

std::string makeFrame(std::string_view command)
{
    std::string frame;
    frame.reserve(command.size() + 1);
    frame.append(command);
    frame.push_back(kCR);
    return frame;
}

} // namespace orvel::protocol
