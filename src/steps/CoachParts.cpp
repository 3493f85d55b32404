// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoachParts.h"

#include "kit/views/Font.h"

#include <QPainter>
#include <QVariantAnimation>

namespace steps {

namespace {

const QColor red(0xc0, 0x1c, 0x1c);
const QColor darkRed(0x8a, 0x08, 0x08);

} // namespace

PulseView::PulseView(QWidget* parent) : kit::Control(parent), _fade(new QVariantAnimation(this))
{
    setObjectName(QStringLiteral("pulse"));
    // The flash dies away within a third of the beat, so each beat is seen on its own.
    _fade->setStartValue(1.0);
    _fade->setEndValue(0.0);
    _fade->setDuration(220);
    _fade->setEasingCurve(QEasingCurve::OutQuad);
    connect(_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        _flash = value.toDouble();
        update();
    });
}

void PulseView::beat(int count)
{
    const bool was = _breaths;
    _breaths = false;
    _ring = -1;
    _text = QString::number(count);
    _caption.clear();
    _flash = 1;
    _fade->stop();
    _fade->start();
    if (was || count == 1)
        setAccessibleName(QStringLiteral("Нажатия"));
    update();
}

void PulseView::showBreaths(double progress)
{
    if (!_breaths) {
        _breaths = true;
        _text = QStringLiteral("2 вдоха");
        _caption = QStringLiteral("сделали — нажмите");
        setAccessibleName(QStringLiteral("Два вдоха; нажмите, когда сделаны"));
    }
    _fade->stop();
    _flash = 0;
    _ring = std::clamp(progress, 0.0, 1.0);
    update();
}

void PulseView::showPaused()
{
    _breaths = false;
    _ring = -1;
    _fade->stop();
    _flash = 0;
    _text = QStringLiteral("Пауза");
    _caption.clear();
    setAccessibleName(QStringLiteral("Пауза"));
    update();
}

void PulseView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height()) - 8;
    const QRectF circle((width() - side) / 2, (height() - side) / 2, side, side);
    QColor fill = QColor(0xfb, 0xe9, 0xe9);
    if (_flash > 0) {
        fill = QColor::fromRgbF(fill.redF() + (red.redF() - fill.redF()) * _flash,
                                fill.greenF() + (red.greenF() - fill.greenF()) * _flash,
                                fill.blueF() + (red.blueF() - fill.blueF()) * _flash);
    }
    if (_breaths)
        fill = QColor(0xe3, 0xee, 0xfb);
    painter.setPen(QPen(_breaths ? QColor(0x2a, 0x62, 0xd6) : darkRed, 3));
    painter.setBrush(fill);
    painter.drawEllipse(circle);
    if (_ring >= 0) {
        // What is left of the breath pause, going round.
        painter.setPen(QPen(QColor(0x2a, 0x62, 0xd6), 8, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(circle.adjusted(6, 6, -6, -6), 90 * 16, int(-(1 - _ring) * 360 * 16));
    }
    const bool light = _flash > 0.5;
    painter.setPen(light ? Qt::white : (_breaths ? QColor(0x1a, 0x3c, 0x7a) : darkRed));
    bool number = false;
    _text.toInt(&number);
    painter.setFont(kit::boldSystemFont(number ? 72 : 30));
    QRectF textBox = circle;
    if (!_caption.isEmpty())
        textBox.adjust(0, 0, 0, -30);
    painter.drawText(textBox, Qt::AlignCenter, _text);
    if (!_caption.isEmpty()) {
        painter.setFont(kit::systemFont(12));
        painter.drawText(circle.adjusted(18, side / 2 + 4, -18, 0),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, _caption);
    }
}

ModeButton::ModeButton(const QString& title, const QString& spoken, QWidget* parent)
    : kit::Control(parent), _title(title), _spoken(spoken)
{
    setFont(kit::boldSystemFont(13));
    setAccessibleName(_spoken);
}

void ModeButton::setChosen(bool chosen)
{
    _chosen = chosen;
    setAccessibleName(chosen ? _spoken + QStringLiteral(" (выбрано)") : _spoken);
    update();
}

void ModeButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor ground = _chosen ? darkRed : QColor(Qt::white);
    if (isHighlighted())
        ground = _chosen ? ground.darker(130) : QColor(0xee, 0xd6, 0xd6);
    painter.setPen(QPen(darkRed, 1.5));
    painter.setBrush(ground);
    painter.drawRoundedRect(frame, 8, 8);
    painter.setPen(_chosen ? Qt::white : darkRed);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, _title);
}

} // namespace steps
