// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace kit {
class TitledButton;
}

namespace viewer {

// The application's own links, which pages and screens use to open help that is not a page:
// "firstaid:steps" the step-by-step help, "firstaid:cpr" the CPR coach. What opens them is
// set by the application's wiring.
using HelpOpener = std::function<void(const QString& what)>;
void setHelpOpener(HelpOpener opener);
// Opens what (the link's path: "steps", "cpr"); false when nothing is set to open it.
bool openHelp(const QString& what);
// Whether a link is one of the application's own.
bool isHelpLink(const QUrl& url);

// Which topic of the practice questions a page (its file name) is the article of, or empty;
// such a page ends with "Проверить себя по этой теме" (link "firstaid:quiz/<topic>"). Set by
// the application's wiring.
using PracticeTopics = std::function<QString(const QString& page)>;
void setPracticeTopics(PracticeTopics topics);
QString practiceTopicOf(const QString& page);
// What a page's end gets to offer its questions: a script that adds the link once.
QString practiceLinkScript(const QString& topic);

// A band over a list with the ways into the help that is not a page: a large red button,
// "Пошагово: что делать сейчас", and beside it "Проверь себя", the practice questions. It sits
// above what it heads and changes nothing in it.
class HelpBand final : public QWidget {
    Q_OBJECT

public:
    static constexpr int bandHeight = 48;
    explicit HelpBand(QWidget* parent = nullptr);
    kit::TitledButton* stepsButton() const { return _steps; }
    kit::TitledButton* practiceButton() const { return _practice; }

private:
    kit::TitledButton* _steps;
    kit::TitledButton* _practice;
};

} // namespace viewer
