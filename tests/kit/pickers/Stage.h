// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the action sheet's and the image picker's tests present on.

#include "kit/controllers/Application.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/ViewController.h"
#include "kit/controllers/Window.h"
#include "kit/pickers/ActionSheet.h"
#include "kit/views/View.h"

#include <QCoreApplication>

#include <functional>

// The key window with a screen on it and a tab bar at its bottom.
struct Stage {
    kit::Application application;
    kit::Window window;
    kit::ViewController screen;
    kit::TabBar* tabBar = new kit::TabBar(&window);

    Stage()
    {
        window.makeKeyAndVisible();
        window.addSubview(screen.view());
        kit::setFrame(screen.view(), kit::Window::applicationFrame());
        kit::setFrame(tabBar, QRect(0, kit::Window::height - kit::TabBar::barHeight,
                                    kit::Window::width, kit::TabBar::barHeight));
        tabBar->show();
    }
    ~Stage() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

class SheetJournal final : public kit::ActionSheetDelegate {
public:
    void clickedButtonAtIndex(kit::ActionSheet& sheet, int index) override
    {
        clicked << index;
        if (onClicked)
            onClicked(sheet);
    }
    QList<int> clicked;
    std::function<void(kit::ActionSheet&)> onClicked;
};

inline kit::ActionSheet* sourceSheet(kit::ActionSheetDelegate* delegate)
{
    return new kit::ActionSheet(QStringLiteral("Выберите источник"), delegate,
                                QStringLiteral("Отмена"), QStringLiteral("Камера"),
                                {QStringLiteral("Библиотека")});
}
