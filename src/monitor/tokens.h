#pragma once

#include <QByteArrayView>
#include <QString>

namespace orvel::monitor {

// The three legend lines under the displays, one per control character that has a token of its own.
struct Legends
{
    bool ack = false;   // Label19 "[ACK]:ACKnowledge Code (0x06)"
    bool cr = false;    // Label28 "[CR] :Carriage Return Code (0x0D)"
    bool space = false; // Label27 "_ :Space Code (0x20)"

    Legends &operator|=(const Legends &other)
    {
        ack |= other.ack;
        cr |= other.cr;
        space |= other.space;
        return *this;
    }
    friend bool operator==(const Legends &a, const Legends &b)
    {
        return a.ack == b.ack && a.cr == b.cr && a.space == b.space;
    }
    friend bool operator!=(const Legends &a, const Legends &b) { return !(a == b); }
};

struct Rendering
{
    QString text;
    Legends legends; // the legends the rendered characters reveal
};

// The rendering counts characters with a 16-bit signed counter: no more than this many are rendered.
inline constexpr qsizetype kRenderLimit = 32767;

// One space, then one token per character: " [ACK] ", " [CR] ", " [LF]  ", "_ "
// for a space, the character and a space for "!" to "z", and "? " for the rest.
// Characters beyond kRenderLimit are not rendered.
Rendering renderTokens(QByteArrayView text);

// The no-reply marker that the reply wait leaves in the RxD display.
inline constexpr auto kNoReplyMarker = " X X X X ";

} // namespace orvel::monitor
