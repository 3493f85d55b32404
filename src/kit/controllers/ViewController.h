// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BarButtonItem.h"
#include "kit/foundation/Owned.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace kit {

class NavigationController;
class TabBarController;

// What a navigation bar shows for a screen: its title and its right button.
// The item does not own the button; the screen that made it does.
class NavigationItem final : public QObject {
    Q_OBJECT

public:
    QString title() const { return _title; }
    void setTitle(const QString& title);
    BarButtonItem* rightBarButtonItem() const { return _rightBarButtonItem; }
    void setRightBarButtonItem(BarButtonItem* item);

signals:
    void changed();

private:
    QString _title;
    QPointer<BarButtonItem> _rightBarButtonItem;
};

struct TabBarItem {
    QString title;
    // An alpha mask; the tab bar colours it.
    QImage image;
};

// A screen: it owns its view, made the first time the view is asked for
// (loadView, then viewDidLoad). Containers call the appearance methods around
// showing and hiding it.
class ViewController : public QObject {
    Q_OBJECT

public:
    ViewController();
    ~ViewController() override;

    QWidget* view();
    bool isViewLoaded() const { return bool(_view); }
    // Gives the screen a view made elsewhere; the screen owns it from now on.
    void setView(QWidget* view);
    // The controller whose root view this is, if any.
    static ViewController* controllerOfView(const QWidget* view);

    QString title() const { return _navigationItem.title(); }
    void setTitle(const QString& title) { _navigationItem.setTitle(title); }
    NavigationItem& navigationItem() { return _navigationItem; }
    TabBarItem& tabBarItem() { return _tabBarItem; }

    // The container that shows this screen, or the screen that presented it; none otherwise.
    ViewController* parentViewController() const { return _parent; }

    // Shows a screen over the whole key window until it is dismissed. A screen shows one
    // presented screen at a time: presenting while one is up does nothing and returns false.
    bool presentModalViewController(std::unique_ptr<ViewController> viewController, bool animated);
    // Takes the presented screen away (sent to the presenter, or to the presented screen,
    // which passes it on); it is destroyed once control is back in the event loop.
    void dismissModalViewControllerAnimated(bool animated);
    ViewController* modalViewController() const { return _modal.get(); }
    // The screen on top of this one's presented screens: the last presented, or this one.
    ViewController& topmostViewController();
    NavigationController* navigationController() const;
    TabBarController* tabBarController() const;

    // A screen whose view this screen's view holds (a navigation stack inside a tab, a page
    // inside a screen) becomes this screen's child: its parent is this screen, and the
    // appearance calls this screen gets go on to it. The child is not owned.
    void addChildViewController(ViewController* child);
    void removeChildViewController(ViewController* child);

    // Whether the screen holds a change the owner has not saved (an open editor's); by
    // default, whether a child shown with it does.
    virtual bool hasUnsavedChanges() const;
    // Saves that change: true once it is saved, false when it could not be (the owner has
    // been told why). By default the children shown with it save theirs.
    virtual bool saveChanges();

    // Around showing and hiding the screen; by default they pass the call on to the
    // children shown with this screen. A screen that overrides one calls the base too.
    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);

protected:
    // Makes the view; the default is an empty view as large as the application area.
    virtual void loadView();
    virtual void viewDidLoad() {}
    // The children on screen with this one, which the appearance calls go on to: those added
    // with addChildViewController; a container's shown screen.
    virtual std::vector<ViewController*> shownChildren() const;
    // From viewWillAppear to viewDidDisappear.
    bool isShown() const { return _shown; }

private:
    friend class NavigationController;
    friend class TabBarController;
    void setParentViewController(ViewController* parent) { _parent = parent; }

    Owned<QWidget> _view;
    std::unique_ptr<ViewController> _modal;
    std::vector<QPointer<ViewController>> _children;
    NavigationItem _navigationItem;
    TabBarItem _tabBarItem;
    QPointer<ViewController> _parent;
    bool _shown = false;
};

} // namespace kit
