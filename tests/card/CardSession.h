// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The card tab as the card tests drive it: the application on a store of the test's own,
// shown on the card tab, with the touches and keys an owner uses.

#include "TestSupport.h"

#include "app/ApplicationShell.h"
#include "card/CardScreen.h"
#include "card/CardTab.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "kit/pickers/PickerView.h"
#include "kit/tables/TableViewController.h"
#include "kit/views/Label.h"

#include <QKeyEvent>
#include <QTest>

#include <memory>
#include <optional>

namespace {

// Types text as the keyboard does, one character at a time (Cyrillic included).
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &release);
    }
}

// Answers the question "Сохранить изменения?": 0 Сохранить, 1 Не сохранять, 2 Отмена.
[[maybe_unused]] void answerSaveQuestion(int button)
{
    const QList<kit::AlertView*> alerts = kit::AlertView::visibleAlerts();
    QVERIFY(!alerts.isEmpty());
    QCOMPARE(alerts.constLast()->title(), QStringLiteral("Сохранить изменения?"));
    QTest::mouseClick(alerts.constLast()->buttonAt(button), Qt::LeftButton);
}

// The record as a new reader of the settings file sees it.
std::optional<QString> storedOnDisk(const QString& path, const QString& key)
{
    return kit::UserDefaults(path).stringForKey(key);
}

// The application on the card tab, on a store of the test's own.
struct CardSession {
    TestStore store;
    std::unique_ptr<LaunchedApplication> app;
    card::CardTab* cardTab = nullptr;

    explicit CardSession(const QList<std::pair<QString, QString>>& stored = {})
    {
        for (const auto& [key, value] : stored)
            store.set(key, value);
        app = std::make_unique<LaunchedApplication>();
        cardTab = app->showTab<card::CardTab>(3);
    }
    card::CardScreen* screen() const { return cardTab->cardScreen(); }
    kit::ViewController* top() const { return cardTab->stack()->topViewController(); }
    // The card's row, scrolled into view: a table lays out only the rows on screen.
    kit::TableViewCell* row(int index, int section = 0) const
    {
        screen()->tableView()->scrollToRowAtIndexPath({section, index});
        return screen()->tableView()->cellForRowAtIndexPath({section, index});
    }
    QString rowText(int index, int section = 0) const
    {
        return row(index, section)->textLabel()->text();
    }
    QString controlOf(int index, int section = 0) const
    {
        kit::Control* control = row(index, section)->editingControl();
        return control ? control->objectName() : QString();
    }
    void tapControl(int index, int section = 0) const
    {
        QTest::mouseClick(row(index, section)->editingControl(), Qt::LeftButton);
    }
    // Touches a row of the top screen's table (the card's, a list's), scrolled into view.
    void tapRow(int index, int section = 0) const
    {
        auto* table = qobject_cast<kit::TableView*>(top()->view());
        if (!table)
            table = top()->view()->findChild<kit::TableView*>();
        table->scrollToRowAtIndexPath({section, index});
        const QRect rect =
            table->rectForRowAtIndexPath({section, index}).translated(-table->contentOffset());
        QTest::mouseClick(table, Qt::LeftButton, {}, rect.center());
    }
    void back() const
    {
        QTest::mouseClick(cardTab->stack()->navigationBar()->backButton(), Qt::LeftButton);
    }
    void save() const
    {
        QTest::mouseClick(cardTab->stack()->navigationBar()->rightButton(), Qt::LeftButton);
    }
    bool saveEnabled() const
    {
        return cardTab->stack()->navigationBar()->rightButton()->isEnabled();
    }
    void selectTab(int index) const
    {
        QTest::mouseClick(app->shell().tabBarController()->tabBar()->buttonAt(index),
                          Qt::LeftButton);
    }
    template <class Editor> Editor* open(int rowIndex, int section = 0) const
    {
        tapRow(rowIndex, section);
        return qobject_cast<Editor*>(top());
    }
    // The text the editor's one row shows.
    QString editorRow() const
    {
        auto* editor = static_cast<kit::TableViewController*>(top());
        return editor->tableView()->cellForRowAtIndexPath({0, 0})->textLabel()->text();
    }
    QString wheelText(kit::PickerView* picker, int component) const
    {
        auto* label = qobject_cast<kit::Label*>(
            picker->viewForRow(picker->selectedRowInComponent(component), component));
        return label ? label->text() : QString();
    }
};

} // namespace
