// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"

#include <QPointer>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// A screen that writes what happens to it into a shared journal.
class Recorder final : public kit::ViewController {
public:
    Recorder(QString name, QStringList& journal) : _name(std::move(name)), _journal(journal)
    {
        setTitle(_name);
    }

    void viewWillAppear(bool) override { _journal << _name + QStringLiteral(" willAppear"); }
    void viewDidAppear(bool) override { _journal << _name + QStringLiteral(" didAppear"); }
    void viewWillDisappear(bool) override { _journal << _name + QStringLiteral(" willDisappear"); }
    void viewDidDisappear(bool) override { _journal << _name + QStringLiteral(" didDisappear"); }

protected:
    void viewDidLoad() override { _journal << _name + QStringLiteral(" didLoad"); }

private:
    QString _name;
    QStringList& _journal;
};

class NavigationJournal final : public kit::NavigationControllerDelegate {
public:
    explicit NavigationJournal(QStringList& journal) : _journal(journal) {}
    void willShowViewController(kit::NavigationController&, kit::ViewController* controller,
                                bool) override
    {
        _journal << QStringLiteral("willShow ") + controller->title();
    }

private:
    QStringList& _journal;
};

class TabJournal final : public kit::TabBarControllerDelegate {
public:
    explicit TabJournal(QStringList& journal) : _journal(journal) {}
    bool shouldSelectViewController(kit::TabBarController& tabs,
                                    kit::ViewController* controller) override
    {
        _journal << QStringLiteral("should %1 from %2")
                        .arg(controller->title(), tabs.selectedViewController()->title());
        return allow;
    }
    void didSelectViewController(kit::TabBarController&, kit::ViewController* controller) override
    {
        _journal << QStringLiteral("did ") + controller->title();
    }
    bool allow = true;

private:
    QStringList& _journal;
};

std::unique_ptr<kit::ViewController> recorder(const QString& name, QStringList& journal)
{
    return std::make_unique<Recorder>(name, journal);
}

} // namespace

class TestControllers final : public QObject {
    Q_OBJECT

private slots:
    void viewLoadsOnceOnFirstUse()
    {
        QStringList journal;
        Recorder screen(QStringLiteral("A"), journal);
        QVERIFY(!screen.isViewLoaded());
        QWidget* view = screen.view();
        QCOMPARE(screen.view(), view);
        QCOMPARE(journal, QStringList{QStringLiteral("A didLoad")});
        QCOMPARE(kit::ViewController::controllerOfView(view), &screen);
        QCOMPARE(view->size(), kit::Window::applicationFrame().size());
    }

    void pushAndPopTellBothScreensInOrder()
    {
        QStringList journal;
        NavigationJournal navigationJournal(journal);
        kit::NavigationController navigation(recorder(QStringLiteral("Root"), journal));
        navigation.setDelegate(&navigationJournal);
        navigation.view();
        navigation.viewWillAppear(false);
        navigation.viewDidAppear(false);
        journal.clear();

        navigation.pushViewController(recorder(QStringLiteral("Article"), journal), true);
        QCOMPARE(journal,
                 (QStringList{
                     QStringLiteral("willShow Article"), QStringLiteral("Article didLoad"),
                     QStringLiteral("Root willDisappear"), QStringLiteral("Article willAppear"),
                     QStringLiteral("Root didDisappear"), QStringLiteral("Article didAppear")}));
        QCOMPARE(navigation.topViewController()->title(), QStringLiteral("Article"));
        QCOMPARE(navigation.navigationBar()->title(), QStringLiteral("Article"));
        QVERIFY(navigation.navigationBar()->backButton()->isVisibleTo(navigation.view()));
        QCOMPARE(navigation.navigationBar()->backButton()->text(), QStringLiteral("Root"));

        journal.clear();
        QPointer<kit::ViewController> article = navigation.topViewController();
        QTest::mouseClick(navigation.navigationBar()->backButton(), Qt::LeftButton);
        QCOMPARE(
            journal,
            (QStringList{QStringLiteral("willShow Root"), QStringLiteral("Article willDisappear"),
                         QStringLiteral("Root willAppear"), QStringLiteral("Article didDisappear"),
                         QStringLiteral("Root didAppear")}));
        QCOMPARE(navigation.viewControllers().size(), size_t(1));
        QVERIFY(!navigation.navigationBar()->backButton()->isVisibleTo(navigation.view()));
        // The popped screen goes once control is back in the event loop.
        QVERIFY(article);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(article.isNull());

        // The root stays.
        journal.clear();
        navigation.popViewControllerAnimated(true);
        QCOMPARE(navigation.viewControllers().size(), size_t(1));
        QVERIFY(journal.isEmpty());
    }

