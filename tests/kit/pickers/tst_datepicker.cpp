// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "Wheels.h"

#include "kit/pickers/DatePicker.h"

#include <QAccessible>
#include <QTest>

class TestDatePicker final : public QObject {
    Q_OBJECT

private slots:
    void wheelsFollowTheLocale()
    {
        kit::DatePicker picker;
        QCOMPARE(picker.size(), QSize(320, 216));
        QCOMPARE(picker.date(), QDate(1980, 1, 1));
        QCOMPARE(picker.minimumDate(), QDate(1900, 1, 1));
        QCOMPARE(picker.maximumDate(), QDate::currentDate());

        picker.setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        picker.setDate(QDate(2010, 12, 5), false);
        const kit::PickerView& wheels = *picker.pickerView();
        QStringList names;
        QStringList shown;
        for (int component = 0; component < 3; ++component) {
            names << wheelOf(wheels, component)->accessibleName();
            shown << textInBar(wheels, component);
        }
        QCOMPARE(names, (QStringList{QStringLiteral("День"), QStringLiteral("Месяц"),
                                     QStringLiteral("Год")}));
        QCOMPARE(shown, (QStringList{QStringLiteral("5"), QStringLiteral("декабря"),
                                     QStringLiteral("2010")}));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(wheelOf(wheels, 1))->text(QAccessible::Value),
            QStringLiteral("декабря"));

        picker.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(picker.date(), QDate(2010, 12, 5));
        QCOMPARE(wheelOf(wheels, 0)->accessibleName(), QStringLiteral("Месяц"));
        QCOMPARE(wheelOf(wheels, 1)->accessibleName(), QStringLiteral("День"));
        QCOMPARE(textInBar(wheels, 0), QStringLiteral("December"));
        QCOMPARE(textInBar(wheels, 1), QStringLiteral("5"));
        QCOMPARE(textInBar(wheels, 2), QStringLiteral("2010"));
    }

    void onlyTheUsersChoiceSendsValueChanged()
    {
        kit::DatePicker picker;
        picker.setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        QObject target;
        QList<QDate> sent;
        picker.addTarget(
            &target, [&] { sent << picker.date(); }, kit::ControlEvent::ValueChanged);

        picker.setDate(QDate(1975, 3, 8), true);
        QCOMPARE(picker.date(), QDate(1975, 3, 8));
        QVERIFY(sent.isEmpty());
        picker.userSetDate(QDate(1990, 7, 14));
        QCOMPARE(sent, QList<QDate>{QDate(1990, 7, 14)});
        QCOMPARE(textInBar(*picker.pickerView(), 1), QStringLiteral("июля"));
        // Where the wheels already are, or nowhere: nothing turns.
        picker.userSetDate(QDate(1990, 7, 14));
        picker.userSetDate(QDate());
        QCOMPARE(sent.size(), 1);

        // The year wheel turned by a click below the bar.
        kit::PickerView& wheels = *picker.pickerView();
        QTest::mouseClick(wheelOf(wheels, 2), Qt::LeftButton, {}, rowsFromBar(wheels, 2, 1));
        QCOMPARE(sent.last(), QDate(1991, 7, 14));
    }

    void aDayTheMonthLacksSettlesOnItsLast()
    {
        kit::DatePicker picker;
        picker.setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        QObject target;
        int sent = 0;
        picker.addTarget(
            &target, [&] { ++sent; }, kit::ControlEvent::ValueChanged);
        kit::PickerView& wheels = *picker.pickerView();

        picker.setDate(QDate(2011, 1, 31));
        wheels.userSelectRow(1, 1);
        QCOMPARE(picker.date(), QDate(2011, 2, 28));
        QCOMPARE(textInBar(wheels, 0), QStringLiteral("28"));
        QCOMPARE(sent, 1);

        picker.setDate(QDate(2012, 1, 31));
        wheels.userSelectRow(1, 1);
        QCOMPARE(picker.date(), QDate(2012, 2, 29));

        // Turned to the 31st of a 30-day month, the wheel rolls back and nothing changed.
        picker.setDate(QDate(2012, 4, 30));
        sent = 0;
        wheels.userSelectRow(30, 0);
        QCOMPARE(picker.date(), QDate(2012, 4, 30));
        QCOMPARE(wheels.selectedRowInComponent(0), 29);
        QCOMPARE(sent, 0);
    }

    void datesBeyondTheLimitsMoveBack()
    {
        kit::DatePicker picker;
        picker.setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        picker.setMinimumDate(QDate(2000, 3, 10));
        picker.setMaximumDate(QDate(2012, 6, 15));
        kit::PickerView& wheels = *picker.pickerView();
        QCOMPARE(wheels.numberOfRowsInComponent(2), 13);

        picker.setDate(QDate(2012, 6, 10));
        wheels.userSelectRow(11, 1);
        QCOMPARE(picker.date(), QDate(2012, 6, 15));
        QCOMPARE(textInBar(wheels, 1), QStringLiteral("июня"));
        QCOMPARE(textInBar(wheels, 0), QStringLiteral("15"));

        picker.setDate(QDate(2000, 3, 20));
        wheels.userSelectRow(4, 0);
        QCOMPARE(picker.date(), QDate(2000, 3, 10));

        picker.userSetDate(QDate(2030, 1, 1));
        QCOMPARE(picker.date(), QDate(2012, 6, 15));
        picker.setDate(QDate(1950, 1, 1));
        QCOMPARE(picker.date(), QDate(2000, 3, 10));
        QCOMPARE(textInBar(wheels, 2), QStringLiteral("2000"));

        // A tighter limit brings the date along with it.
        picker.setMinimumDate(QDate(2005, 1, 1));
        QCOMPARE(picker.date(), QDate(2005, 1, 1));
        QCOMPARE(textInBar(wheels, 2), QStringLiteral("2005"));
    }

    void theArrowKeyTurnsTheFocusedWheel()
    {
        QWidget host;
        auto* picker = new kit::DatePicker(&host);
        picker->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        picker->setDate(QDate(1985, 5, 9));
        QObject target;
        QList<QDate> sent;
        picker->addTarget(
            &target, [&] { sent << picker->date(); }, kit::ControlEvent::ValueChanged);

        QWidget* day = wheelNamed(*picker, QStringLiteral("День"));
        QVERIFY(day);
        day->setFocus(Qt::TabFocusReason);
        QCOMPARE(host.focusWidget(), day);
        QTest::keyClick(host.focusWidget(), Qt::Key_Down);
        QCOMPARE(sent, QList<QDate>{QDate(1985, 5, 10)});
        QTest::keyClick(host.focusWidget(), Qt::Key_Tab);
        QCOMPARE(host.focusWidget(), wheelNamed(*picker, QStringLiteral("Месяц")));
        QTest::keyClick(host.focusWidget(), Qt::Key_Up);
        QCOMPARE(sent.last(), QDate(1985, 4, 10));
    }
};

FIRSTAID_TEST_MAIN(TestDatePicker)

#include "tst_datepicker.moc"
