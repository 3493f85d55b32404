// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchBar.h"

#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/Window.h"
#include "kit/views/Font.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace kit {
namespace {

// The magnifier drawn at the start of the field.
QIcon magnifier()
{
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x8e, 0x8e, 0x93), 1.8));
    painter.drawEllipse(QRectF(2, 2, 8.5, 8.5));
    painter.setPen(QPen(QColor(0x8e, 0x8e, 0x93), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.5, 9.5), QPointF(13.5, 13.5));
    return QIcon(glyph);
}

const QColor barTint(0xb1, 0xbd, 0xca);

} // namespace

SearchBar::SearchBar(QWidget* parent)
    : QWidget(parent), _field(new QLineEdit(this)),
      _cancel(new BarButton(BarButton::Shape::Bordered, this))
{
    setObjectName(QStringLiteral("searchBar"));
    resize(Window::width, barHeight);
    _field->setObjectName(QStringLiteral("searchField"));
    _field->setAccessibleName(QStringLiteral("Поиск статьи"));
    _field->setFont(systemFont(14));
    _field->setFrame(false);
    _field->setClearButtonEnabled(true);
    _field->addAction(magnifier(), QLineEdit::LeadingPosition)->setText(QStringLiteral("Поиск"));
    // The field's own clear button (its action is the field's child, not one of its
    // actions) reads out under the name of its action.
    if (auto* clear = _field->findChild<QAction*>(QStringLiteral("_q_qlineeditclearaction")))
        clear->setText(QStringLiteral("Очистить поиск"));
    for (QToolButton* button : _field->findChildren<QToolButton*>())
        if (button->defaultAction())
            button->setAccessibleName(button->defaultAction()->text());
    _field->setStyleSheet(
        QStringLiteral("QLineEdit { background: white; border: 1px solid #8e98a4; "
                       "border-radius: 14px; padding: 0 4px; color: black; }"));
    _field->installEventFilter(this);
    _cancel->setObjectName(QStringLiteral("searchCancelButton"));
    _cancel->setText(QStringLiteral("Отмена"));
    _cancel->setTint(barTint.darker(115));
    _cancel->hide();
    connect(_field, &QLineEdit::textChanged, this, &SearchBar::textChanged);
    connect(_cancel, &QAbstractButton::clicked, this, &SearchBar::cancelClicked);
    layoutField();
}

QString SearchBar::text() const
{
    return _field->text();
}

void SearchBar::setText(const QString& text)
{
    _field->setText(text);
}

QString SearchBar::placeholderText() const
{
    return _field->placeholderText();
}

void SearchBar::setPlaceholderText(const QString& text)
{
    _field->setPlaceholderText(text);
}

void SearchBar::setShowsCancelButton(bool shows)
{
    _showsCancel = shows;
    _cancel->setVisible(shows);
    layoutField();
}

void SearchBar::resignFirstResponder()
{
    _field->clearFocus();
}

bool SearchBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == _field &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
        emit editingBegan();
    // Escape ends the search, as the cancel button does.
    if (watched == _field && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && _showsCancel) {
        emit cancelClicked();
        return true;
    }
    return false;
}

void SearchBar::layoutField()
{
    const int right = _showsCancel ? _cancel->sizeHint().width() + 12 : 6;
    _field->setGeometry(6, 7, width() - 6 - right, 30);
    const QSize cancel = _cancel->sizeHint();
    _cancel->setGeometry(width() - 6 - cancel.width(), 7, cancel.width(), 30);
}

void SearchBar::resizeEvent(QResizeEvent*)
{
    layoutField();
}

void SearchBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, barTint.lighter(112));
    fill.setColorAt(1, barTint.darker(105));
    painter.fillRect(rect(), fill);
    painter.setPen(barTint.darker(130));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace kit
