// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddressScreen.h"

#include "kit/controllers/Application.h"
#include "kit/controllers/NavigationBar.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/StatusStrip.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Log.h"
#include "kit/views/Font.h"
#include "kit/views/Label.h"
#include "kit/views/TitledButton.h"
#include "kit/views/View.h"

#include <QClipboard>
#include <QGuiApplication>

namespace viewer {
namespace {

const QColor darkRed(0x8a, 0x08, 0x08);

const kit::TitledButton::Look copyLook = {
    {{0, QColor(0xc0, 0x2a, 0x2a)}, {1, QColor(0x8a, 0x08, 0x08)}},
    {{0, QColor(0x8a, 0x08, 0x08)}, {1, QColor(0x5c, 0x00, 0x00)}},
    QColor(0x5c, 0x00, 0x00),
    8,
};

constexpr int margin = 15;

constexpr int smallestSize = 18;

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

void openAddress(const QUrl& url, kit::ViewController* presenter)
{
    kit::Application* application = kit::Application::sharedApplication();
    if (application && application->canOpenURL(url) && application->openURL(url))
        return;
    kit::log(QStringLiteral("No application here opens %1: addresses; shown to copy.")
                 .arg(url.scheme()));
    if (presenter)
        presenter->presentModalViewController(std::make_unique<AddressScreen>(url), true);
}

AddressScreen::AddressScreen(const QUrl& url) : _url(url)
{
    setTitle(isTelephone() ? QStringLiteral("Звонок") : QStringLiteral("Письмо"));
}

AddressScreen::~AddressScreen()
{
    // The stack's screens go before the view that holds their views.
    _stack.reset();
}

QString AddressScreen::shownText(const QUrl& url)
{
    return url.path(QUrl::FullyDecoded).trimmed();
}

bool AddressScreen::isTelephone() const
{
    return _url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) != 0;
}

void AddressScreen::loadView()
{
    // The screen has a status strip of its own: it may be shown over a screen that covers
    // the window's (the emergency card).
    const QRect area = kit::Window::applicationFrame();
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("addressScreen"));
    kit::setFrame(view, QRect(0, 0, area.width(), area.bottom() + 1));
    auto* strip = new kit::StatusStrip(view);
    strip->setGeometry(0, 0, area.width(), area.top());

    auto* page = new QWidget();
    page->setObjectName(QStringLiteral("addressPage"));
    page->setAutoFillBackground(true);
    page->setPalette(QPalette(Qt::white));
    const int width = area.width() - 2 * margin;
    const QString text = shownText(_url);
    const bool telephone = isTelephone();

    _caption =
        addLabel(page,
                 telephone ? QStringLiteral("Позвоните с телефона")
                           : QStringLiteral("Напишите со своей почты"),
                 kit::boldSystemFont(20), QColor(0x33, 0x33, 0x33), QRect(margin, 36, width, 28));
    _caption->setObjectName(QStringLiteral("addressCaption"));
    _address = addLabel(page, text, fittingFont(text, telephone ? 64 : 30, width), darkRed,
                        QRect(margin, 76, width, 80));
    _address->setObjectName(QStringLiteral("address"));
    _address->setAlignment(Qt::AlignCenter);
    if (QFontMetrics(_address->font()).horizontalAdvance(text) > width) {
        // Too long for one line even small: wrapped anywhere, as an address has no spaces.
        _address->setNumberOfLines(3);
        _address->setLineBreakMode(kit::LineBreakMode::CharacterWrap);
    }
    _address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    _address->setAccessibleName(text);
    auto* hint =
        addLabel(page,
                 telephone ? QStringLiteral("На этом компьютере нет программы для "
                                            "звонков: наберите номер на телефоне.")
                           : QStringLiteral("На этом компьютере нет почтовой "
                                            "программы: напишите на этот адрес из "
                                            "своей почты."),
                 kit::systemFont(15), QColor(0x66, 0x66, 0x66), QRect(margin, 170, width, 60), 0);
    hint->setObjectName(QStringLiteral("addressHint"));

    const QString copyTitle =
        telephone ? QStringLiteral("Скопировать номер") : QStringLiteral("Скопировать адрес");
    _copy = new kit::TitledButton(copyTitle, copyLook, page);
    _copy->setObjectName(QStringLiteral("copyButton"));
    _copy->setAccessibleName(copyTitle);
    _copy->setFont(kit::boldSystemFont(17));
    kit::setFrame(_copy, QRect((area.width() - 240) / 2, 248, 240, 46));
    _copy->addTarget(
        this, [this] { copy(); }, kit::ControlEvent::TouchUpInside);
    _copied = addLabel(page, QStringLiteral("Скопировано"), kit::systemFont(15),
                       QColor(0x2e, 0x7d, 0x32), QRect(margin, 306, width, 22));
    _copied->setObjectName(QStringLiteral("copied"));
    _copied->hide();

    auto content = std::make_unique<kit::ViewController>();
    content->setTitle(title());
    content->setView(page);
    auto* doneItem = new kit::BarButtonItem(QStringLiteral("Готово"),
                                            kit::BarButtonItem::Style::Done, [this] { done(); });
    doneItem->setParent(content.get());
    content->navigationItem().setRightBarButtonItem(doneItem);
    _stack = std::make_unique<kit::NavigationController>(std::move(content));
    kit::setFrame(_stack->view(), area);
    kit::addSubview(view, _stack->view());
    addChildViewController(_stack.get());
    setView(view);
}

void AddressScreen::copy()
{
    QGuiApplication::clipboard()->setText(shownText(_url));
    if (_copied)
        _copied->show();
}

void AddressScreen::done()
{
    dismissModalViewControllerAnimated(true);
}

} // namespace viewer
