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

// A band over a list or page with the way into the step-by-step help: one large red
// button, "Пошагово: что делать сейчас". It sits above what it heads and changes nothing in it.
class HelpBand final : public QWidget {
    Q_OBJECT

public:
    static constexpr int bandHeight = 48;
    explicit HelpBand(QWidget* parent = nullptr);
    kit::TitledButton* stepsButton() const { return _steps; }

private:
    kit::TitledButton* _steps;
};

} // namespace viewer
