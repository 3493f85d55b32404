// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavigationBar.h"

#include "BarButtonItem.h"
#include "ViewController.h"
#include "Window.h"
#include "kit/views/Font.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kit {
namespace {

// The phone's untinted bar colour, until the application names its own.
const QColor phoneTint(0x6d, 0x84, 0xa2);
QColor standardTint = phoneTint;

QColor shade(const QColor& colour, double factor)
{
    return QColor::fromRgbF(std::clamp(colour.redF() * float(factor), 0.0f, 1.0f),
                            std::clamp(colour.greenF() * float(factor), 0.0f, 1.0f),
                            std::clamp(colour.blueF() * float(factor), 0.0f, 1.0f));
}

QColor lighten(const QColor& colour, double amount)
{
    return QColor::fromRgbF(colour.redF() + float((1 - colour.redF()) * amount),
                            colour.greenF() + float((1 - colour.greenF()) * amount),
                            colour.blueF() + float((1 - colour.blueF()) * amount));
}

} // namespace

BarButton::BarButton(Shape shape, QWidget* parent)
    : QAbstractButton(parent), _shape(shape), _tint(standardTint)
{
    setFont(boldSystemFont(12));
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab; a click leaves the keyboard where it was (the line being typed in),
    // as a toolbar's buttons do.
    setFocusPolicy(Qt::TabFocus);
}

void BarButton::setTint(const QColor& tint)
{
    _tint = tint;
    update();
}

void BarButton::setShape(Shape shape)
{
    _shape = shape;
    update();
}

void BarButton::setImage(const QImage& image)
{
    _image = image;
    updateGeometry();
    update();
}

QSize BarButton::sizeHint() const
{
    const int content = _image.isNull() ? fontMetrics().horizontalAdvance(text())
                                        : _image.deviceIndependentSize().toSize().width();
    const int padding = _shape == Shape::Back ? 22 : 20;
    return {std::max(content + padding, 32), 30};
}

void BarButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -1.5);
    QPainterPath path;
    if (_shape == Shape::Plain) {
        // A plain item is only its picture, brighter while pressed.
        painter.setOpacity(isEnabled() ? (isDown() ? 0.6 : 1.0) : 0.45);
        const QSizeF size = _image.deviceIndependentSize();
        painter.drawImage(QRectF(box.center().x() - size.width() / 2,
                                 box.center().y() - size.height() / 2, size.width(), size.height()),
                          _image);
        return;
    }
    if (_shape == Shape::Back) {
        const double r = 5;
        const double tip = 12;
        path.moveTo(box.left(), box.center().y());
        path.lineTo(box.left() + tip, box.top());
        path.lineTo(box.right() - r, box.top());
        path.quadTo(box.right(), box.top(), box.right(), box.top() + r);
        path.lineTo(box.right(), box.bottom() - r);
        path.quadTo(box.right(), box.bottom(), box.right() - r, box.bottom());
        path.lineTo(box.left() + tip, box.bottom());
        path.closeSubpath();
    } else {
        path.addRoundedRect(box, 5, 5);
    }
    const bool pressed = isDown();
    const QColor base = pressed ? shade(_tint, 0.6) : shade(_tint, 0.8);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, lighten(base, 0.25));
    fill.setColorAt(0.5, base);
    fill.setColorAt(1, shade(base, 0.9));
    painter.fillPath(path, fill);
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
    painter.drawPath(path);
    painter.translate(0, 1);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.drawLine(QPointF(box.left() + (_shape == Shape::Back ? 12 : 5), box.top()),
                     QPointF(box.right() - 5, box.top()));
    painter.translate(0, -1);

    const double opacity = isEnabled() ? 1.0 : 0.45;
    painter.setOpacity(opacity);
    QRectF content = box;
    if (_shape == Shape::Back)
        content.setLeft(content.left() + 8);
    if (!_image.isNull()) {
        const QSizeF size = _image.deviceIndependentSize();
        const QRectF target(content.center().x() - size.width() / 2,
                            content.center().y() - size.height() / 2, size.width(), size.height());
        painter.drawImage(target, _image);
    } else {
        painter.setFont(font());
        painter.setPen(QColor(0, 0, 0, 120));
        painter.drawText(content.translated(0, -1), Qt::AlignCenter, text());
        painter.setPen(Qt::white);
        painter.drawText(content, Qt::AlignCenter, text());
    }
}

