// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kit {

// The form of a Russian noun after a number: one ("1 шаг", "21 тема"), few ("3 шага") or
// many ("25 шагов", "11 тем").
inline QString russianPlural(qsizetype count, const QString& one, const QString& few,
                             const QString& many)
{
    const qsizetype lastTwo = count % 100;
    const qsizetype last = count % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return many;
    if (last == 1)
        return one;
    if (last >= 2 && last <= 4)
        return few;
    return many;
}

} // namespace kit
