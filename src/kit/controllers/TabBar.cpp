// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabBar.h"

#include "ViewController.h"
#include "Window.h"
#include "kit/views/Font.h"

#include <QAbstractButton>
#include <QPainter>

#include <cmath>

namespace kit {

// One tab: its icon as an alpha mask, coloured by state, and its title below.
class TabButton final : public QAbstractButton {
public:
    TabButton(const TabBarItem& item, QWidget* parent) : QAbstractButton(parent), _icon(item.image)
    {
        setText(item.title);
        setCheckable(false);
        setFocusPolicy(Qt::TabFocus);
    }

    void setSelected(bool selected)
    {
        _selected = selected;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
        if (_selected) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 255, 255, 38));
            painter.drawRoundedRect(box, 4, 4);
        }
        if (!_icon.isNull()) {
            const QSizeF size = _icon.deviceIndependentSize().scaled(30, 30, Qt::KeepAspectRatio);
            // The coloured icon is made once per state, in the screen's pixels, so a 2× icon
            // stays sharp; again when the window moves to a screen of another density. It sits
            // on whole pixels: half a pixel off, smooth drawing would blur every edge.
            const qreal ratio = devicePixelRatioF();
            const qreal left = std::round((box.center().x() - size.width() / 2) * ratio) / ratio;
            const QRectF target(left, 4, size.width(), size.height());
            QImage& icon = _tinted[_selected ? 1 : 0];
            if (icon.isNull() || icon.devicePixelRatio() != ratio)
                icon = tinted((target.size() * ratio).toSize(), ratio);
            painter.drawImage(target, icon);
        }
        painter.setFont(boldSystemFont(10));
        painter.setPen(_selected ? Qt::white : QColor(0x9c, 0x9c, 0x9c));
        painter.drawText(QRectF(0, 34, width(), 13), Qt::AlignHCenter | Qt::AlignTop, text());
    }

private:
    // The icon at the given size in pixels, coloured through its alpha.
    QImage tinted(const QSize& pixels, qreal ratio) const
    {
        // Converted before scaling: a scaled image keeps the paint engine that scaled it, and
        // converting it in place afterwards leaves that engine writing the old format.
        QImage mask = _icon.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                          .scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        mask.setDevicePixelRatio(ratio);
        QPainter painter(&mask);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        const QRectF area(QPointF(0, 0), mask.deviceIndependentSize());
        QLinearGradient fill(0, 0, 0, area.height());
        if (_selected) {
            fill.setColorAt(0, QColor(0xff, 0xd6, 0xd6));
            fill.setColorAt(0.5, QColor(0xff, 0x5a, 0x4e));
            fill.setColorAt(1, QColor(0xc8, 0x1e, 0x1e));
        } else {
            fill.setColorAt(0, QColor(0xa6, 0xa6, 0xa6));
            fill.setColorAt(1, QColor(0x73, 0x73, 0x73));
        }
        painter.fillRect(area, fill);
        return mask;
    }

    QImage _icon;
    QImage _tinted[2];
    bool _selected = false;
};

TabBar::TabBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabBar"));
    resize(Window::width, barHeight);
}

void TabBar::setItems(const std::vector<TabBarItem>& items)
{
    for (TabButton* button : _buttons)
        button->deleteLater();
    _buttons.clear();
    for (size_t i = 0; i < items.size(); ++i) {
        auto* button = new TabButton(items[i], this);
        button->setObjectName(QStringLiteral("tab%1").arg(i));
        button->setAccessibleName(items[i].title);
        connect(button, &QAbstractButton::pressed, this, [this, i] { emit tapped(int(i)); });
        button->show();
        _buttons.push_back(button);
    }
    layoutButtons();
    setSelectedIndex(_selected);
}

void TabBar::setSelectedIndex(int index)
{
    _selected = index;
    for (size_t i = 0; i < _buttons.size(); ++i)
        _buttons[i]->setSelected(int(i) == index);
}

QWidget* TabBar::buttonAt(int index) const
{
    return index >= 0 && size_t(index) < _buttons.size() ? _buttons[size_t(index)] : nullptr;
}

void TabBar::layoutButtons()
{
    if (_buttons.empty())
        return;
    const int count = int(_buttons.size());
    const int margin = 2;
    const double slot = double(width() - 2 * margin) / count;
    for (int i = 0; i < count; ++i) {
        const int left = margin + int(i * slot);
        const int right = margin + int((i + 1) * slot);
        _buttons[size_t(i)]->setGeometry(left, 0, right - left, height());
    }
}

void TabBar::resizeEvent(QResizeEvent*)
{
    layoutButtons();
}

void TabBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

} // namespace kit
