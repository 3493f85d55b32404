// SPDX-License-Identifier: GPL-3.0-or-later
#include "CardScreen.h"

#include "ChangeBlood.h"
#include "ChangeDate.h"
#include "ChangeImage.h"
#include "ChangeInfo.h"
#include "ChangeWeight.h"
#include "ContactList.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/Translations.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "kit/platform/Printer.h"
#include "kit/views/Font.h"
#include "kit/views/Image.h"
#include "kit/views/Label.h"
#include "kit/views/View.h"
#include "record/CardStore.h"
#include "record/PersonalRecord.h"
#include "record/WalletCard.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <memory>
#include <optional>

namespace card {
namespace {

constexpr int headerHeight = 80;

// The rows of each section, in their order.
const std::vector<record::Field>& rowsOfSection(int section)
{
    static const std::vector<record::Field> cardRows =
        record::fieldsAt(record::CardPlace::CardRows);
    static const std::vector<record::Field> emergencyRows =
        record::fieldsAt(record::CardPlace::EmergencyRows);
    return section == CardScreen::cardSection ? cardRows : emergencyRows;
}

// A rounded white box like the rows', for the header's buttons: plain, and blue while pressed.
QImage box(QSize size, bool pressed)
{
    // Drawn at the screen's density, so the boxes stay sharp on a high-resolution screen.
    const qreal ratio = qApp->devicePixelRatio();
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(frame, 8, 8);
    if (pressed) {
        QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
        fill.setColorAt(0, QColor(0x05, 0x8c, 0xf5));
        fill.setColorAt(1, QColor(0x01, 0x5e, 0xe6));
        painter.fillPath(path, fill);
    } else {
        painter.fillPath(path, Qt::white);
    }
    painter.setPen(QPen(QColor(0xa7, 0xab, 0xb0), 1));
    painter.drawPath(path);
    return image;
}

} // namespace

CardScreen::CardScreen()
{
    setTitle(QStringLiteral("Карта"));
}

CardScreen::~CardScreen() = default;

std::optional<kit::IndexPath> CardScreen::indexPathOf(record::Field field)
{
    for (const int section : {cardSection, emergencySection}) {
        const std::vector<record::Field>& rows = rowsOfSection(section);
        const auto found = std::find(rows.begin(), rows.end(), field);
        if (found != rows.end())
            return kit::IndexPath{section, int(found - rows.begin())};
    }
    return std::nullopt;
}

std::optional<record::Field> CardScreen::fieldAt(kit::IndexPath indexPath)
{
    if (indexPath.section != cardSection && indexPath.section != emergencySection)
        return std::nullopt;
    const std::vector<record::Field>& rows = rowsOfSection(indexPath.section);
    if (indexPath.row < 0 || indexPath.row >= int(rows.size()))
        return std::nullopt;
    return rows[size_t(indexPath.row)];
}

void CardScreen::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("cardScreenView"));
    view->resize(kit::Window::applicationFrame().size());

    _tableView = new kit::TableView(view, kit::TableViewStyle::Grouped);
    _tableView->setGeometry(view->rect());
    kit::setAutoresizingMask(_tableView,
                             kit::Autoresizing::FlexibleWidth | kit::Autoresizing::FlexibleHeight);
    _tableView->setAccessibleName(QStringLiteral("Медицинская карта"));
    _tableView->setDataSource(this);
    _tableView->setDelegate(this);

    auto* header = new QWidget();
    header->setObjectName(QStringLiteral("cardHeader"));
    header->resize(kit::Window::width, headerHeight);

    _imageButton = new kit::Button(header);
    _imageButton->setObjectName(QStringLiteral("imageButton"));
    _imageButton->setAccessibleName(record::fieldInfo(record::Photo).caption);
    _imageButton->setGeometry(10, 10, 70, 70);
    _imageButton->setBackgroundImage(box(_imageButton->size(), false));
    _imageButton->setBackgroundImage(box(_imageButton->size(), true),
                                     kit::Button::State::Highlighted);
    _imageButton->setImage(kit::imageNamed(QStringLiteral("noPhoto.png")));
    _imageButton->addTarget(
        this, [this] { openEditor(record::Photo); }, kit::ControlEvent::TouchUpInside);

    _nameButton = new kit::Button(header);
    _nameButton->setObjectName(QStringLiteral("nameButton"));
    const QString nameCaption = record::fieldInfo(record::Name).caption;
    _nameButton->setAccessibleName(nameCaption);
    _nameButton->setGeometry(90, 23, 220, 44);
    _nameButton->setFont(kit::boldSystemFont(17));
    _nameButton->setTitleColor(QColor(0x22, 0x22, 0x22));
    _nameButton->setTitle(nameCaption);
    _nameButton->setBackgroundImage(box(_nameButton->size(), false));
    _nameButton->setBackgroundImage(box(_nameButton->size(), true),
                                    kit::Button::State::Highlighted);
    _nameButton->addTarget(
        this, [this] { openEditor(record::Name); }, kit::ControlEvent::TouchUpInside);

    _tableView->setTableHeaderView(header);
    setView(view);
}

