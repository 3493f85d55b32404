// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <vector>

namespace kit {

struct TabBarItem;
class TabButton;

// The 49-point bar of tab buttons at the bottom of the application area. Its
// own background is plain black; a picture inserted beneath the buttons covers it.
class TabBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int barHeight = 49;

    explicit TabBar(QWidget* parent = nullptr);

    void setItems(const std::vector<TabBarItem>& items);
    void setSelectedIndex(int index);
    int selectedIndex() const { return _selected; }
    // The button of a tab, for taps in tests and accessibility.
    QWidget* buttonAt(int index) const;

signals:
    // Every tap, also on the tab that is already selected.
    void tapped(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutButtons();

    std::vector<TabButton*> _buttons;
    int _selected = -1;
};

} // namespace kit
