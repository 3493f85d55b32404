// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "Wheels.h"

#include "kit/pickers/PickerView.h"
#include "kit/views/Font.h"

#include <QAccessible>
#include <QSet>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Two wheels of the values 5 to 299, their rows drawn as the screens draw them.
class Measures final : public kit::PickerViewDataSource, public kit::PickerViewDelegate {
public:
    int rows = 295;
    bool nullViews = false;
    std::vector<std::pair<int, int>> selections; // (row, component)
    QSet<QWidget*> made[2];
    std::vector<std::pair<QWidget*, int>> offered; // (reusingView, component)

    int numberOfComponentsInPickerView(kit::PickerView&) override { return 2; }
    int numberOfRowsInComponent(kit::PickerView&, int) override { return rows; }
    float widthForComponent(kit::PickerView&, int) override { return 150.0f; }
    QWidget* viewForRow(kit::PickerView&, int row, int component, QWidget* reusingView) override
    {
        if (nullViews)
            return nullptr;
        if (reusingView)
            offered.emplace_back(reusingView, component);
        auto* label = qobject_cast<kit::Label*>(reusingView);
        if (!label) {
            label = new kit::Label();
            label->setGeometry(0, 0, 150, 44);
            label->setAlignment(Qt::AlignCenter);
            label->setFont(kit::boldSystemFont(25));
            label->setBackgroundColor(Qt::transparent);
            made[component].insert(label);
        }
        label->setText(QString::number(row + 5));
        return label;
    }
    void didSelectRow(kit::PickerView&, int row, int component) override
    {
        selections.emplace_back(row, component);
    }
};

int liveLabels(const QWidget* wheel)
{
    return int(wheel->findChildren<kit::Label*>().size());
}

void turnMouseWheel(QWidget* wheel, int angle)
{
    const QPointF at(wheel->width() / 2.0, wheel->height() / 2.0);
    QWheelEvent event(at, wheel->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(wheel, &event);
}

} // namespace

class TestPickerView final : public QObject {
    Q_OBJECT

private slots:
    void selectingARowCentresItInTheBarWithoutTellingTheDelegate()
    {
        Measures measures;
        kit::PickerView picker;
        picker.setDataSource(&measures);
        picker.setDelegate(&measures);
        QCOMPARE(picker.size(), QSize(320, 216));
        QCOMPARE(picker.numberOfComponents(), 2);
        QCOMPARE(picker.numberOfRowsInComponent(1), 295);

        picker.selectRow(55, 0, true);
        picker.selectRow(165, 1, false);
        QCOMPARE(textInBar(picker, 0), QStringLiteral("60"));
        QCOMPARE(textInBar(picker, 1), QStringLiteral("170"));
        QCOMPARE(picker.selectedRowInComponent(0), 55);
        QCOMPARE(qobject_cast<kit::Label*>(picker.viewForRow(55, 0))->text(), QStringLiteral("60"));
        QCOMPARE(picker.viewForRow(56, 0)->geometry(),
                 QRect(0, picker.viewForRow(55, 0)->y() + 44, 150, 44));
        QVERIFY(measures.selections.empty());

        // The delegate's widths, centred side by side.
        const QRect left = wheelOf(picker, 0)->geometry();
        const QRect right = wheelOf(picker, 1)->geometry();
        QCOMPARE(left.width(), 150);
        QCOMPARE(right.width(), 150);
        QVERIFY(right.left() > left.right());
        QCOMPARE(left.left(), picker.width() - 1 - right.right());

        // Out of range: clamped, or nothing at all.
        picker.selectRow(1000, 0, false);
        QCOMPARE(picker.selectedRowInComponent(0), 294);
        QCOMPARE(textInBar(picker, 0), QStringLiteral("299"));
        picker.selectRow(-3, 1, false);
        QCOMPARE(textInBar(picker, 1), QStringLiteral("5"));
        picker.selectRow(3, 2, false);
        QCOMPARE(picker.selectedRowInComponent(2), -1);
        QVERIFY(!picker.viewForRow(0, 5));
        QVERIFY(!picker.viewForRow(-1, 0));
        QVERIFY(!picker.viewForRow(0, 0)); // far out of sight
        QVERIFY(measures.selections.empty());
    }

    void defaultWidthsShareThePickerAndDefaultRowsShowTitles()
    {
        class Titles final : public kit::PickerViewDataSource, public kit::PickerViewDelegate {
        public:
            int numberOfComponentsInPickerView(kit::PickerView&) override { return 3; }
            int numberOfRowsInComponent(kit::PickerView&, int) override { return 4; }
            QString titleForRow(kit::PickerView&, int row, int component) override
            {
                return QStringLiteral("%1-%2").arg(component).arg(row);
            }
        } titles;
        kit::PickerView picker;
        picker.setDataSource(&titles);
        picker.setDelegate(&titles);
        picker.selectRow(2, 1, false);
        QCOMPARE(textInBar(picker, 1), QStringLiteral("1-2"));
        const int total = wheelOf(picker, 2)->geometry().right() - wheelOf(picker, 0)->x() + 1;
        QVERIFY(std::abs(total - (320 - 2 * kit::PickerView::frameInset)) <= 2);
        QCOMPARE(wheelOf(picker, 0)->width(), wheelOf(picker, 2)->width());
    }

