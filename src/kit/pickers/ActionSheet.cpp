// SPDX-License-Identifier: GPL-3.0-or-later
#include "ActionSheet.h"

#include "kit/controllers/Application.h"
#include "kit/controllers/TabBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/Control.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/TextMeasure.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace kit {
namespace {

constexpr int sideMargin = 10;
constexpr int buttonHeight = 44;
constexpr int buttonGap = 8;
constexpr int cancelExtraGap = 8;
constexpr int topPadding = 14;
constexpr int titleGap = 10;
constexpr int bottomPadding = 16;

enum class Kind { Destructive, Other, Cancel };

struct Look {
    QColor top;
    QColor middleTop;
    QColor middleBottom;
    QColor bottom;
    QColor border;
    QColor title;
};

Look lookOf(Kind kind)
{
    switch (kind) {
    case Kind::Destructive:
        return {QColor(0xf2, 0x84, 0x7e), QColor(0xdf, 0x3a, 0x32), QColor(0xcc, 0x1f, 0x18),
                QColor(0xb0, 0x14, 0x0f), QColor(0x4a, 0x0c, 0x0a), Qt::white};
    case Kind::Cancel:
        return {QColor(0x8e, 0x93, 0x9c), QColor(0x5a, 0x5f, 0x68), QColor(0x47, 0x4b, 0x53),
                QColor(0x36, 0x39, 0x40), QColor(0x12, 0x14, 0x18), Qt::white};
    case Kind::Other:
        break;
    }
    return {QColor(0xff, 0xff, 0xff), QColor(0xf2, 0xf3, 0xf5), QColor(0xe2, 0xe4, 0xe8),
            QColor(0xd6, 0xd8, 0xdd), QColor(0x1e, 0x22, 0x2b), QColor(0x1c, 0x1c, 0x1e)};
}

} // namespace

// A full-width button of the sheet: rounded, with the phone's glassy shine (lighter
// above the middle than below), blue while pressed.
class SheetButton final : public Control {
public:
    SheetButton(const QString& title, QWidget* parent) : Control(parent), _title(title)
    {
        setAccessibleName(title);
        setFont(boldSystemFont(18));
        setCursor(Qt::PointingHandCursor);
    }

