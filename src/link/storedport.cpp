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

    // Digits are collected as text and converted once, so a run of thousands
    // of digits cannot overflow anything on the way.
    QString number;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        number.append(text[i++]);
    if (i < n && text[i] == u'.') {
        number.append(u'.');
        ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            number.append(text[i++]);
    }
    if (number.isEmpty() || number == u".")
        return 0;

    // Leading zeros say nothing; without them anything longer than 6 integer digits is out of range.
    qsizetype firstSignificant = 0;
    while (firstSignificant < number.size() - 1 && number[firstSignificant] == u'0' &&
           number[firstSignificant + 1] != u'.')
        ++firstSignificant;
    const qsizetype integerDigits =
        number.indexOf(u'.') < 0 ? number.size() - firstSignificant : number.indexOf(u'.') - firstSignificant;
    if (integerDigits > 6)
        return std::nullopt;

    const double magnitude = number.mid(firstSignificant).toDouble();
    const double rounded = std::nearbyint(negative ? -magnitude : magnitude);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

} // namespace orvel::link
