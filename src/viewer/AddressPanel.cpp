// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddressPanel.h"

#include "kit/controllers/Window.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace viewer {
namespace {

const QColor darkRed(0x8a, 0x08, 0x08);

const kit::TitledButton::Look copyLook = {
    {{0, QColor(0xc0, 0x2a, 0x2a)}, {1, QColor(0x8a, 0x08, 0x08)}},
    {{0, QColor(0x8a, 0x08, 0x08)}, {1, QColor(0x5c, 0x00, 0x00)}},
    QColor(0x5c, 0x00, 0x00),
    8,
};

const kit::TitledButton::Look doneLook = {
    {{0, QColor(0x4a, 0x86, 0xe8)}, {1, QColor(0x2a, 0x62, 0xd6)}},
    {{0, QColor(0x2a, 0x62, 0xd6)}, {1, QColor(0x1a, 0x45, 0xa8)}},
    QColor(0x1a, 0x45, 0xa8),
    8,
};

constexpr int margin = 15;
constexpr int smallestSize = 18;

// Where each part stands: on the page (as the address screen has always laid it out), and
// in the floating panel, tighter, with "Готово" under the rest.
struct Layout {
    int caption, address, hint, copy, copied, done, height;
};
constexpr Layout pageLayout{36, 76, 170, 248, 306, 0, 340};
constexpr Layout floatingLayout{16, 50, 130, 196, 246, 272, 328};

const Layout& layoutOf(AddressPanel::Look look)
{
    return look == AddressPanel::Look::Page ? pageLayout : floatingLayout;
}

// The largest bold size up to largest at which text fits one line of width; the
// smallest readable size where none does (the text then wraps).
QFont fittingFont(const QString& text, int largest, int width)
{
    for (int size = largest; size > smallestSize; size -= 2) {
        const QFont font = kit::boldSystemFont(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= width)
            return font;
    }
    return kit::boldSystemFont(smallestSize);
}

kit::Label* addLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& color,
                     const QRect& frame, int lines = 1)
{
    auto* label = new kit::Label(parent);
    label->setText(text);
    label->setFont(font);
    label->setTextColor(color);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setNumberOfLines(lines);
    if (lines != 1)
        label->setLineBreakMode(kit::LineBreakMode::WordWrap);
    kit::setFrame(label, frame);
    return label;
}

} // namespace

int AddressPanel::heightFor(Look look)
{
    return layoutOf(look).height;
}

AddressPanel::AddressPanel(const QUrl& url, const QString& shown, Look look, QWidget* parent)
    : QWidget(parent), _url(url), _shown(shown), _look(look)
{
    setObjectName(look == Look::Page ? QStringLiteral("addressPage")
                                     : QStringLiteral("addressPanel"));
    const Layout& at = layoutOf(look);
    const int panelWidth = look == Look::Page ? kit::Window::width : kit::Window::width - 2 * 20;
    resize(panelWidth, at.height);
    if (look == Look::Page) {
        setAutoFillBackground(true);
        setPalette(QPalette(Qt::white));
    }
    const int width = panelWidth - 2 * margin;
    const bool telephone = isTelephone();

    _caption = addLabel(this,
                        telephone ? QStringLiteral("Позвоните с телефона")
                                  : QStringLiteral("Напишите со своей почты"),
                        kit::boldSystemFont(20), QColor(0x33, 0x33, 0x33),
                        QRect(margin, at.caption, width, 28));
    _caption->setObjectName(QStringLiteral("addressCaption"));
    _address = addLabel(this, shown, fittingFont(shown, telephone ? 64 : 30, width), darkRed,
                        QRect(margin, at.address, width, look == Look::Page ? 80 : 72));
    _address->setObjectName(QStringLiteral("address"));
    _address->setAlignment(Qt::AlignCenter);
    if (QFontMetrics(_address->font()).horizontalAdvance(shown) > width) {
        // Too long for one line even small: wrapped anywhere, as an address has no spaces.
        _address->setNumberOfLines(3);
        _address->setLineBreakMode(kit::LineBreakMode::CharacterWrap);
    }
    _address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    _address->setAccessibleName(shown);
    auto* hint = addLabel(this,
                          telephone ? QStringLiteral("На этом компьютере нет программы для "
                                                     "звонков: наберите номер на телефоне.")
                                    : QStringLiteral("На этом компьютере нет почтовой "
                                                     "программы: напишите на этот адрес из "
                                                     "своей почты."),
                          kit::systemFont(15), QColor(0x66, 0x66, 0x66),
                          QRect(margin, at.hint, width, 60), 0);
    hint->setObjectName(QStringLiteral("addressHint"));

    const QString copyTitle =
        telephone ? QStringLiteral("Скопировать номер") : QStringLiteral("Скопировать адрес");
    _copy = new kit::TitledButton(copyTitle, copyLook, this);
    _copy->setObjectName(QStringLiteral("copyButton"));
    _copy->setAccessibleName(copyTitle);
    _copy->setFont(kit::boldSystemFont(17));
    kit::setFrame(_copy, QRect((panelWidth - 240) / 2, at.copy, 240, 46));
    _copy->addTarget(
        this, [this] { copy(); }, kit::ControlEvent::TouchUpInside);
    _copied = addLabel(this, QStringLiteral("Скопировано"), kit::systemFont(15),
                       QColor(0x2e, 0x7d, 0x32), QRect(margin, at.copied, width, 22));
    _copied->setObjectName(QStringLiteral("copied"));
    _copied->hide();

    if (look == Look::Floating) {
        _done = new kit::TitledButton(QStringLiteral("Готово"), doneLook, this);
        _done->setObjectName(QStringLiteral("doneButton"));
        _done->setAccessibleName(QStringLiteral("Готово"));
        _done->setFont(kit::boldSystemFont(17));
        kit::setFrame(_done, QRect((panelWidth - 240) / 2, at.done, 240, 44));
        _done->addTarget(
            this, [this] { emit done(); }, kit::ControlEvent::TouchUpInside);
    }
}

bool AddressPanel::isTelephone() const
{
    return _url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) != 0;
}

void AddressPanel::copy()
{
    QGuiApplication::clipboard()->setText(_shown);
    _copied->show();
}

void AddressPanel::paintEvent(QPaintEvent*)
{
    if (_look != Look::Floating)
        return;
    // A white card with a soft edge, over whatever screen it floats on.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);
    painter.fillPath(box, Qt::white);
    painter.setPen(QPen(QColor(0, 0, 0, 90), 2));
    painter.drawPath(box);
}

void AddressPanel::keyPressEvent(QKeyEvent* event)
{
    if (_look == Look::Floating && event->key() == Qt::Key_Escape)
        emit done();
    else
        QWidget::keyPressEvent(event);
}

} // namespace viewer