    void popToRootSkipsTheScreensBetween()
    {
        QStringList journal;
        NavigationJournal navigationJournal(journal);
        kit::NavigationController navigation(recorder(QStringLiteral("Root"), journal));
        navigation.view();
        navigation.viewWillAppear(false);
        navigation.viewDidAppear(false);
        navigation.pushViewController(recorder(QStringLiteral("Middle"), journal), false);
        navigation.pushViewController(recorder(QStringLiteral("Top"), journal), false);
        navigation.setDelegate(&navigationJournal);
        QPointer<kit::ViewController> middle = navigation.viewControllers()[1];
        QPointer<kit::ViewController> top = navigation.topViewController();
        journal.clear();

        navigation.popToRootViewControllerAnimated(true);
        QCOMPARE(journal,
                 (QStringList{QStringLiteral("willShow Root"), QStringLiteral("Top willDisappear"),
                              QStringLiteral("Root willAppear"), QStringLiteral("Top didDisappear"),
                              QStringLiteral("Root didAppear")}));
        QCOMPARE(navigation.viewControllers().size(), size_t(1));
        QCOMPARE(navigation.navigationBar()->title(), QStringLiteral("Root"));
        QVERIFY(navigation.topViewController()->view()->isVisibleTo(navigation.view()));
        QVERIFY(!middle->view()->isVisibleTo(navigation.view()));
        QVERIFY(!top->view()->isVisibleTo(navigation.view()));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(middle.isNull());
        QVERIFY(top.isNull());

        // At the root already: nothing happens.
        journal.clear();
        navigation.popToRootViewControllerAnimated(true);
        QVERIFY(journal.isEmpty());
    }

    void backButtonWithoutAPreviousTitleSaysBack()
    {
        QStringList journal;
        kit::NavigationController navigation(recorder(QString(), journal));
        navigation.view();
        navigation.pushViewController(recorder(QStringLiteral("Статья"), journal), false);
        QCOMPARE(navigation.navigationBar()->backButton()->text(), QStringLiteral("Назад"));
    }

    void hiddenBarGivesTheScreenTheWholeHeight()
    {
        QStringList journal;
        kit::NavigationController navigation(recorder(QStringLiteral("Root"), journal));
        QWidget* root = navigation.topViewController()->view();
        navigation.view()->resize(320, 411);
        navigation.view()->show();
        QCOMPARE(root->height(), 411 - kit::NavigationBar::barHeight);
        navigation.setNavigationBarHidden(true, false);
        QCOMPARE(root->height(), 411);
        QVERIFY(!navigation.navigationBar()->isVisibleTo(navigation.view()));
    }

    void tabsLoadTheirViewsWhenFirstShown()
    {
        QStringList journal;
        kit::TabBarController tabs;
        std::vector<std::unique_ptr<kit::ViewController>> screens;
        for (const char* name : {"A", "B", "C"})
            screens.push_back(recorder(QString::fromLatin1(name), journal));
        tabs.setViewControllers(std::move(screens));
        QCOMPARE(tabs.selectedIndex(), 0);
        tabs.setSelectedIndex(1);
        tabs.setSelectedIndex(2);
        // Selecting before the bar is on screen loads nothing.
        QVERIFY(journal.isEmpty());

        tabs.viewWillAppear(false);
        tabs.viewDidAppear(false);
        QCOMPARE(journal, (QStringList{QStringLiteral("C didLoad"), QStringLiteral("C willAppear"),
                                       QStringLiteral("C didAppear")}));
        QVERIFY(!tabs.viewControllers()[0]->isViewLoaded());
        QVERIFY(!tabs.viewControllers()[1]->isViewLoaded());

        journal.clear();
        tabs.setSelectedIndex(0);
        QCOMPARE(journal,
                 (QStringList{QStringLiteral("A didLoad"), QStringLiteral("C willDisappear"),
                              QStringLiteral("A willAppear"), QStringLiteral("C didDisappear"),
                              QStringLiteral("A didAppear")}));
        QVERIFY(tabs.viewControllers()[0]->view()->isVisibleTo(tabs.view()));
        QVERIFY(!tabs.viewControllers()[2]->view()->isVisibleTo(tabs.view()));
    }