    QString title() const { return _title; }
    void setKind(Kind kind)
    {
        _kind = kind;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        Look look = lookOf(_kind);
        if (isHighlighted())
            look = {QColor(0x8c, 0xb4, 0xf5), QColor(0x3f, 0x7c, 0xe8), QColor(0x23, 0x62, 0xdc),
                    QColor(0x1a, 0x4f, 0xc4), QColor(0x0b, 0x1f, 0x4d), Qt::white};
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (!isEnabled())
            painter.setOpacity(0.45);
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, look.top);
        fill.setColorAt(0.5, look.middleTop);
        fill.setColorAt(0.51, look.middleBottom);
        fill.setColorAt(1, look.bottom);
        painter.setPen(QPen(look.border, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
        const QRectF box = QRectF(rect()).adjusted(12, 0, -12, 0);
        painter.setFont(font());
        painter.setPen(look.title);
        painter.drawText(box, Qt::AlignCenter,
                         QFontMetricsF(font()).elidedText(_title, Qt::ElideRight, box.width()));
    }

private:
    QString _title;
    Kind _kind = Kind::Other;
};

ActionSheet::ActionSheet(const QString& title, ActionSheetDelegate* delegate,
                         const QString& cancelButtonTitle, const QString& destructiveButtonTitle,
                         const QStringList& otherButtonTitles)
    : _titleText(title), _delegate(delegate)
{
    setObjectName(QStringLiteral("actionSheet"));
    setAccessibleName(title.isEmpty() ? QStringLiteral("Выбор действия") : title);
    // The sheet keeps the keys (Escape) while it is up.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMousePropagation);
    hide();

    if (!title.isEmpty()) {
        _title = new Label(this);
        _title->setObjectName(QStringLiteral("actionSheetTitle"));
        _title->setFont(systemFont(14));
        _title->setTextColor(QColor(0xe4, 0xe8, 0xef));
        _title->setAlignment(Qt::AlignCenter);
        _title->setLineBreakMode(LineBreakMode::WordWrap);
        _title->setNumberOfLines(0);
        _title->setText(title);
    }
    if (!destructiveButtonTitle.isEmpty()) {
        _destructiveIndex = int(_buttons.size());
        addButton(destructiveButtonTitle);
    }
    for (const QString& other : otherButtonTitles)
        addButton(other);
    if (!cancelButtonTitle.isEmpty()) {
        _cancelIndex = int(_buttons.size());
        addButton(cancelButtonTitle);
    }
}

ActionSheet::~ActionSheet() = default;

void ActionSheet::addButton(const QString& title)
{
    const int index = int(_buttons.size());
    auto* button = new SheetButton(title, this);
    button->setObjectName(QStringLiteral("actionSheetButton%1").arg(index));
    button->addTarget(
        this, [this, index] { dismissWithClickedButtonIndex(index, true); },
        ControlEvent::TouchUpInside);
    _buttons.push_back(button);
}

QString ActionSheet::buttonTitleAtIndex(int index) const
{
    return index >= 0 && index < numberOfButtons() ? _buttons[size_t(index)]->title() : QString();
}

QWidget* ActionSheet::buttonAtIndex(int index) const
{
    return index >= 0 && index < numberOfButtons() ? _buttons[size_t(index)] : nullptr;
}

void ActionSheet::setButtonEnabled(int index, bool enabled)
{
    if (QWidget* button = buttonAtIndex(index))
        button->setEnabled(enabled);
}

void ActionSheet::showFromTabBar(TabBar* tabBar)
{
    QWidget* host = tabBar ? tabBar->window() : nullptr;
    if (!host)
        if (Application* application = Application::sharedApplication())
            host = application->keyWindow();
    showOver(host);
}

void ActionSheet::showInView(QWidget* view)
{
    QWidget* host = view ? view->window() : nullptr;
    if (!host)
        if (Application* application = Application::sharedApplication())
            host = application->keyWindow();
    showOver(host);
}

void ActionSheet::showOver(QWidget* host)
{
    if (!host)
        return;
    if (!_shown)
        _focusBefore = QApplication::focusWidget();
    if (parentWidget() != host)
        setParent(host);
    setGeometry(host->rect());
    layoutPanel();
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
    _shown = true;
}

void ActionSheet::dismissWithClickedButtonIndex(int index, bool)
{
    if (!_shown)
        return;
    _shown = false;
    hide();
    if (_focusBefore && _focusBefore->window() == window())
        _focusBefore->setFocus(Qt::OtherFocusReason);
    _focusBefore = nullptr;
    // Hidden, it belongs to its owner alone again.
    setParent(nullptr);
    // Last: the delegate may delete the sheet.
    if (ActionSheetDelegate* delegate = _delegate)
        delegate->clickedButtonAtIndex(*this, index);
}

void ActionSheet::layoutPanel()
{
    const int buttonWidth = std::max(0, width() - 2 * sideMargin);
    int panelHeight = topPadding + bottomPadding;
    int titleHeight = 0;
    if (_title) {
        titleHeight = int(sizeWithFont(_titleText, _title->font(),
                                       QSizeF(buttonWidth, height() / 2.0), LineBreakMode::WordWrap)
                              .height());
        panelHeight += titleHeight + titleGap;
    }
    if (!_buttons.empty())
        panelHeight += numberOfButtons() * buttonHeight + (numberOfButtons() - 1) * buttonGap;
    if (_cancelIndex > 0)
        panelHeight += cancelExtraGap;
    _panel = QRect(0, height() - panelHeight, width(), panelHeight);

    int y = _panel.top() + topPadding;
    if (_title) {
        _title->setGeometry(sideMargin, y, buttonWidth, titleHeight);
        y += titleHeight + titleGap;
    }
    for (int i = 0; i < numberOfButtons(); ++i) {
        if (i == _cancelIndex && i > 0)
            y += cancelExtraGap;
        SheetButton* button = _buttons[size_t(i)];
        button->setKind(i == _destructiveIndex ? Kind::Destructive
                        : i == _cancelIndex    ? Kind::Cancel
                                               : Kind::Other);
        button->setGeometry(sideMargin, y, buttonWidth, buttonHeight);
        y += buttonHeight + buttonGap;
    }
    update();
}

void ActionSheet::resizeEvent(QResizeEvent*)
{
    layoutPanel();
}

void ActionSheet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 115));
    QLinearGradient ground(_panel.topLeft(), _panel.bottomLeft());
    ground.setColorAt(0, QColor(0x6c, 0x78, 0x8c, 235));
    ground.setColorAt(0.12, QColor(0x4b, 0x57, 0x6b, 235));
    ground.setColorAt(1, QColor(0x1f, 0x27, 0x34, 242));
    painter.fillRect(_panel, ground);
    painter.fillRect(QRect(_panel.left(), _panel.top(), _panel.width(), 1),
                     QColor(0x10, 0x13, 0x19));
    painter.fillRect(QRect(_panel.left(), _panel.top() + 1, _panel.width(), 1),
                     QColor(255, 255, 255, 70));
}

void ActionSheet::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && _cancelIndex >= 0) {
        dismissWithClickedButtonIndex(_cancelIndex, true);
        return;
    }
    // Nothing reaches the screen beneath while the sheet is up.
    event->accept();
}

// A tap on the dimmed window does nothing, as on the phone.
void ActionSheet::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void ActionSheet::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

// Tab does not move the focus to the screen beneath.
bool ActionSheet::focusNextPrevChild(bool)
{
    return true;
}

} // namespace kit
