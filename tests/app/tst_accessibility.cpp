// SPDX-License-Identifier: GPL-3.0-or-later
// Every control can be named by a screen reader and reached from the keyboard;
// the help button can be held with the space bar; the support address reaches
// the desktop's own mail handler.

#include "FakeDesktop.h"
#include "TestSupport.h"

#include "about/InfoViewController.h"
#include "app/ApplicationShell.h"
#include "card/CardScreen.h"
#include "card/CardTab.h"
#include "card/ChangeImage.h"
#include "contents/Content.h"
#include "contents/ContentTable.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/RunLoop.h"
#include "kit/foundation/Timer.h"
#include "kit/pickers/PickerView.h"
#include "kit/tables/SearchDisplayController.h"
#include "kit/tables/TableView.h"
#include "kit/views/Control.h"
#include "scheme/Schema.h"
#include "sos/EmergencyScreen.h"
#include "sos/SOS.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

namespace {

// What a reader of the screen can act on: buttons, fields, rows, wheels, tables.
bool isControl(const QWidget* widget)
{
    return qobject_cast<const kit::Control*>(widget) ||
           qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const kit::TableViewCell*>(widget) ||
           qobject_cast<const kit::TableView*>(widget) ||
           widget->objectName().startsWith(QStringLiteral("pickerComponent"));
}

// The visible controls of the window without a name a screen reader can say.
QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || !isControl(widget))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 \"%2\"")
                           .arg(QString::fromLatin1(widget->metaObject()->className()),
                                widget->objectName());
    }
    return unnamed;
}

// The same question asked of the accessibility tree itself, from the window down, as a
// screen reader walks it.
int collectUnnamed(QAccessibleInterface* face, const QString& path, QStringList& unnamed,
                   int depth = 0)
{
    if (!face || depth > 40)
        return 0;
    static const QList<QAccessible::Role> actionable = {
        QAccessible::Button,  QAccessible::PushButton,   QAccessible::Slider,
        QAccessible::SpinBox, QAccessible::EditableText, QAccessible::ListItem,
        QAccessible::PageTab, QAccessible::CheckBox,     QAccessible::ComboBox,
    };
    const QAccessible::State state = face->state();
    const bool control = !state.invisible && actionable.contains(face->role());
    if (control && face->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << QStringLiteral("%1 (role %2)").arg(path).arg(int(face->role()));
    int controls = control ? 1 : 0;
    for (int i = 0; i < face->childCount(); ++i)
        controls += collectUnnamed(face->child(i), path + QLatin1Char('/') + QString::number(i),
                                   unnamed, depth + 1);
    return controls;
}

struct App {
    kit::ManualClock clock;
    TestStore store;
    LaunchedApplication launched;
    kit::Window* window() const { return kit::Application::sharedApplication()->keyWindow(); }
    kit::TabBarController* tabs() const { return launched.shell().tabBarController(); }
    void select(int tab) const
    {
        QTest::mouseClick(tabs()->tabBar()->buttonAt(tab), Qt::LeftButton);
    }
    ~App()
    {
        for (kit::Timer* timer : kit::RunLoop::main().timers())
            timer->invalidate();
    }
};

} // namespace

class TestAccessibility final : public QObject {
    Q_OBJECT

private slots:
    void everyControlOfEveryScreenHasAName()
    {
        App app;
        QStringList unnamed;
        auto check = [&](const QString& screen) {
            for (const QString& control : unnamedControls(app.window()))
                unnamed << screen + QStringLiteral(": ") + control;
            QStringList inTree;
            const int controls = collectUnnamed(QAccessible::queryAccessibleInterface(app.window()),
                                                QStringLiteral("window"), inTree);
            // The walk reaches the controls at all: at least the five tabs.
            if (controls < 5)
                unnamed << screen + QStringLiteral(": only %1 controls in the tree").arg(controls);
            for (const QString& node : inTree)
                unnamed << screen + QStringLiteral(": ") + node;
        };
        for (int tab = 0; tab < 5; ++tab) {
            app.select(tab);
            check(QStringLiteral("tab %1").arg(tab));
        }
        // The screens opened from the tabs.
        app.select(0);
        auto* content = qobject_cast<contents::Content*>(app.tabs()->selectedViewController());
        content->table()->didSelectRowAtIndexPath(*content->table()->tableView(), {0, 0});
        check(QStringLiteral("article"));
        app.select(1);
        qobject_cast<scheme::Schema*>(app.tabs()->selectedViewController())
            ->infoButton()
            ->trigger();
        check(QStringLiteral("about"));
        app.select(3);
        auto* card = qobject_cast<card::CardTab*>(app.tabs()->selectedViewController());
        for (record::Field field :
             {record::Address, record::Birthday, record::WeightAndHeight, record::Blood}) {
            card->cardScreen()->openEditor(field);
            check(QStringLiteral("editor %1").arg(field));
            card->close();
        }
        card->cardScreen()->openEditor(record::Photo);
        check(QStringLiteral("photo source"));
        card->close();
        app.select(4);
        qobject_cast<sos::SOS*>(app.tabs()->selectedViewController())->callHelp();
        check(QStringLiteral("emergency card"));
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
    }

