// SPDX-License-Identifier: GPL-3.0-or-later
#include "TopicCell.h"

#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/ProgressView.h"
#include "kit/views/View.h"

namespace practice {

TopicCell::TopicCell(const QString& topic, const QString& title)
    : _topic(topic), _title(new kit::Label(this)), _count(new kit::Label(this)),
      _bar(new kit::ProgressView(this))
{
    setObjectName(QStringLiteral("topic_%1").arg(topic));
    _title->setFont(kit::boldSystemFont(16));
    _title->setText(title);
    _title->setTextColor(QColor(0x11, 0x11, 0x11));
    _count->setFont(kit::systemFont(13));
    _count->setTextColor(QColor(0x55, 0x55, 0x55));
    _count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resize(width(), rowHeight);
}

void TopicCell::setCounts(int known, int total, int due)
{
    QString count = QStringLiteral("%1 из %2").arg(known).arg(total);
    if (due > 0)
        count += QStringLiteral(" · повторить %1").arg(due);
    _count->setText(count);
    _bar->setProgress(total > 0 ? float(known) / float(total) : 0.0f);
    setAccessibleName(QStringLiteral("%1: знаю %2 из %3%4")
                          .arg(_title->text())
                          .arg(known)
                          .arg(total)
                          .arg(due > 0 ? QStringLiteral(", повторить %1").arg(due) : QString()));
}

void TopicCell::resizeEvent(QResizeEvent* event)
{
    kit::TableViewCell::resizeEvent(event);
    const int inner = width() - 24;
    kit::setFrame(_title, QRect(12, 7, inner, 22));
    kit::setFrame(_count, QRect(12, 31, inner, 16));
    kit::setFrame(_bar, QRect(12, 37, std::max(40, inner - 150), 6));
}

} // namespace practice