    void userGesturesTurnOneWheelAndTellTheDelegateOnce()
    {
        Measures measures;
        kit::PickerView picker;
        picker.setDataSource(&measures);
        picker.setDelegate(&measures);
        picker.selectRow(55, 0, false);
        picker.selectRow(165, 1, false);
        QWidget* weight = wheelOf(picker, 0);
        QWidget* growth = wheelOf(picker, 1);
        using Selections = std::vector<std::pair<int, int>>;

        // A click on the row below the bar brings it into the bar; one on the bar does nothing.
        QTest::mouseClick(weight, Qt::LeftButton, {}, rowsFromBar(picker, 0, 1));
        QCOMPARE(measures.selections, (Selections{{56, 0}}));
        QCOMPARE(textInBar(picker, 0), QStringLiteral("61"));
        QCOMPARE(picker.selectedRowInComponent(1), 165);
        QTest::mouseClick(weight, Qt::LeftButton, {}, rowsFromBar(picker, 0, 0));
        QTest::mouseClick(growth, Qt::LeftButton, {}, rowsFromBar(picker, 1, -2));
        QCOMPARE(measures.selections, (Selections{{56, 0}, {163, 1}}));

        // One row per notch; parts of a notch add up.
        measures.selections.clear();
        turnMouseWheel(weight, -120);
        QCOMPARE(measures.selections, (Selections{{57, 0}}));
        turnMouseWheel(weight, 60);
        QCOMPARE(measures.selections.size(), size_t(1));
        turnMouseWheel(weight, 60);
        QCOMPARE(measures.selections, (Selections{{57, 0}, {56, 0}}));

        // A drag follows the mouse and settles on the nearest row when let go.
        measures.selections.clear();
        const QPoint start = rowsFromBar(picker, 0, 0);
        QTest::mousePress(weight, Qt::LeftButton, {}, start);
        QTest::mouseMove(weight, start - QPoint(0, 50));
        QCOMPARE(textInBar(picker, 0), QString()); // between rows while held
        QTest::mouseMove(weight, start - QPoint(0, 95));
        QTest::mouseRelease(weight, Qt::LeftButton, {}, start - QPoint(0, 95));
        QCOMPARE(measures.selections, (Selections{{58, 0}}));
        QCOMPARE(textInBar(picker, 0), QStringLiteral("63"));
        // A drag that comes back to where it started changes nothing.
        QTest::mousePress(weight, Qt::LeftButton, {}, start);
        QTest::mouseMove(weight, start + QPoint(0, 30));
        QTest::mouseRelease(weight, Qt::LeftButton, {}, start + QPoint(0, 5));
        QCOMPARE(measures.selections.size(), size_t(1));
        // Past the last row the wheel stops at it.
        picker.selectRow(293, 0, false);
        QTest::mousePress(weight, Qt::LeftButton, {}, start);
        QTest::mouseMove(weight, start - QPoint(0, 200));
        QTest::mouseRelease(weight, Qt::LeftButton, {}, start - QPoint(0, 200));
        QCOMPARE(measures.selections, (Selections{{58, 0}, {294, 0}}));

        // Keys, on the wheel that has focus.
        measures.selections.clear();
        picker.selectRow(55, 0, false);
        QTest::keyClick(weight, Qt::Key_Down);
        QTest::keyClick(weight, Qt::Key_Up);
        QTest::keyClick(weight, Qt::Key_Up);
        QCOMPARE(measures.selections, (Selections{{56, 0}, {55, 0}, {54, 0}}));
        QTest::keyClick(weight, Qt::Key_PageDown);
        QVERIFY(picker.selectedRowInComponent(0) > 56);
        QTest::keyClick(weight, Qt::Key_Home);
        QCOMPARE(measures.selections.back(), std::make_pair(0, 0));
        measures.selections.clear();
        QTest::keyClick(weight, Qt::Key_Up);
        QVERIFY(measures.selections.empty());

        // The hook acts as the user does, and as the user, tells only of a change.
        picker.userSelectRow(10, 1);
        picker.userSelectRow(10, 1);
        picker.userSelectRow(400, 1);
        picker.userSelectRow(1, 7);
        QCOMPARE(measures.selections, (Selections{{10, 1}, {294, 1}}));
    }

    void aFewRowViewsServeAWheelOfAnyLength()
    {
        Measures measures;
        kit::PickerView picker;
        picker.setDataSource(&measures);
        picker.setDelegate(&measures);
        for (int row = 0; row < 295; ++row)
            picker.userSelectRow(row, 0);
        picker.selectRow(200, 1, false);
        picker.selectRow(3, 1, false);
        QCOMPARE(textInBar(picker, 0), QStringLiteral("299"));
        QCOMPARE(textInBar(picker, 1), QStringLiteral("8"));
        QVERIFY(measures.made[0].size() < 20);
        QVERIFY(liveLabels(wheelOf(picker, 0)) < 20);
        QVERIFY(liveLabels(wheelOf(picker, 1)) < 20);
        // What is offered again is a view made earlier for the same wheel.
        QVERIFY(measures.offered.size() > 250);
        for (const auto& [view, component] : measures.offered)
            QVERIFY(measures.made[component].contains(view));
        QCOMPARE(measures.selections.size(), size_t(294));

        // Reloading offers the views again rather than asking for new ones.
        const qsizetype madeBefore = measures.made[0].size();
        picker.reloadAllComponents();
        QCOMPARE(measures.made[0].size(), madeBefore);
        QCOMPARE(textInBar(picker, 0), QStringLiteral("299"));
    }

