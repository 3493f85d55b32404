// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PickerView.h"
#include "kit/views/Control.h"

#include <QDate>
#include <QLocale>

#include <array>

namespace kit {

// The phone's date picker in date mode: wheels for day, month and year in the order
// the locale writes a date, months written out. A user's turn of a wheel sends
// ValueChanged once the wheel settles on another date; a day the month lacks settles
// on its last day, and a date beyond the limits on the nearest limit.
class DatePicker final : public Control, private PickerViewDataSource, private PickerViewDelegate {
    Q_OBJECT

public:
    explicit DatePicker(QWidget* parent = nullptr);
    ~DatePicker() override;

    QDate date() const { return _date; }
    // Kept within the limits; sends nothing. An invalid date is ignored.
    void setDate(const QDate& date, bool animated = false);
    QDate minimumDate() const { return _minimum; }
    void setMinimumDate(const QDate& date);
    QDate maximumDate() const { return _maximum; }
    void setMaximumDate(const QDate& date);
    // The wheels' order and month names; QLocale() until set.
    void setLocale(const QLocale& locale);

    // For tests and automation: turns the wheels to a date as the user would, so
    // ValueChanged is sent when the date changes.
    void userSetDate(const QDate& date);

    // The wheels, for looks and for driving them in tests.
    PickerView* pickerView() const { return _picker; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class Field { Day, Month, Year };

    int numberOfComponentsInPickerView(PickerView&) override { return int(_order.size()); }
    int numberOfRowsInComponent(PickerView&, int component) override;
    float widthForComponent(PickerView& pickerView, int component) override;
    QWidget* viewForRow(PickerView& pickerView, int row, int component,
                        QWidget* reusingView) override;
    QString titleForRow(PickerView&, int row, int component) override;
    void didSelectRow(PickerView& pickerView, int row, int component) override;

    int componentOf(Field field) const;
    bool rowIsReachable(Field field, int row) const;
    QDate limited(const QDate& date) const;
    void limitsChanged();
    void showDate();
    void settle(const QDate& date);

    PickerView* _picker;
    QLocale _locale;
    std::array<Field, 3> _order{Field::Day, Field::Month, Field::Year};
    QDate _date{1980, 1, 1};
    QDate _minimum{1900, 1, 1};
    QDate _maximum;
};

} // namespace kit
