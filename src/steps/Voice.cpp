// SPDX-License-Identifier: GPL-3.0-or-later
#include "Voice.h"

#include "kit/foundation/UserDefaults.h"
#include "kit/views/Font.h"

#include <QPainter>
#include <QPainterPath>

namespace steps {

namespace Voice {

bool isOn()
{
    const std::optional<QString> stored =
        kit::UserDefaults::standardUserDefaults().stringForKey(QString::fromLatin1(settingsKey));
    return !stored || *stored != QLatin1String("0");
}

void setOn(bool on)
{
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    defaults.setObject(on ? QStringLiteral("1") : QStringLiteral("0"),
                       QString::fromLatin1(settingsKey));
    defaults.synchronize();
    if (!on)
        kit::Speech::stop();
}

void say(const QString& text)
{
    if (isOn())
        kit::Speech::say(text);
}

void enqueue(const QString& text)
{
    if (isOn())
        kit::Speech::enqueue(text);
}

} // namespace Voice

VoiceSwitch::VoiceSwitch(QWidget* parent) : kit::Control(parent), _on(Voice::isOn())
{
    setObjectName(QStringLiteral("voiceSwitch"));
    setFont(kit::systemFont(14));
    addTarget(
        this, [this] { toggle(); }, kit::ControlEvent::TouchUpInside);
    refresh();
}

void VoiceSwitch::toggle()
{
    _on = !_on;
    Voice::setOn(_on);
    refresh();
    emit switched(_on);
}

void VoiceSwitch::refresh()
{
    setAccessibleName(_on ? QStringLiteral("Голос включён") : QStringLiteral("Голос выключен"));
    update();
}

QSize VoiceSwitch::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("Голос")) + 44, 32};
}

void VoiceSwitch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = _on ? QColor(0x8a, 0x08, 0x08) : QColor(0x70, 0x70, 0x70);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(isHighlighted() ? QColor(0xee, 0xd6, 0xd6) : QColor(Qt::white));
    painter.drawRoundedRect(frame, 6, 6);

    // A speaker, with sound waves while on and struck through while off.
    const qreal mid = height() / 2.0;
    QPainterPath speaker;
    speaker.moveTo(8, mid - 4);
    speaker.lineTo(12, mid - 4);
    speaker.lineTo(17, mid - 9);
    speaker.lineTo(17, mid + 9);
    speaker.lineTo(12, mid + 4);
    speaker.lineTo(8, mid + 4);
    speaker.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(speaker);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    if (_on) {
        painter.drawArc(QRectF(14, mid - 5, 10, 10), -50 * 16, 100 * 16);
        painter.drawArc(QRectF(13, mid - 9, 16, 18), -50 * 16, 100 * 16);
    } else {
        painter.drawLine(QPointF(21, mid - 5), QPointF(29, mid + 5));
        painter.drawLine(QPointF(21, mid + 5), QPointF(29, mid - 5));
    }
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(QRect(34, 0, width() - 38, height()), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Голос"));
}

kit::Label* makeVoiceNotice(QWidget* parent)
{
    auto* notice = new kit::Label(parent);
    notice->setObjectName(QStringLiteral("voiceNotice"));
    notice->setText(voiceNoticeText());
    notice->setFont(kit::systemFont(12));
    notice->setTextColor(QColor(0x55, 0x55, 0x55));
    notice->setNumberOfLines(2);
    notice->setLineBreakMode(kit::LineBreakMode::WordWrap);
    const auto follow = [notice](kit::SpeechState state) {
        notice->setVisible(state == kit::SpeechState::Unavailable);
    };
    follow(kit::Speech::state());
    kit::Speech::observe(notice, follow);
    return notice;
}

QString voiceNoticeText()
{
    return QStringLiteral("Голос недоступен: нет синтезатора речи. Подсказки — на экране.");
}

} // namespace steps
