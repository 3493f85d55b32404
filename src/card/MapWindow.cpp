#include "MapWindow.h"

#include "CardStore.h"
#include "ChangeBlood.h"
#include "ChangeDate.h"
#include "ChangeImage.h"
#include "ChangeInfo.h"
#include "ChangeWeight.h"
#include "ContactList.h"
#include "PersonalRecord.h"
#include "WalletCard.h"
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

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <memory>
#include <optional>

namespace {

constexpr int headerHeight = 80;

const char* const fieldNames[] = {"Домашний адрес", "Дата рождения", "Вес/рост",
                                  "Группа крови",   "Заболевания",   "Заметки"};
const char* const emergencyFieldNames[] = {"Аллергии", "Лекарства", "Экстренные контакты"};

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

// The field a row shows; none for the row of the people to call.
std::optional<record::Field> fieldOfRow(kit::IndexPath indexPath)
{
    if (indexPath.section == MapWindow::cardSection)
        return record::Field(indexPath.row);
    if (indexPath.row == MapWindow::AllergyRow)
        return record::Allergy;
    if (indexPath.row == MapWindow::MedicineRow)
        return record::Medicine;
    return std::nullopt;
}

// What a row shows: the stored value (the people to call by name), or none.
std::optional<QString> storedRowText(kit::IndexPath indexPath)
{
    if (const std::optional<record::Field> field = fieldOfRow(indexPath))
        return record::storedText(*field);
    QStringList titles;
    for (const record::Contact& contact : record::storedContacts())
        titles << record::contactTitle(contact);
    if (titles.isEmpty())
        return std::nullopt;
    return titles.join(QStringLiteral(", "));
}

// The field's name, shown in grey while nothing is stored.
QString fieldName(kit::IndexPath indexPath)
{
    return QString::fromUtf8(indexPath.section == MapWindow::cardSection
                                 ? fieldNames[indexPath.row]
                                 : emergencyFieldNames[indexPath.row]);
}

} // namespace

MapWindow::MapWindow()
{
    setTitle(QStringLiteral("Карта"));
}

MapWindow::~MapWindow() = default;

void MapWindow::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("mapWindowView"));
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
    header->resize(320, headerHeight);

    _imageButton = new kit::Button(header);
    _imageButton->setObjectName(QStringLiteral("imageButton"));
    _imageButton->setAccessibleName(QStringLiteral("Фотография"));
    _imageButton->setGeometry(10, 10, 70, 70);
    _imageButton->setBackgroundImage(box(_imageButton->size(), false));
    _imageButton->setBackgroundImage(box(_imageButton->size(), true),
                                     kit::Button::State::Highlighted);
    _imageButton->setImage(kit::imageNamed(QStringLiteral("noPhoto.png")));
    _imageButton->addTarget(
        this, [this] { changeImage(); }, kit::ControlEvent::TouchUpInside);

    _nameButton = new kit::Button(header);
    _nameButton->setObjectName(QStringLiteral("nameButton"));
    _nameButton->setAccessibleName(QStringLiteral("Имя Фамилия"));
    _nameButton->setGeometry(90, 23, 220, 44);
    _nameButton->setFont(kit::boldSystemFont(17));
    _nameButton->setTitleColor(QColor(0x22, 0x22, 0x22));
    _nameButton->setTitle(QStringLiteral("Имя Фамилия"));
    _nameButton->setBackgroundImage(box(_nameButton->size(), false));
    _nameButton->setBackgroundImage(box(_nameButton->size(), true),
                                    kit::Button::State::Highlighted);
    _nameButton->addTarget(
        this, [this] { changeName(); }, kit::ControlEvent::TouchUpInside);

    _tableView->setTableHeaderView(header);
    setView(view);
}

void MapWindow::viewDidLoad()
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

