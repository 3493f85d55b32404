#pragma once

#include "BarButtonItem.h"
#include "Owned.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>

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
    // The controller whose root view this is, if any.
    static ViewController* controllerOfView(const QWidget* view);

    QString title() const { return _navigationItem.title(); }
    void setTitle(const QString& title) { _navigationItem.setTitle(title); }
    NavigationItem& navigationItem() { return _navigationItem; }
    TabBarItem& tabBarItem() { return _tabBarItem; }

    // The container that shows this screen, if any.
    ViewController* parentViewController() const { return _parent; }
    NavigationController* navigationController() const;
    TabBarController* tabBarController() const;

    // Under memory pressure a screen whose view is off screen lets the view go;
    // the next use of view() loads it again.
    virtual void didReceiveMemoryWarning();

    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);

protected:
    // Makes the view; the default is an empty view as large as the application area.
    virtual void loadView();
    virtual void viewDidLoad() {}
    // After the view was let go under memory pressure.
    virtual void viewDidUnload() {}
    void setView(QWidget* view);

private:
    friend class NavigationController;
    friend class TabBarController;
    void setParentViewController(ViewController* parent) { _parent = parent; }

    Owned<QWidget> _view;
    NavigationItem _navigationItem;
    TabBarItem _tabBarItem;
    QPointer<ViewController> _parent;
};

} // namespace kit
