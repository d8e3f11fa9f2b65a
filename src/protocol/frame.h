#pragma once

#include <string>
#include <string_view>

// A command frame is eight characters, a four-character command code and a
// four-character parameter field, followed by one CR. No start character,
// address, length or checksum: the CR alone ends it.
namespace orvel::protocol {

inline constexpr char kCR = '\x0D';
inline constexpr char kACK = '\x06';
inline constexpr char kLF = '\x0A';
inline constexpr char kSpace = '\x20';

// Placeholders in catalog templates, overwritten by the operator, never by us.
inline constexpr char kDigitPlaceholder = '%';
inline constexpr char kSignPlaceholder = '#';
inline constexpr char kCharacterPlaceholder = '*';

// Stands for the terminating CR in templates and in the Command List's box.
inline constexpr std::string_view kCRMarker = "[CR]";

inline constexpr std::size_t kCommandLength = 8;
inline constexpr std::size_t kFrameLength = kCommandLength + 1;

// The command text followed by exactly one CR; nothing is padded, trimmed or checked.
std::string makeFrame(std::string_view command);

} // namespace orvel::protocol