NavigationBar::NavigationBar(QWidget* parent)
    : QWidget(parent), _tint(standardTint), _back(new BarButton(BarButton::Shape::Back, this)),
      _right(new BarButton(BarButton::Shape::Bordered, this))
{
    setObjectName(QStringLiteral("navigationBar"));
    _back->setObjectName(QStringLiteral("backButton"));
    _right->setObjectName(QStringLiteral("rightBarButton"));
    _back->hide();
    _right->hide();
    resize(Window::width, barHeight);
    // An opaque bar hides what lies beneath it, which then is never painted with it.
    setAttribute(Qt::WA_OpaquePaintEvent, _tint.alpha() == 255);
    connect(_back, &QAbstractButton::clicked, this, &NavigationBar::backTapped);
    connect(_right, &QAbstractButton::clicked, this, [this] {
        if (_rightItem)
            _rightItem->trigger();
    });
}

QColor NavigationBar::standardTintColor()
{
    return standardTint;
}

void NavigationBar::setStandardTintColor(const QColor& tint)
{
    standardTint = tint.isValid() ? tint : phoneTint;
}

void NavigationBar::setAlwaysDarkTitle(bool dark)
{
    _darkTitle = dark;
    update();
}

void NavigationBar::setTintColor(const QColor& tint)
{
    if (tint == _tint)
        return;
    // Only a change of opacity is told to the widget (its parents then work out again what
    // their opaque children cover): a flashing bar is tinted a hundred times a second.
    if ((tint.alpha() == 255) != (_tint.alpha() == 255))
        setAttribute(Qt::WA_OpaquePaintEvent, tint.alpha() == 255);
    _tint = tint;
    // Only colours change: the buttons keep their size and place (a flashing bar is tinted a
    // hundred times a second, and laying the buttons out measures their titles).
    _back->setTint(tint);
    if (_rightItem && _rightItem->style() != BarButtonItem::Style::Done)
        _right->setTint(tint);
    update();
}

void NavigationBar::setItems(NavigationItem* top, const QString& backTitle)
{
    if (_item)
        disconnect(_item, nullptr, this, nullptr);
    _item = top;
    if (_item)
        connect(_item, &NavigationItem::changed, this, &NavigationBar::refresh);

    _back->setVisible(!backTitle.isNull());
    QString caption = backTitle.isEmpty() ? QStringLiteral("Назад") : backTitle;
    if (_back->fontMetrics().horizontalAdvance(caption) > 90)
        caption = QStringLiteral("Назад");
    _back->setText(caption);
    refresh();
}

QString NavigationBar::title() const
{
    return _item ? _item->title() : QString();
}

void NavigationBar::refresh()
{
    BarButtonItem* item = _item ? _item->rightBarButtonItem() : nullptr;
    if (_rightItem != item) {
        if (_rightItem)
            disconnect(_rightItem, nullptr, this, nullptr);
        _rightItem = item;
        if (_rightItem)
            connect(_rightItem, &BarButtonItem::changed, this, &NavigationBar::refresh);
    }
    if (_rightItem) {
        _right->setShape(_rightItem->style() == BarButtonItem::Style::Plain
                             ? BarButton::Shape::Plain
                             : BarButton::Shape::Bordered);
        // A button that finishes a task is blue on any bar, as on the phone.
        _right->setTint(_rightItem->style() == BarButtonItem::Style::Done ? QColor(0x2a, 0x62, 0xd6)
                                                                          : _tint);
        _right->setText(_rightItem->title());
        _right->setAccessibleName(_rightItem->accessibleName());
        _right->setImage(_rightItem->image());
        _right->setEnabled(_rightItem->isEnabled());
        _right->show();
    } else {
        _right->hide();
    }
    layoutButtons();
    update();
}

