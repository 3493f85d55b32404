// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnswerCard.h"

#include "kit/views/Font.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace practice {
namespace {

constexpr int badge = 28;
constexpr int padding = 10;
constexpr int leastHeight = 48;

struct Colours {
    QColor fill;
    QColor edge;
    QColor badge;
    QColor text;
};

Colours coloursOf(AnswerCard::State state, bool pressed)
{
    switch (state) {
    case AnswerCard::State::Right:
        return {QColor(0xe3, 0xf4, 0xe1), QColor(0x2e, 0x7d, 0x32), QColor(0x2e, 0x7d, 0x32),
                QColor(0x10, 0x3a, 0x12)};
    case AnswerCard::State::Wrong:
        return {QColor(0xfb, 0xe4, 0xe4), QColor(0xb0, 0x10, 0x10), QColor(0xb0, 0x10, 0x10),
                QColor(0x5c, 0x04, 0x04)};
    case AnswerCard::State::Faded:
        return {QColor(0xf6, 0xf6, 0xf6), QColor(0xcc, 0xcc, 0xcc), QColor(0xa0, 0xa0, 0xa0),
                QColor(0x6a, 0x6a, 0x6a)};
    case AnswerCard::State::Placed:
        return {QColor(0xe6, 0xec, 0xf3), QColor(0x2f, 0x38, 0x44), QColor(0x2f, 0x38, 0x44),
                QColor(0x11, 0x11, 0x11)};
    case AnswerCard::State::Plain:
        break;
    }
    return {pressed ? QColor(0xdd, 0xe3, 0xea) : QColor(0xf4, 0xf6, 0xf8), QColor(0x4a, 0x55, 0x63),
            QColor(0x4a, 0x55, 0x63), QColor(0x11, 0x11, 0x11)};
}

} // namespace

AnswerCard::AnswerCard(int number, const QString& text, QWidget* parent)
    : Control(parent), _number(number), _text(text)
{
    setFont(kit::systemFont(16));
    updateName();
}

void AnswerCard::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    Control::keyPressEvent(event);
}

void AnswerCard::setState(State state, int place)
{
    _state = state;
    _place = place;
    updateName();
    update();
}

void AnswerCard::setNote(const QString& note)
{
    _note = note;
    updateName();
    update();
}

void AnswerCard::updateName()
{
    QString name = QStringLiteral("%1. %2").arg(_number).arg(_text);
    switch (_state) {
    case State::Placed:
        name += QStringLiteral(", поставлен %1-м").arg(_place);
        break;
    case State::Right:
        name += QStringLiteral(", верно");
        break;
    case State::Wrong:
        name += QStringLiteral(", неверно");
        break;
    case State::Plain:
    case State::Faded:
        break;
    }
    if (!_note.isEmpty())
        name += QStringLiteral(", ") + _note;
    setAccessibleName(name);
}

QRect AnswerCard::textRect(int width) const
{
    return QRect(padding + badge + padding, padding, width - 3 * padding - badge, 10000);
}

int AnswerCard::heightForWidth(int width) const
{
    const QFontMetrics metrics(font());
    const QRect bounds = metrics.boundingRect(textRect(width), Qt::TextWordWrap, _text);
    int height = bounds.height() + 2 * padding;
    if (!_note.isEmpty()) {
        QFont small = font();
        small.setPixelSize(13);
        height += QFontMetrics(small).height() + 2;
    }
    return std::max(leastHeight, height);
}

void AnswerCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Colours colours = coloursOf(_state, isHighlighted());
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(colours.edge, _state == State::Plain ? 1.0 : 2.0));
    painter.setBrush(colours.fill);
    painter.drawRoundedRect(box, 9, 9);

    // The badge: the digit that chooses, a step's place, or the mark after the check.
    const QRectF circle(padding, (height() - badge) / 2.0, badge, badge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.badge);
    QString mark = QString::number(_number);
    if (_state == State::Placed)
        mark = QString::number(_place);
    else if (_state == State::Right)
        mark = QStringLiteral("✓");
    else if (_state == State::Wrong)
        mark = QStringLiteral("✗");
    const bool filled = _state != State::Plain;
    if (filled) {
        painter.drawEllipse(circle);
        painter.setPen(Qt::white);
    } else {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.badge, 1.5));
        painter.drawEllipse(circle.adjusted(0.75, 0.75, -0.75, -0.75));
    }
    painter.setFont(kit::boldSystemFont(15));
    painter.drawText(circle, Qt::AlignCenter, mark);

    QRect text = textRect(width());
    text.setHeight(height() - 2 * padding);
    painter.setPen(colours.text);
    painter.setFont(font());
    if (_note.isEmpty()) {
        painter.drawText(text, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, _text);
        return;
    }
    QFont small = font();
    small.setPixelSize(13);
    const int noteHeight = QFontMetrics(small).height();
    painter.drawText(text.adjusted(0, 0, 0, -noteHeight - 2),
                     Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, _text);
    painter.setFont(small);
    painter.setPen(colours.edge);
    painter.drawText(QRect(text.left(), text.bottom() - noteHeight + 1, text.width(), noteHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, _note);
}

} // namespace practice
