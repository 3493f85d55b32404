// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace kit {

class ActionSheet;
class Label;
class SheetButton;
class TabBar;

class ActionSheetDelegate {
public:
    virtual ~ActionSheetDelegate() = default;
    // After the sheet has gone; the delegate may delete it (or its owner) here.
    virtual void clickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex) = 0;
};

// A choice of actions over a dimmed window: a panel at the bottom with a title and
// one full-width button per action. Buttons are numbered as on the phone: the
// destructive one first, then the others in order, the cancel one last.
//
// Made hidden and without a parent; while shown it is a child of the window it
// covers. The object that made it owns it (kit::Owned suits, as the window takes
// it down too if it goes first while the sheet is up).
class ActionSheet final : public QWidget {
    Q_OBJECT

public:
    ActionSheet(const QString& title, ActionSheetDelegate* delegate,
                const QString& cancelButtonTitle, const QString& destructiveButtonTitle,
                const QStringList& otherButtonTitles);
    ~ActionSheet() override;

    QString title() const { return _titleText; }
    ActionSheetDelegate* delegate() const { return _delegate; }
    void setDelegate(ActionSheetDelegate* delegate) { _delegate = delegate; }

    int numberOfButtons() const { return int(_buttons.size()); }
    // Empty out of range.
    QString buttonTitleAtIndex(int index) const;
    // -1 when there is none.
    int cancelButtonIndex() const { return _cancelIndex; }
    int destructiveButtonIndex() const { return _destructiveIndex; }
    void setButtonEnabled(int index, bool enabled);
    // A button, for taps in tests and accessibility; null out of range.
    QWidget* buttonAtIndex(int index) const;

    // Both cover the whole window: the one of the tab bar (the key window without one),
    // or the one of the view.
    void showFromTabBar(TabBar* tabBar);
    void showInView(QWidget* view);
    // Hides the sheet, then tells the delegate; nothing when it is not shown.
    void dismissWithClickedButtonIndex(int index, bool animated);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void addButton(const QString& title);
    void showOver(QWidget* host);
    void layoutPanel();

    QString _titleText;
    Label* _title = nullptr;
    std::vector<SheetButton*> _buttons;
    ActionSheetDelegate* _delegate;
    int _cancelIndex = -1;
    int _destructiveIndex = -1;
    bool _shown = false;
    QRect _panel;
    QPointer<QWidget> _focusBefore;
};

} // namespace kit
