// SPDX-License-Identifier: GPL-3.0-or-later
#include "Content.h"

#include "ContentTable.h"
#include "kit/controllers/Window.h"
#include "viewer/WebController.h"

#include <memory>

namespace contents {

Content::Content() : viewer::ReadingTab(QStringLiteral("contentView")) {}

void Content::viewDidLoad()
{
    auto table = std::make_unique<ContentTable>();
    _table = table.get();
    // One point taller than the tab's view, unlike the other tabs' stacks: the list's last point
    // is cut off at the tab bar. Kept so that a list scrolled to its end looks as it always has.
    hostReadingStack(std::move(table), kit::Window::applicationFrame().height() + 1);
}

viewer::WebController* Content::zoomedViewer(viewer::ZoomControl&)
{
    return _table ? _table->openedViewer() : nullptr;
}

void Content::rootWillShow(kit::NavigationController& navigationController, bool animated)
{
    navigationController.setNavigationBarHidden(true, animated);
    _table->deselectItem();
}

void Content::articleWillShow(kit::NavigationController& navigationController, bool animated)
{
    navigationController.setNavigationBarHidden(false, animated);
}

} // namespace contents
