// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpBand.h"

#include "ButtonLooks.h"

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

PracticeTopics& practiceTopics()
{
    static PracticeTopics current;
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

void setPracticeTopics(PracticeTopics topics)
{
    practiceTopics() = std::move(topics);
}

QString practiceTopicOf(const QString& page)
{
    return practiceTopics() ? practiceTopics()(page) : QString();
}

QString practiceLinkScript(const QString& topic)
{
    // The topic is an identifier of the bank's own; anything else in it is left out rather
    // than written into a script.
    QString safe;
    for (QChar c : topic)
        if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-'))
            safe += c;
    return QStringLiteral(
               "(function(){if(document.getElementById('practiceLink'))return;"
               "var a=document.createElement('a');a.id='practiceLink';"
               "a.href='firstaid:quiz/%1';a.textContent='Проверить себя по этой теме \u203a';"
               "a.setAttribute('style','display:block;background:#3d4855;color:#fff;"
               "font-weight:bold;text-decoration:none;text-align:center;padding:0.6em;"
               "border-radius:8px;margin:1.4em 0 0.8em');document.body.appendChild(a);})();")
        .arg(safe);
}

HelpBand::HelpBand(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("helpBand"));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xf4, 0xe4, 0xe4));
    setPalette(colours);
    resize(kit::Window::width, bandHeight);
    _steps = new kit::TitledButton(QStringLiteral("Пошагово: что делать сейчас"), bandLook, this);
    _steps->setObjectName(QStringLiteral("stepsButton"));
    _steps->setFont(kit::boldSystemFont(14));
    _steps->setAccessibleName(QStringLiteral("Пошагово: что делать сейчас"));
    const int practiceWidth = 84;
    kit::setFrame(_steps, QRect(6, 6, kit::Window::width - 18 - practiceWidth, bandHeight - 12));
    _steps->addTarget(
        this, [] { openHelp(QStringLiteral("steps")); }, kit::ControlEvent::TouchUpInside);
    _practice = new kit::TitledButton(QStringLiteral("Проверь\nсебя"), looks::secondAnswer(), this);
    _practice->setObjectName(QStringLiteral("practiceButton"));
    _practice->setFont(kit::boldSystemFont(14));
    _practice->setAccessibleName(QStringLiteral("Проверь себя: вопросы по первой помощи"));
    kit::setFrame(_practice,
                  QRect(kit::Window::width - 6 - practiceWidth, 6, practiceWidth, bandHeight - 12));
    _practice->addTarget(
        this, [] { openHelp(QStringLiteral("quiz")); }, kit::ControlEvent::TouchUpInside);
}

} // namespace viewer