    void emptyAndMissingRowsDoNoHarm()
    {
        Measures measures;
        measures.rows = 0;
        kit::PickerView picker;
        QCOMPARE(picker.numberOfComponents(), 0);
        QCOMPARE(picker.selectedRowInComponent(0), -1);
        picker.setDataSource(&measures);
        picker.setDelegate(&measures);
        QCOMPARE(picker.numberOfComponents(), 2);
        QCOMPARE(picker.selectedRowInComponent(0), -1);
        picker.selectRow(3, 0, false);
        picker.userSelectRow(3, 0);
        QVERIFY(!picker.viewForRow(0, 0));
        QWidget* weight = wheelOf(picker, 0);
        QTest::mouseClick(weight, Qt::LeftButton, {}, rowsFromBar(picker, 0, 1));
        QTest::keyClick(weight, Qt::Key_End);
        turnMouseWheel(weight, -120);
        QVERIFY(measures.selections.empty());
        QCOMPARE(picker.selectedRowInComponent(0), -1);

        // Rows that come later start at the first; a selection beyond fewer rows is clamped.
        measures.rows = 10;
        picker.reloadAllComponents();
        QCOMPARE(textInBar(picker, 0), QStringLiteral("5"));
        picker.selectRow(9, 1, false);
        measures.rows = 4;
        picker.reloadComponent(1);
        QCOMPARE(picker.selectedRowInComponent(1), 3);
        QCOMPARE(textInBar(picker, 1), QStringLiteral("8"));

        // A delegate that draws nothing leaves the rows empty but turnable.
        measures.nullViews = true;
        picker.reloadAllComponents();
        QVERIFY(!picker.viewForRow(0, 0));
        picker.userSelectRow(2, 0);
        QCOMPARE(measures.selections, (std::vector<std::pair<int, int>>{{2, 0}}));
        measures.nullViews = false;
        picker.reloadComponent(0);
        QCOMPARE(textInBar(picker, 0), QStringLiteral("7"));
    }

    void theScreensLabelsDrawCentredInTheBar()
    {
        Measures measures;
        kit::PickerView picker;
        picker.setDataSource(&measures);
        picker.setDelegate(&measures);
        picker.selectRow(55, 0, false);
        const QImage image = picker.grab().toImage();
        const QRect wheel = wheelOf(picker, 0)->geometry();
        const int barTop = (picker.height() - kit::PickerView::selectionBarHeight) / 2;
        // The text's dark pixels lie within the bar, centred across the wheel.
        int left = image.width();
        int right = -1;
        for (int y = barTop; y < barTop + kit::PickerView::selectionBarHeight; ++y)
            for (int x = wheel.left(); x <= wheel.right(); ++x)
                if (qGray(image.pixel(x, y)) < 80) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY(right > left + 20);
        QVERIFY(std::abs((left + right) / 2 - wheel.center().x()) <= 3);
        // The label is clear: the wheel shows through beside the text.
        QVERIFY(qGray(image.pixel(wheel.left() + 10, picker.height() / 2)) > 150);
    }

    void wheelsTakeFocusInTurnAndReadOutTheirRow()
    {
        Measures measures;
        QWidget host;
        auto* picker = new kit::PickerView(&host);
        picker->setDataSource(&measures);
        picker->setDelegate(&measures);
        picker->setAccessibleNameForComponent(0, QStringLiteral("Вес, кг"));
        picker->setAccessibleNameForComponent(1, QStringLiteral("Рост, см"));
        picker->selectRow(55, 0, false);
        QWidget* weight = wheelOf(*picker, 0);

        QAccessibleInterface* readOut = QAccessible::queryAccessibleInterface(weight);
        QVERIFY(readOut);
        QCOMPARE(readOut->text(QAccessible::Name), QStringLiteral("Вес, кг"));
        QCOMPARE(readOut->text(QAccessible::Value), QStringLiteral("60"));
        picker->userSelectRow(56, 0);
        QCOMPARE(readOut->text(QAccessible::Value), QStringLiteral("61"));

        weight->setFocus(Qt::OtherFocusReason);
        QCOMPARE(host.focusWidget(), weight);
        QTest::keyClick(weight, Qt::Key_Tab);
        QCOMPARE(host.focusWidget(), wheelOf(*picker, 1));
        QTest::keyClick(host.focusWidget(), Qt::Key_Down);
        QCOMPARE(measures.selections.back(), std::make_pair(1, 1));
    }
};

FIRSTAID_TEST_MAIN(TestPickerView)

#include "tst_pickerview.moc"
