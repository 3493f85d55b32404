#include "Font.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kit {
namespace {

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
    return sized(QStringLiteral("Arial"), size);
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
    if (family == QLatin1String("ArialMT") || family == QLatin1String("Helvetica"))
        family = QStringLiteral("Arial");
    QFont font = sized(family, size);
    font.setBold(style.contains(QLatin1String("Bold")));
    font.setItalic(style.contains(QLatin1String("Italic")) ||
                   style.contains(QLatin1String("Oblique")));
    return font;
}

} // namespace kit
