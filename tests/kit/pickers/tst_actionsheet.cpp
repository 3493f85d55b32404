// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stage.h"
#include "TestSupport.h"

#include "kit/foundation/Owned.h"
#include "kit/views/Label.h"

#include <QPointer>
#include <QTest>

#include <memory>

class TestActionSheet final : public QObject {
    Q_OBJECT

private slots:
    void buttonsAreNumberedAsOnThePhone()
    {
        SheetJournal journal;
        const std::unique_ptr<kit::ActionSheet> sheet(sourceSheet(&journal));
        QCOMPARE(sheet->numberOfButtons(), 3);
        QCOMPARE(sheet->destructiveButtonIndex(), 0);
        QCOMPARE(sheet->cancelButtonIndex(), 2);
        const QStringList titles{QStringLiteral("Камера"), QStringLiteral("Библиотека"),
                                 QStringLiteral("Отмена")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(sheet->buttonTitleAtIndex(i), titles[i]);
            QCOMPARE(sheet->buttonAtIndex(i)->accessibleName(), titles[i]);
        }

        const kit::ActionSheet plain(QString(), &journal, QString(), QString(),
                                     {QStringLiteral("Первая"), QStringLiteral("Вторая")});
        QCOMPARE(plain.cancelButtonIndex(), -1);
        QCOMPARE(plain.destructiveButtonIndex(), -1);
        QCOMPARE(plain.buttonTitleAtIndex(0), QStringLiteral("Первая"));
    }

    void coversTheWindowAndTheTabBar()
    {
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->parentWidget(), &stage.window);
        QCOMPARE(sheet->geometry(), stage.window.rect());
        const QPoint onTabBar = stage.tabBar->geometry().center();
        QVERIFY(sheet->isAncestorOf(stage.window.childAt(onTabBar)) ||
                stage.window.childAt(onTabBar) == sheet.get());

        // The buttons in their order at the bottom, the cancel one set a little apart.
        const QRect camera = sheet->buttonAtIndex(0)->geometry();
        const QRect library = sheet->buttonAtIndex(1)->geometry();
        const QRect cancel = sheet->buttonAtIndex(2)->geometry();
        QVERIFY(cancel.top() - library.bottom() > library.top() - camera.bottom());
        QVERIFY(cancel.bottom() < kit::Window::height &&
                cancel.bottom() > kit::Window::height - 40);

        // From a view the sheet covers that view's window.
        sheet->dismissWithClickedButtonIndex(2, false);
        sheet->showInView(stage.screen.view());
        QCOMPARE(sheet->parentWidget(), &stage.window);
        QCOMPARE(sheet->geometry(), stage.window.rect());
    }

    void aTapHidesTheSheetThenTellsTheDelegateOnce_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("destructive") << 0;
        QTest::newRow("other") << 1;
        QTest::newRow("cancel") << 2;
    }

    void aTapHidesTheSheetThenTellsTheDelegateOnce()
    {
        QFETCH(int, index);
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        bool hiddenWhenTold = false;
        journal.onClicked = [&](kit::ActionSheet& told) { hiddenWhenTold = !told.isVisible(); };
        sheet->showFromTabBar(stage.tabBar);
        QTest::mouseClick(sheet->buttonAtIndex(index), Qt::LeftButton);
        QCOMPARE(journal.clicked, QList<int>{index});
        QVERIFY(hiddenWhenTold);
        QVERIFY(!sheet->isVisible());
        // Gone from the window, it is its owner's alone.
        QVERIFY(!sheet->parentWidget());
        sheet->dismissWithClickedButtonIndex(index, true);
        QCOMPARE(journal.clicked, QList<int>{index});
    }

    void escapeCancelsWhereThereIsACancelButton()
    {
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        QTest::keyClick(sheet.get(), Qt::Key_Escape);
        QCOMPARE(journal.clicked, QList<int>{2});
        QVERIFY(!sheet->isVisible());

        kit::Owned<kit::ActionSheet> noCancel(new kit::ActionSheet(
            QString(), &journal, QString(), QString(), {QStringLiteral("Только это")}));
        noCancel->showFromTabBar(stage.tabBar);
        QTest::keyClick(noCancel.get(), Qt::Key_Escape);
        QVERIFY(noCancel->isVisible());
        QCOMPARE(journal.clicked, QList<int>{2});
    }

    void disabledButtonsAndTheDimmedWindowDoNothing()
    {
        Stage stage;
        SheetJournal journal;
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        sheet->setButtonEnabled(1, false);
        QTest::mouseClick(sheet->buttonAtIndex(1), Qt::LeftButton);
        QVERIFY(sheet->isVisible());

        // Above the panel the sheet itself takes the tap, not the screen beneath.
        const QPoint dimmed(160, 120);
        QCOMPARE(stage.window.childAt(dimmed), sheet.get());
        QTest::mouseClick(sheet.get(), Qt::LeftButton, {}, dimmed);
        QVERIFY(sheet->isVisible());
        QVERIFY(journal.clicked.isEmpty());

        sheet->setButtonEnabled(1, true);
        QTest::mouseClick(sheet->buttonAtIndex(1), Qt::LeftButton);
        QCOMPARE(journal.clicked, QList<int>{1});
    }

    void theSheetMayGoAtAnyTime()
    {
        Stage stage;
        SheetJournal journal;
        // By its delegate, from inside the tap.
        kit::Owned<kit::ActionSheet> sheet(sourceSheet(&journal));
        journal.onClicked = [&](kit::ActionSheet&) { sheet.reset(); };
        sheet->showFromTabBar(stage.tabBar);
        QTest::mouseClick(sheet->buttonAtIndex(0), Qt::LeftButton);
        QVERIFY(!sheet);
        QCOMPARE(journal.clicked, QList<int>{0});
        journal.onClicked = nullptr;

        // By its owner while shown.
        sheet.reset(sourceSheet(&journal));
        sheet->showFromTabBar(stage.tabBar);
        sheet.reset();
        QVERIFY(!stage.window.findChild<kit::ActionSheet*>());

        // With the window it covers.
        auto window = std::make_unique<kit::Window>();
        sheet.reset(sourceSheet(&journal));
        sheet->showInView(window.get());
        QCOMPARE(sheet->parentWidget(), window.get());
        window.reset();
        QVERIFY(!sheet);
        QCOMPARE(journal.clicked, QList<int>{0});
    }
};

FIRSTAID_TEST_MAIN(TestActionSheet)

#include "tst_actionsheet.moc"
