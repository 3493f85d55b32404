// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

namespace kit {

class PickerView;
class PickerWheel;
class PickerGlass;

class PickerViewDataSource {
public:
    virtual ~PickerViewDataSource() = default;
    virtual int numberOfComponentsInPickerView(PickerView& pickerView) = 0;
    virtual int numberOfRowsInComponent(PickerView& pickerView, int component) = 0;
};

class PickerViewDelegate {
public:
    virtual ~PickerViewDelegate() = default;
    // By default the picker's width, less its frame and gaps, shared evenly.
    virtual float widthForComponent(PickerView& pickerView, int component);
    virtual float rowHeightForComponent(PickerView&, int) { return 44.0f; }
    // The view that draws a row. reusingView is a view this delegate made earlier for the
    // same component and the picker no longer shows (or null); the picker owns what is
    // returned, and deletes an offered view that is not returned. Null leaves the row empty.
    // By default a centred bold label with titleForRow.
    virtual QWidget* viewForRow(PickerView& pickerView, int row, int component,
                                QWidget* reusingView);
    virtual QString titleForRow(PickerView&, int, int) { return {}; }
    // Only after a user's gesture that ends on another row, never after selectRow.
    virtual void didSelectRow(PickerView&, int, int) {}
};

// The phone's spinning wheels: one wheel per component side by side in a dark frame,
// the selected row of each in the bar across the middle. Only the rows in sight have
// views, made as they come into sight and reused as they leave it, so a wheel of any
// length costs a handful of views. The wheel, dragging, clicking a row and the arrow
// keys turn a wheel; every change is immediate, whatever `animated` says.
class PickerView final : public QWidget {
    Q_OBJECT

public:
    // The frame left and right of the wheels, the gap between two wheels, and the bar.
    static constexpr int frameInset = 8;
    static constexpr int componentGap = 4;
    static constexpr int selectionBarHeight = 44;

    explicit PickerView(QWidget* parent = nullptr);
    ~PickerView() override;

    // Either one reloads at once. A new delegate drops the row views of the old one.
    void setDataSource(PickerViewDataSource* dataSource);
    void setDelegate(PickerViewDelegate* delegate);
    PickerViewDataSource* dataSource() const { return _dataSource; }
    PickerViewDelegate* delegate() const { return _delegate; }

    // Asks again for counts, widths, heights and the views in sight; selections are
    // kept where the rows still exist.
    void reloadAllComponents();
    void reloadComponent(int component);
    int numberOfComponents() const { return int(_wheels.size()); }
    int numberOfRowsInComponent(int component) const;

    // Clamped to the rows there are; does not tell the delegate.
    void selectRow(int row, int component, bool animated);
    // -1 when the component has no rows (or does not exist).
    int selectedRowInComponent(int component) const;
    // The view showing a row now, or null when the row is out of sight.
    QWidget* viewForRow(int row, int component) const;
    // Read out for the wheel along with the selected row's title (or label text).
    void setAccessibleNameForComponent(int component, const QString& name);

    // For tests and automation: turns a wheel to a row as the user would, so the
    // delegate hears didSelectRow when the row changes.
    void userSelectRow(int row, int component);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class PickerWheel;
    friend class PickerGlass;

    PickerViewDelegate& rowDelegate() const;
    PickerWheel* wheel(int component) const;
    void reloadWheel(PickerWheel* wheel);
    void layoutWheels();

    PickerViewDataSource* _dataSource = nullptr;
    PickerViewDelegate* _delegate = nullptr;
    std::vector<PickerWheel*> _wheels;
    PickerGlass* _glass;
};

} // namespace kit
