// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlertView.h"

#include "kit/controllers/Application.h"
#include "kit/controllers/Window.h"
#include "kit/views/Control.h"
#include "kit/views/Font.h"
#include "kit/views/TitledButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kit {
namespace {

constexpr int boxWidth = 284;
constexpr int padding = 16;
constexpr int buttonHeight = 43;

QList<QPointer<AlertView>>& shown()
{
    static QList<QPointer<AlertView>> alerts;
    return alerts;
}

// The alert's one button: light glass on the dark box, brighter while pressed.
const TitledButton::Look alertButtonLook = {
    {{0, QColor(255, 255, 255, 90)},
     {0.5, QColor(255, 255, 255, 40)},
     {1, QColor(255, 255, 255, 60)}},
    {{0, QColor(255, 255, 255, 140)},
     {0.5, QColor(255, 255, 255, 90)},
     {1, QColor(255, 255, 255, 110)}},
    QColor(0, 0, 0, 120),
    6,
};

int textHeight(const QString& text, const QFont& font, int width)
{
    const QFontMetrics metrics(font);
    return metrics
        .boundingRect(QRect(0, 0, width, 10000), Qt::AlignHCenter | Qt::TextWordWrap, text)
        .height();
}

} // namespace

AlertView::AlertView(const QString& title, const QString& message, const QString& buttonTitle)
    : AlertView(title, message, QStringList{buttonTitle})
{
}

AlertView::AlertView(const QString& title, const QString& message, const QStringList& buttonTitles,
                     int cancelIndex)
    : _title(title), _message(message)
{
    setObjectName(QStringLiteral("alertView"));
    setAccessibleName(title);
    setAccessibleDescription(message);
    for (qsizetype i = 0; i < buttonTitles.size(); ++i) {
        auto* button = new TitledButton(buttonTitles[i], alertButtonLook, this);
        button->setObjectName(i == 0 ? QStringLiteral("alertButton")
                                     : QStringLiteral("alertButton%1").arg(i));
        button->setAccessibleName(buttonTitles[i]);
        button->setFont(boldSystemFont(buttonTitles.size() > 1 ? 16 : 18));
        button->setFocusPolicy(Qt::StrongFocus);
        const int index = int(i);
        button->addTarget(
            this, [this, index] { dismissWithButtonIndex(index); }, ControlEvent::TouchUpInside);
        _buttons.push_back(button);
    }
    _cancelIndex = cancelIndex >= 0 && cancelIndex < int(_buttons.size())
                       ? cancelIndex
                       : int(_buttons.size()) - 1;
}

Control* AlertView::buttonAt(int index) const
{
    return index >= 0 && index < int(_buttons.size()) ? _buttons[size_t(index)] : nullptr;
}

void AlertView::show()
{
    Application* application = Application::sharedApplication();
    Window* window = application ? application->keyWindow() : nullptr;
    if (window) {
        setParent(window);
        setGeometry(window->rect());
        window->installEventFilter(this);
    } else {
        resize(Window::width, Window::height);
    }
    layout();
    shown().append(this);
    // The window's focus, whether or not the window is active just now.
    _focusBefore = window ? window->focusWidget() : QApplication::focusWidget();
    QWidget::show();
    raise();
    button()->setFocus();
}

void AlertView::layout()
{
    const int inner = boxWidth - 2 * padding;
    const int titleHeight = textHeight(_title, boldSystemFont(18), inner);
    const int messageHeight = textHeight(_message, systemFont(16), inner);
    // Two buttons side by side; one, or more than two, each across the box.
    const int count = int(_buttons.size());
    const int rows = count == 2 ? 1 : count;
    const int buttons = rows * buttonHeight + (rows - 1) * 8;
    const int height = padding + titleHeight + 8 + messageHeight + padding + buttons + padding;
    _box = QRect((width() - boxWidth) / 2, std::max(10, (this->height() - height) / 2), boxWidth,
                 height);
    const int top = _box.bottom() + 1 - padding - buttons;
    for (int i = 0; i < count; ++i) {
        if (count == 2) {
            const int half = (inner - 8) / 2;
            _buttons[size_t(i)]->setGeometry(_box.left() + padding + i * (half + 8), top, half,
                                             buttonHeight);
        } else {
            _buttons[size_t(i)]->setGeometry(_box.left() + padding, top + i * (buttonHeight + 8),
                                             inner, buttonHeight);
        }
    }
}

void AlertView::dismiss()
{
    dismissWithButtonIndex(_cancelIndex);
}

void AlertView::dismissWithButtonIndex(int index)
{
    if (!isVisible())
        return;
    hide();
    shown().removeAll(this);
    // The keyboard goes back where it was (the line being typed in), not to whatever
    // control happens to come next in the window.
    if (_focusBefore && _focusBefore->isVisible())
        _focusBefore->setFocus(Qt::OtherFocusReason);
    emit dismissed();
    deleteLater();
    // Last: the answer may put up another alert or close the window.
    if (std::function<void(int)> answer = std::move(_answer))
        answer(index);
}

QList<AlertView*> AlertView::visibleAlerts()
{
    QList<AlertView*> alerts;
    for (const QPointer<AlertView>& alert : std::as_const(shown()))
        if (alert && alert->isVisible())
            alerts.append(alert);
    return alerts;
}

void AlertView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 110));
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(QRectF(_box).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    QLinearGradient fill(_box.topLeft(), _box.bottomLeft());
    fill.setColorAt(0, QColor(0x2b, 0x3b, 0x6b, 235));
    fill.setColorAt(1, QColor(0x0f, 0x1c, 0x44, 235));
    painter.fillPath(box, fill);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
    painter.drawPath(box);

    const QRect text = _box.adjusted(padding, padding, -padding, -padding);
    painter.setPen(Qt::white);
    painter.setFont(boldSystemFont(18));
    const QRect titleArea =
        painter.boundingRect(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, _title);
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, _title);
    painter.setFont(systemFont(16));
    painter.drawText(text.adjusted(0, titleArea.height() + 8, 0, 0),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, _message);
}

void AlertView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        dismiss();
    else
        QWidget::keyPressEvent(event);
}

bool AlertView::focusNextPrevChild(bool next)
{
    // Tab goes round the alert's own buttons, never to the screen beneath.
    const int count = int(_buttons.size());
    int current = 0;
    for (int i = 0; i < count; ++i)
        if (_buttons[size_t(i)]->hasFocus())
            current = i;
    _buttons[size_t((current + (next ? 1 : count - 1)) % count)]->setFocus(
        next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool AlertView::eventFilter(QObject* watched, QEvent* event)
{
    // Follows the window's size, and stays above whatever is added to it later.
    if (watched == parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
        setGeometry(parentWidget()->rect());
        layout();
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kit
