// SPDX-License-Identifier: GPL-3.0-or-later
#include "DatePicker.h"

#include "kit/controllers/Window.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"

#include <algorithm>

namespace kit {

DatePicker::DatePicker(QWidget* parent)
    : Control(parent), _picker(new PickerView(this)), _maximum(QDate::currentDate())
{
    setObjectName(QStringLiteral("datePicker"));
    _picker->setObjectName(QStringLiteral("datePickerWheels"));
    resize(Window::width, 216);
    _picker->setDelegate(this);
    _picker->setDataSource(this);
    setLocale(QLocale());
}

DatePicker::~DatePicker()
{
    // The wheels ask this picker for titles until they go: they go first.
    delete _picker;
}

void DatePicker::setLocale(const QLocale& locale)
{
    _locale = locale;
    QWidget::setLocale(locale);
    // The order the locale writes a short date in ("dd.MM.yyyy", "M/d/yy").
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const auto at = [&](QChar letter) {
        const qsizetype index = format.indexOf(letter);
        return index < 0 ? format.size() : index;
    };
    _order = {Field::Day, Field::Month, Field::Year};
    std::stable_sort(_order.begin(), _order.end(), [&](Field a, Field b) {
        const auto letter = [](Field field) {
            return field == Field::Day     ? QLatin1Char('d')
                   : field == Field::Month ? QLatin1Char('M')
                                           : QLatin1Char('y');
        };
        return at(letter(a)) < at(letter(b));
    });
    _picker->reloadAllComponents();
    _picker->setAccessibleNameForComponent(componentOf(Field::Day), QStringLiteral("День"));
    _picker->setAccessibleNameForComponent(componentOf(Field::Month), QStringLiteral("Месяц"));
    _picker->setAccessibleNameForComponent(componentOf(Field::Year), QStringLiteral("Год"));
    showDate();
}

int DatePicker::componentOf(Field field) const
{
    return int(std::find(_order.begin(), _order.end(), field) - _order.begin());
}

QDate DatePicker::limited(const QDate& date) const
{
    return std::clamp(date, _minimum, _maximum);
}

void DatePicker::setDate(const QDate& date, bool)
{
    if (!date.isValid())
        return;
    _date = limited(date);
    showDate();
}

void DatePicker::userSetDate(const QDate& date)
{
    if (date.isValid())
        settle(date);
}

void DatePicker::setMinimumDate(const QDate& date)
{
    if (!date.isValid())
        return;
    _minimum = date;
    _maximum = std::max(_maximum, _minimum);
    limitsChanged();
}

void DatePicker::setMaximumDate(const QDate& date)
{
    if (!date.isValid())
        return;
    _maximum = date;
    _minimum = std::min(_minimum, _maximum);
    limitsChanged();
}

void DatePicker::limitsChanged()
{
    _date = limited(_date);
    _picker->reloadComponent(componentOf(Field::Year));
    showDate();
}

void DatePicker::settle(const QDate& date)
{
    const QDate next = limited(date);
    const bool changed = next != _date;
    _date = next;
    showDate();
    if (changed)
        sendActionsForControlEvents(ControlEvent::ValueChanged);
}

void DatePicker::showDate()
{
    _picker->selectRow(_date.day() - 1, componentOf(Field::Day), false);
    _picker->selectRow(_date.month() - 1, componentOf(Field::Month), false);
    _picker->selectRow(_date.year() - _minimum.year(), componentOf(Field::Year), false);
    // Which days and months can be reached depends on the date: their rows are drawn again.
    _picker->reloadComponent(componentOf(Field::Day));
    _picker->reloadComponent(componentOf(Field::Month));
}

bool DatePicker::rowIsReachable(Field field, int row) const
{
    switch (field) {
    case Field::Day: {
        const QDate day(_date.year(), _date.month(), row + 1);
        return day.isValid() && day >= _minimum && day <= _maximum;
    }
    case Field::Month: {
        const QDate first(_date.year(), row + 1, 1);
        return first <= _maximum && first.addMonths(1).addDays(-1) >= _minimum;
    }
    case Field::Year:
        break;
    }
    return true;
}

int DatePicker::numberOfRowsInComponent(PickerView&, int component)
{
    switch (_order[size_t(component)]) {
    case Field::Day:
        return 31;
    case Field::Month:
        return 12;
    case Field::Year:
        break;
    }
    return _maximum.year() - _minimum.year() + 1;
}

float DatePicker::widthForComponent(PickerView& pickerView, int component)
{
    const int room = pickerView.width() - 2 * PickerView::frameInset - 2 * PickerView::componentGap;
    switch (_order[size_t(component)]) {
    case Field::Day:
        return room * 0.22f;
    case Field::Month:
        return room * 0.46f;
    case Field::Year:
        break;
    }
    return room * 0.32f;
}

QString DatePicker::titleForRow(PickerView&, int row, int component)
{
    switch (_order[size_t(component)]) {
    case Field::Day:
        return QString::number(row + 1);
    case Field::Month: {
        // After a day number a month reads in the form that follows it ("5 декабря"); before one,
        // as it stands.
        const bool afterDay = componentOf(Field::Day) < component;
        return afterDay ? _locale.monthName(row + 1, QLocale::LongFormat)
                        : _locale.standaloneMonthName(row + 1, QLocale::LongFormat);
    }
    case Field::Year:
        break;
    }
    return QString::number(_minimum.year() + row);
}

QWidget* DatePicker::viewForRow(PickerView& pickerView, int row, int component,
                                QWidget* reusingView)
{
    auto* label = qobject_cast<Label*>(reusingView);
    if (!label) {
        label = new Label();
        label->setFont(boldSystemFont(21));
    }
    // Set on every use: a new locale may turn this wheel into another field.
    const bool month = _order[size_t(component)] == Field::Month;
    label->setAlignment(month ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    label->setContentsMargins(month ? 12 : 0, 0, month ? 6 : 0, 0);
    label->setText(titleForRow(pickerView, row, component));
    // Rows the date cannot settle on are greyed, as on the phone.
    label->setTextColor(rowIsReachable(_order[size_t(component)], row) ? QColor(Qt::black)
                                                                       : QColor(0xa8, 0xa8, 0xa8));
    return label;
}

void DatePicker::didSelectRow(PickerView& pickerView, int, int)
{
    const int day = pickerView.selectedRowInComponent(componentOf(Field::Day)) + 1;
    const int month = pickerView.selectedRowInComponent(componentOf(Field::Month)) + 1;
    const int year = _minimum.year() + pickerView.selectedRowInComponent(componentOf(Field::Year));
    // A day the month lacks settles on its last one.
    settle(QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth())));
}

void DatePicker::resizeEvent(QResizeEvent*)
{
    _picker->setGeometry(rect());
}

} // namespace kit