void CardScreen::viewDidLoad()
{
    _tableView->setEditing(true, false);
    _tableView->setAllowsSelectionDuringEditing(true);
    navigationItem().setTitle(QStringLiteral("Карта"));
    _printButton = new kit::BarButtonItem(
        QStringLiteral("Печать"), kit::BarButtonItem::Style::Bordered, [this] { print(); }, this);
    _printButton->setObjectName(QStringLiteral("printButton"));
    _printButton->setAccessibleName(QStringLiteral("Печать карты для кошелька"));
    navigationItem().setRightBarButtonItem(_printButton);
}

void CardScreen::viewDidAppear(bool animated)
{
    kit::ViewController::viewDidAppear(animated);
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    // What another copy of the application saved meanwhile shows too.
    defaults.refresh();
    _tableView->reloadData();
    // What is stored, or what stands for nothing stored (a photo deleted, another copy's change).
    const std::optional<QString> name = defaults.stringForKey(record::OWN_NAME);
    _nameButton->setTitle(name ? record::shownPart(*name)
                               : record::fieldInfo(record::Name).caption);
    const QVariant stored = defaults.objectForKey(record::OWN_IMAGE);
    const QImage photo = record::decodePhoto(stored.toByteArray());
    // Data that do not decode leave the button as it was.
    if (!photo.isNull())
        _imageButton->setImage(photo);
    else if (stored.isNull())
        _imageButton->setImage(kit::imageNamed(QStringLiteral("noPhoto.png")));
}

int CardScreen::numberOfRowsInSection(kit::TableView&, int section)
{
    return int(rowsOfSection(section).size());
}

QString CardScreen::titleForHeaderInSection(kit::TableView&, int section)
{
    return section == emergencySection ? QStringLiteral("Для экстренных служб") : QString();
}

kit::TableViewCell* CardScreen::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    const std::optional<record::Field> field = fieldAt(indexPath);
    if (!field)
        return nullptr;
    kit::Owned<kit::TableViewCell>& cell = _cells[size_t(*field)];
    if (!cell.get()) {
        cell.reset(new kit::TableViewCell());
        cell->setObjectName(QStringLiteral("Cell"));
        cell->setEditingAccessoryType(kit::TableViewCellAccessoryType::DisclosureIndicator);
    }
    const std::optional<QString> stored = record::storedText(*field);
    const QString text = stored ? record::shownPart(*stored) : record::fieldInfo(*field).caption;
    cell->textLabel()->setText(text);
    // A field's name stands in grey where its value would be.
    cell->textLabel()->setTextColor(stored ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    cell->setAccessibleName(text);
    return cell.get();
}

