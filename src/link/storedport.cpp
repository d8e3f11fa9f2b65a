#include "link/storedport.h"

#include <cmath>
#include <limits>

namespace orvel::link {

std::optional<qint16> portNumberFromStoredText(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    const auto digitsFrom = [&](qsizetype &at) {
        const qsizetype first = at;
        while (at < n && text[at] >= u'0' && text[at] <= u'9')
            ++at;
        return text.mid(first, at - first);
    };
    // Leading zeros say nothing; without them, more than six whole digits cannot fit
    // 16 bits, and a run of thousands of digits is never converted at all.
    QString whole = digitsFrom(i);
    QString fraction;
    if (i < n && text[i] == u'.')
        fraction = digitsFrom(++i);
    if (whole.isEmpty() && fraction.isEmpty())
        return 0;
    qsizetype zeros = 0;
    while (zeros < whole.size() && whole[zeros] == u'0')
        ++zeros;
    if (whole.size() - zeros > 6)
        return std::nullopt;

    const double magnitude = (u'0' + whole.mid(zeros) + u'.' + fraction + u'0').toDouble();
    const double rounded = std::nearbyint(negative ? -magnitude : magnitude);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace orvel::link
