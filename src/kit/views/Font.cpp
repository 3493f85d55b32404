// SPDX-License-Identifier: GPL-3.0-or-later
#include "Font.h"

#include <QFontDatabase>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

// The face that stands for Arial: Arial itself where installed, else the metric-compatible
// face the font configuration puts in its place, named directly. Asking for a family that
// is not installed makes the font system look for a substitute for every size and weight
// anew, a good part of what the first screen costs to draw.
const QString& arialFamily()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QLatin1String name :
             {QLatin1String("Arial"), QLatin1String("Liberation Sans"), QLatin1String("Arimo")}) {
            if (installed.contains(name))
                return QString(name);
        }
        return QStringLiteral("Arial");
    }();
    return family;
}

QFont sized(const QString& family, double size)
{
    QFont font(family);
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

QFont systemFont(double size)
{
    // The phone's system face is Helvetica; Arial (Liberation Sans here) shares its metrics.
    return sized(arialFamily(), size);
}

QFont boldSystemFont(double size)
{
    QFont font = systemFont(size);
    font.setBold(true);
    return font;
}

QFont fontWithName(const QString& name, double size)
{
    const QStringList parts = name.split(QLatin1Char('-'));
    QString family = parts.value(0);
    const QString style = parts.value(1);
    if (family == QLatin1String("ArialMT") || family == QLatin1String("Helvetica") ||
        family == QLatin1String("Arial"))
        family = arialFamily();
    QFont font = sized(family, size);
    font.setBold(style.contains(QLatin1String("Bold")));
    font.setItalic(style.contains(QLatin1String("Italic")) ||
                   style.contains(QLatin1String("Oblique")));
    return font;
}

} // namespace kit
