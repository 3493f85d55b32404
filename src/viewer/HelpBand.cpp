// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpBand.h"

#include "kit/controllers/Window.h"
#include "kit/views/Font.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"

#include <QPainter>
#include <QUrl>

namespace viewer {
namespace {

HelpOpener& opener()
{
    static HelpOpener current;
    return current;
}

const kit::TitledButton::Look bandLook = {
    {{0, QColor(0xc0, 0x1c, 0x1c)}, {1, QColor(0x8a, 0x08, 0x08)}},
    {{0, QColor(0x8a, 0x08, 0x08)}, {1, QColor(0x5c, 0x04, 0x04)}},
    QColor(0x4a, 0x03, 0x03),
    8,
};

} // namespace

void setHelpOpener(HelpOpener newOpener)
{
    opener() = std::move(newOpener);
}

bool openHelp(const QString& what)
{
    if (!opener())
        return false;
    opener()(what);
    return true;
}

bool isHelpLink(const QUrl& url)
{
    return url.scheme().compare(QLatin1String("firstaid"), Qt::CaseInsensitive) == 0;
}

HelpBand::HelpBand(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("helpBand"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xf4, 0xe4, 0xe4));
    setPalette(colours);
    resize(kit::Window::width, bandHeight);
    _steps =
        new kit::TitledButton(QStringLiteral("Пошагово: что делать сейчас  ›"), bandLook, this);
    _steps->setObjectName(QStringLiteral("stepsButton"));
    _steps->setFont(kit::boldSystemFont(16));
    _steps->setAccessibleName(QStringLiteral("Пошагово: что делать сейчас"));
    kit::setFrame(_steps, QRect(8, 6, kit::Window::width - 16, bandHeight - 12));
    _steps->addTarget(
        this, [] { openHelp(QStringLiteral("steps")); }, kit::ControlEvent::TouchUpInside);
}

} // namespace viewer