kit::TableViewCellEditingStyle CardScreen::editingStyleForRowAtIndexPath(kit::TableView&,
                                                                         kit::IndexPath indexPath)
{
    const std::optional<record::Field> field = fieldAt(indexPath);
    return field && record::storedText(*field) ? kit::TableViewCellEditingStyle::Delete
                                               : kit::TableViewCellEditingStyle::Insert;
}

void CardScreen::commitEditingStyle(kit::TableView& tableView, kit::TableViewCellEditingStyle style,
                                    kit::IndexPath indexPath)
{
    const std::optional<record::Field> row = fieldAt(indexPath);
    if (!row)
        return;
    const record::Field field = *row;
    if (style == kit::TableViewCellEditingStyle::Insert)
        openEditor(field);
    else
        record::removeStoredField(field);
    record::synchronizeCard();
    tableView.reloadData();
}

void CardScreen::didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    if (const std::optional<record::Field> field = fieldAt(indexPath))
        openEditor(*field);
}

void CardScreen::print()
{
    record::WalletCard card = record::storedWalletCard();
    if (!card.isEmpty()) {
        printCard(std::move(card));
        return;
    }
    // An empty card would print a blank form: said first.
    auto* alert = new kit::AlertView(
        QStringLiteral("Карта пуста"),
        QStringLiteral("В карте ещё ничего нет: напечатается пустой бланк. Заполните карту "
                       "или напечатайте бланк, чтобы заполнить его ручкой."),
        {QStringLiteral("Напечатать"), QStringLiteral("Отмена")});
    alert->setObjectName(QStringLiteral("emptyCardAlert"));
    const QPointer<CardScreen> self(this);
    alert->setAnswer([self, card = std::move(card)](int button) mutable {
        if (button == 0 && self)
            self->printCard(std::move(card));
    });
    alert->show();
}

void CardScreen::printCard(record::WalletCard card)
{
    const auto paint = [card = std::move(card)](QPainter& painter, QPagedPaintDevice& device) {
        record::paintWalletSheet(painter, device, card);
    };
    const auto finished = [](const kit::PrintOutcome& outcome) {
        if (outcome.result != kit::PrintOutcome::Failed)
            return;
        const QString where = outcome.file.isEmpty()
                                  ? QStringLiteral("Принтер не принял карту")
                                  : QStringLiteral("Файл %1 не записан").arg(outcome.file);
        auto* alert = new kit::AlertView(QStringLiteral("Карта не напечатана"),
                                         QStringLiteral("%1 (%2). Попробуйте ещё раз или "
                                                        "выберите другой принтер.")
                                             .arg(where, outcome.error),
                                         QStringLiteral("OK"));
        alert->show();
    };
    kit::loadStandardDialogTranslation();
    if (kit::Printer::print(view(), QStringLiteral("Медицинская карта"), paint, finished))
        return;
    auto* alert = new kit::AlertView(
        QStringLiteral("Печать недоступна"),
        QStringLiteral("Модуль печати приложения не найден. Карту для кошелька можно "
                       "сохранить в PDF командой firstaid --export-card ФАЙЛ.pdf."),
        QStringLiteral("OK"));
    alert->show();
}

void CardScreen::openEditor(record::Field field)
{
    kit::NavigationController* stack = navigationController();
    if (!stack)
        return;
    std::unique_ptr<kit::ViewController> editor;
    switch (record::fieldInfo(field).editor) {
    case record::Editor::Text:
        editor = std::make_unique<ChangeInfo>(field);
        break;
    case record::Editor::Birthday:
        editor = std::make_unique<ChangeDate>();
        break;
    case record::Editor::WeightAndHeight:
        editor = std::make_unique<ChangeWeight>();
        break;
    case record::Editor::BloodGroup:
        editor = std::make_unique<ChangeBlood>();
        break;
    case record::Editor::Photo:
        editor = std::make_unique<ChangeImage>();
        break;
    case record::Editor::Contacts:
        editor = std::make_unique<ContactList>();
        break;
    }
    stack->pushViewController(std::move(editor), true);
}

} // namespace card