    void rolesSayWhatEachControlIs()
    {
        App app;
        app.select(1);
        auto role = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->role();
        };
        auto name = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        kit::TabBar* bar = app.tabs()->tabBar();
        QCOMPARE(role(bar), QAccessible::PageTabList);
        // The tabs are tabs, and the one shown is the selected one.
        for (int tab = 0; tab < 5; ++tab) {
            QWidget* button = bar->buttonAt(tab);
            QCOMPARE(role(button), QAccessible::PageTab);
            QVERIFY(!name(button).isEmpty());
            QCOMPARE(QAccessible::queryAccessibleInterface(button)->state().selected, tab == 1);
        }
        // A navigation bar is read as its screen's title.
        kit::NavigationBar* navigation = nullptr;
        for (auto* candidate : app.window()->findChildren<kit::NavigationBar*>())
            if (candidate->isVisibleTo(app.window()))
                navigation = candidate;
        QVERIFY(navigation && !navigation->title().isEmpty());
        QCOMPARE(role(navigation), QAccessible::ToolBar);
        QCOMPARE(name(navigation), navigation->title());
        // The contents are a list; the search's results and its clear button have names.
        app.select(0);
        auto* content = qobject_cast<contents::Content*>(app.tabs()->selectedViewController());
        QCOMPARE(role(content->table()->tableView()), QAccessible::List);
        QStringList buttons;
        for (auto* field : app.window()->findChildren<QLineEdit*>())
            for (auto* button : field->findChildren<QAbstractButton*>())
                buttons << name(button);
        QVERIFY2(buttons.contains(QStringLiteral("Очистить поиск")), qPrintable(buttons.join(',')));
        QCOMPARE(name(content->table()->searchDisplayController()->searchResultsTableView()),
                 QStringLiteral("Результаты поиска"));
    }

    void tabReachesEveryControlOfTheCard()
    {
        App app;
        app.window()->activateWindow();
        QApplication::setActiveWindow(app.window());
        app.select(3);
        auto* card = qobject_cast<card::CardTab*>(app.tabs()->selectedViewController());
        QList<QWidget*> wanted = {card->cardScreen()->imageButton(),
                                  card->cardScreen()->nameButton(),
                                  card->cardScreen()->tableView()};
        for (int row = 0; row < 6; ++row)
            wanted << card->cardScreen()
                          ->tableView()
                          ->cellForRowAtIndexPath({0, row})
                          ->editingControl();
        for (int tab = 0; tab < 5; ++tab)
            wanted << app.tabs()->tabBar()->buttonAt(tab);
        QList<QWidget*> reached;
        app.tabs()->tabBar()->buttonAt(0)->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 40 && reached.size() < 40; ++i) {
            reached << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QWidget* widget : wanted)
            QVERIFY2(reached.contains(widget), qPrintable(widget->objectName()));
        // The photo comes before the name, the name before the rows.
        QVERIFY(reached.indexOf(card->cardScreen()->imageButton()) <
                reached.indexOf(card->cardScreen()->nameButton()));

        // Down and Enter on the table open the first row's editor, as a touch does.
        card->cardScreen()->tableView()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(card->cardScreen()->tableView(), Qt::Key_Down);
        QTest::keyClick(card->cardScreen()->tableView(), Qt::Key_Return);
        QVERIFY(card->stack()->viewControllers().size() == 2);
    }

    void helpButtonCanBeHeldWithTheSpaceBar()
    {
        App app;
        app.select(4);
        auto* sos = qobject_cast<sos::SOS*>(app.tabs()->selectedViewController());
        kit::Button* help = sos->helpButton();
        // Let go after two seconds: nothing comes up.
        QTest::keyPress(help, Qt::Key_Space);
        app.clock.advance(2.0);
        QTest::keyRelease(help, Qt::Key_Space);
        app.clock.advance(2.0);
        QVERIFY(!sos->modalViewController());
        // Held for three seconds: the emergency card.
        QTest::keyPress(help, Qt::Key_Space);
        app.clock.advance(3.1);
        QVERIFY(qobject_cast<sos::EmergencyScreen*>(sos->modalViewController()));
        QTest::keyRelease(help, Qt::Key_Space);
    }

    void supportAddressReachesTheDesktopMailHandler()
    {
        FakeDesktop desktop({QStringLiteral("mailto")});
        App app;
        about::InfoViewController about;
        about.view();
        about.writeToSupport();
        QVERIFY(waitUntil([&] { return !desktop.opened().isEmpty(); }, 10000));
        QVERIFY(!about.modalViewController());
        const QUrl url(desktop.opened().first());
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), about::InfoViewController::supportAddress);
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("ТКЛ тех.поддержка"));
        QVERIFY(!query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded).isEmpty());
    }
};

FIRSTAID_TEST_MAIN(TestAccessibility)

#include "tst_accessibility.moc"