void MapWindow::viewDidAppear(bool animated)
{
    kit::ViewController::viewDidAppear(animated);
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    // What another copy of the application saved meanwhile shows too.
    defaults.refresh();
    _tableView->reloadData();
    if (const std::optional<QString> name = defaults.stringForKey(record::OWN_NAME))
        _nameButton->setTitle(record::shownPart(*name));
    const QImage photo =
        record::decodePhoto(defaults.objectForKey(record::OWN_IMAGE).toByteArray());
    if (!photo.isNull())
        _imageButton->setImage(photo);
}

QString MapWindow::titleForHeaderInSection(kit::TableView&, int section)
{
    return section == emergencySection ? QStringLiteral("Для экстренных служб") : QString();
}

kit::TableViewCell* MapWindow::cellForRowAtIndexPath(kit::TableView& tableView,
                                                     kit::IndexPath indexPath)
{
    if (indexPath.section < 0 || indexPath.section > emergencySection || indexPath.row < 0 ||
        indexPath.row >= numberOfRowsInSection(tableView, indexPath.section))
        return nullptr;
    kit::Owned<kit::TableViewCell>& cell =
        _cells[size_t(indexPath.section * cardRows + indexPath.row)];
    if (!cell.get()) {
        cell.reset(new kit::TableViewCell());
        cell->setObjectName(QStringLiteral("Cell"));
        cell->setEditingAccessoryType(kit::TableViewCellAccessoryType::DisclosureIndicator);
    }
    const std::optional<QString> stored = storedRowText(indexPath);
    const QString text = stored ? record::shownPart(*stored) : fieldName(indexPath);
    cell->textLabel()->setText(text);
    // A field's name stands in grey where its value would be.
    cell->textLabel()->setTextColor(stored ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    cell->setAccessibleName(text);
    return cell.get();
}

kit::TableViewCellEditingStyle MapWindow::editingStyleForRowAtIndexPath(kit::TableView&,
                                                                        kit::IndexPath indexPath)
{
    return storedRowText(indexPath) ? kit::TableViewCellEditingStyle::Delete
                                    : kit::TableViewCellEditingStyle::Insert;
}

void MapWindow::commitEditingStyle(kit::TableView& tableView, kit::TableViewCellEditingStyle style,
                                   kit::IndexPath indexPath)
{
    if (style == kit::TableViewCellEditingStyle::Insert) {
        openRow(indexPath);
    } else {
        const std::optional<record::Field> field = fieldOfRow(indexPath);
        for (const QString& key : field ? record::keysForField(*field) : record::contactKeys())
            kit::UserDefaults::standardUserDefaults().removeObjectForKey(key);
    }
    record::synchronizeCard();
    tableView.reloadData();
}

void MapWindow::didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    openRow(indexPath);
}

void MapWindow::openRow(kit::IndexPath indexPath)
{
    if (const std::optional<record::Field> field = fieldOfRow(indexPath))
        doAction(*field);
    else
        openContacts();
}

void MapWindow::openContacts()
{
    if (kit::NavigationController* stack = navigationController())
        stack->pushViewController(std::make_unique<ContactList>(), true);
}

void MapWindow::print()
{
    const auto paint = [card = wallet::storedCard()](QPainter& painter, QPagedPaintDevice& device) {
        wallet::paintSheet(painter, device, card);
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

void MapWindow::changeImage()
{
    if (kit::NavigationController* stack = navigationController())
        stack->pushViewController(std::make_unique<ChangeImage>(), true);
}

void MapWindow::changeName()
{
    doAction(record::Name);
}

void MapWindow::doAction(record::Field field)
{
    kit::NavigationController* stack = navigationController();
    if (!stack)
        return;
    std::unique_ptr<kit::ViewController> editor;
    switch (field) {
    case record::Birthday:
        editor = std::make_unique<ChangeDate>();
        break;
    case record::WeightAndHeight:
        editor = std::make_unique<ChangeWeight>();
        break;
    case record::Blood:
        editor = std::make_unique<ChangeBlood>();
        break;
    default: {
        auto info = std::make_unique<ChangeInfo>();
        info->setType(field);
        editor = std::move(info);
    }
    }
    stack->pushViewController(std::move(editor), true);
}
