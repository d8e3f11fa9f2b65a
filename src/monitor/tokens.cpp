#include "monitor/tokens.h"

#include "protocol/frame.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orvel::monitor {

namespace {

enum class Reveals
{
    Nothing,
    Ack,
    Cr,
    Space,
};

// Rows are tested top to bottom; the first whose range holds the character gives its token.
// An empty token means the character itself followed by one space.
struct TokenRow
{
    unsigned char first;
    unsigned char last;
    std::string_view token;
    Reveals reveals;
};

constexpr TokenRow kTokenRows[] = {
    {protocol::kACK, protocol::kACK, " [ACK] ", Reveals::Ack},
    {protocol::kCR, protocol::kCR, " [CR] ", Reveals::Cr},
    {protocol::kLF, protocol::kLF, " [LF]  ", Reveals::Nothing},
    {protocol::kSpace, protocol::kSpace, "_ ", Reveals::Space},
    {0x00, 0x1F, "? ", Reveals::Nothing},
    {0x21, 0x7A, "", Reveals::Nothing},
    {0x7B, 0xFF, "? ", Reveals::Nothing},
};

struct Token
{
    char text[8] = {};
    unsigned char length = 0;
    Reveals reveals = Reveals::Nothing;
};

// The rows spread out into one entry per byte, so rendering is a lookup per character.
const std::array<Token, 256> &tokenTable()
{
    static const std::array<Token, 256> table = [] {
        std::array<Token, 256> t{};
        std::array<bool, 256> taken{};
        for (const TokenRow &row : kTokenRows) {
            for (int c = row.first; c <= row.last; ++c) {
                if (taken[c])
                    continue;
                taken[c] = true;
                Token &token = t[c];
                if (row.token.empty()) {
                    token.text[0] = static_cast<char>(c);
                    token.text[1] = ' ';
                    token.length = 2;
                } else {
                    row.token.copy(token.text, row.token.size());
                    token.length = static_cast<unsigned char>(row.token.size());
                }
                token.reveals = row.reveals;
            }
        }
        return t;
    }();
    return table;
}

} // namespace

Rendering renderTokens(QByteArrayView text)
{
    const std::array<Token, 256> &table = tokenTable();
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const qsizetype count = std::min(text.size(), kRenderLimit);

    // Two passes: the exact length first, so the text is allocated once and filled in place.
    qsizetype length = 1;
    for (qsizetype i = 0; i < count; ++i)
        length += table[bytes[i]].length;

    QString out(length, Qt::Uninitialized);
    char16_t *cursor = reinterpret_cast<char16_t *>(out.data());
    *cursor++ = u' ';
    Legends legends;
    for (qsizetype i = 0; i < count; ++i) {
        const Token &token = table[bytes[i]];
        for (unsigned char k = 0; k < token.length; ++k)
            *cursor++ = static_cast<unsigned char>(token.text[k]);
        switch (token.reveals) {
        case Reveals::Ack:
            legends.ack = true;
            break;
        case Reveals::Cr:
            legends.cr = true;
            break;
        case Reveals::Space:
            legends.space = true;
            break;
        case Reveals::Nothing:
            break;
        }
    }
    return {out, legends};
}

} // namespace orvel::monitor