    void everyTapAsksTheDelegateFirst()
    {
        QStringList journal;
        TabJournal tabJournal(journal);
        kit::TabBarController tabs;
        std::vector<std::unique_ptr<kit::ViewController>> screens;
        for (const char* name : {"A", "B"})
            screens.push_back(recorder(QString::fromLatin1(name), journal));
        tabs.setViewControllers(std::move(screens));
        tabs.setDelegate(&tabJournal);
        tabs.viewWillAppear(false);
        tabs.viewDidAppear(false);
        journal.clear();

        QTest::mouseClick(tabs.tabBar()->buttonAt(1), Qt::LeftButton);
        QCOMPARE(journal.first(), QStringLiteral("should B from A"));
        QCOMPARE(journal.last(), QStringLiteral("did B"));
        QCOMPARE(tabs.selectedIndex(), 1);

        // The selected tab tapped again: asked, selected again, nothing disappears.
        journal.clear();
        QTest::mouseClick(tabs.tabBar()->buttonAt(1), Qt::LeftButton);
        QCOMPARE(journal,
                 (QStringList{QStringLiteral("should B from B"), QStringLiteral("did B")}));

        // A refusal keeps the selection.
        journal.clear();
        tabJournal.allow = false;
        QTest::mouseClick(tabs.tabBar()->buttonAt(0), Qt::LeftButton);
        QCOMPARE(journal, QStringList{QStringLiteral("should A from B")});
        QCOMPARE(tabs.selectedIndex(), 1);
    }

    void aChildScreenAppearsWithItsParentAndReachesItsContainers()
    {
        QStringList journal;
        kit::TabBarController tabs;
        std::vector<std::unique_ptr<kit::ViewController>> screens;
        screens.push_back(std::make_unique<kit::ViewController>());
        screens.push_back(recorder(QStringLiteral("B"), journal));
        kit::ViewController* parent = screens[0].get();
        tabs.setViewControllers(std::move(screens));
        auto child = recorder(QStringLiteral("child"), journal);
        kit::NavigationController stack(recorder(QStringLiteral("inner"), journal));
        parent->addChildViewController(child.get());
        parent->addChildViewController(&stack);
        QCOMPARE(child->parentViewController(), parent);
        // A screen pushed on the child's stack finds the tab bar through it.
        QCOMPARE(stack.topViewController()->tabBarController(), &tabs);

        tabs.viewWillAppear(false);
        tabs.viewDidAppear(false);
        QCOMPARE(journal,
                 (QStringList{QStringLiteral("child willAppear"), QStringLiteral("inner didLoad"),
                              QStringLiteral("inner willAppear"), QStringLiteral("child didAppear"),
                              QStringLiteral("inner didAppear")}));
        journal.clear();
        tabs.setSelectedIndex(1);
        QVERIFY(journal.contains(QStringLiteral("child didDisappear")));
        QVERIFY(journal.contains(QStringLiteral("inner didDisappear")));

        // A child taken away hears no more, and has no parent.
        parent->removeChildViewController(child.get());
        QVERIFY(!child->parentViewController());
        journal.clear();
        tabs.setSelectedIndex(0);
        QCOMPARE(journal.filter(QStringLiteral("child")), QStringList());
        QVERIFY(journal.contains(QStringLiteral("inner didAppear")));
    }

    void barsStartInTheApplicationsTint()
    {
        const QColor phone = kit::NavigationBar().tintColor();
        kit::NavigationBar::setStandardTintColor(QColor(0x8a, 0x08, 0x08));
        kit::NavigationBar tinted;
        QCOMPARE(tinted.tintColor(), QColor(0x8a, 0x08, 0x08));
        // A bar keeps a tint set for it; an invalid colour brings the phone's back.
        tinted.setTintColor(Qt::white);
        QCOMPARE(tinted.tintColor(), QColor(Qt::white));
        kit::NavigationBar::setStandardTintColor(QColor());
        QCOMPARE(kit::NavigationBar().tintColor(), phone);
        QCOMPARE(kit::NavigationBar::standardTintColor(), phone);
    }
};

FIRSTAID_TEST_MAIN(TestControllers)

#include "tst_controllers.moc"