void NavigationBar::layoutButtons()
{
    const int top = (barHeight - 30) / 2;
    const QSize back = _back->sizeHint();
    _back->setGeometry(5, top, back.width(), back.height());
    const QSize right = _right->sizeHint();
    _right->setGeometry(width() - 5 - right.width(), top, right.width(), right.height());
}

void NavigationBar::resizeEvent(QResizeEvent*)
{
    layoutButtons();
}

void NavigationBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QImage& ground = _grounds[_tint.rgba()];
    if (ground.size() != size() * devicePixelRatioF()) {
        if (_grounds.size() > 64)
            _grounds.clear();
        // An opaque bar is copied, not blended, at every repaint (a flashing bar: a hundred
        // times a second).
        ground = QImage((QSizeF(size()) * devicePixelRatioF()).toSize(),
                        _tint.alpha() == 255 ? QImage::Format_RGB32
                                             : QImage::Format_ARGB32_Premultiplied);
        ground.setDevicePixelRatio(devicePixelRatioF());
        QPainter fill(&ground);
        const QRectF bar = rect();
        QLinearGradient gloss(bar.topLeft(), bar.bottomLeft());
        gloss.setColorAt(0, lighten(_tint, 0.35));
        gloss.setColorAt(0.5, lighten(_tint, 0.1));
        gloss.setColorAt(0.51, _tint);
        gloss.setColorAt(1, shade(_tint, 0.85));
        fill.fillRect(bar, gloss);
        fill.fillRect(QRect(0, 0, width(), 1), lighten(_tint, 0.5));
        fill.fillRect(QRect(0, height() - 1, width(), 1), shade(_tint, 0.5));
    }
    painter.drawImage(QPoint(0, 0), ground);

    // Centred on the bar when it fits between the buttons, otherwise in the room they leave.
    const int left = _back->isVisible() ? _back->geometry().right() + 6 : 10;
    const int right = _right->isVisible() ? width() - _right->geometry().left() + 6 : 10;
    // White on a dark bar, dark on a light one, so the title stays legible whatever the tint.
    const bool light =
        _darkTitle || 0.299 * _tint.redF() + 0.587 * _tint.greenF() + 0.114 * _tint.blueF() > 0.62;
    // Redrawn too when the window moves to a screen of another pixel density. An empty title
    // has no picture, and is not measured again at every repaint either.
    const qreal ratio = devicePixelRatioF();
    const TitleDrawn now{title(), left, right, width(), light, ratio};
    if (!(now == _titleDrawn)) {
        _titleDrawn = now;
        const QFont font = boldSystemFont(20);
        const QFontMetrics metrics(font);
        const int natural = metrics.horizontalAdvance(title());
        const int side = std::max(left, right);
        QRect titleBox(side, 0, width() - 2 * side, height());
        if (natural > titleBox.width())
            titleBox = QRect(left, 0, width() - left - right, height());
        const QString shown = metrics.elidedText(title(), Qt::ElideRight, titleBox.width());
        // Only the text's own box (with its shadow and a margin for overhanging glyphs) is
        // kept, so a repaint blends that much and not the whole bar.
        _titleAt = metrics.boundingRect(titleBox, Qt::AlignCenter, shown)
                       .adjusted(-4, -4, 4, 4)
                       .intersected(rect());
        _titleImage =
            QImage((QSizeF(_titleAt.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        _titleImage.setDevicePixelRatio(ratio);
        _titleImage.fill(Qt::transparent);
        if (!_titleAt.isEmpty()) {
            QPainter text(&_titleImage);
            text.translate(-_titleAt.topLeft());
            text.setFont(font);
            text.setPen(light ? QColor(255, 255, 255, 160) : QColor(0, 0, 0, 130));
            text.drawText(titleBox.translated(0, light ? 1 : -1), Qt::AlignCenter, shown);
            text.setPen(light ? QColor(_darkTitle ? 0x11 : 0x30, _darkTitle ? 0x11 : 0x30,
                                       _darkTitle ? 0x11 : 0x30)
                              : QColor(Qt::white));
            text.drawText(titleBox, Qt::AlignCenter, shown);
        }
    }
    if (!_titleAt.isEmpty())
        painter.drawImage(_titleAt.topLeft(), _titleImage);
}

} // namespace kit
