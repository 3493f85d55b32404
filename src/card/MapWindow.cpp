#include "MapWindow.h"

#include "CardStore.h"
#include "ChangeBlood.h"
#include "ChangeDate.h"
#include "ChangeImage.h"
#include "ChangeInfo.h"
#include "ChangeWeight.h"
#include "PersonalRecord.h"
#include "kit/controllers/NavigationController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/UserDefaults.h"
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

const char* const placeholders[] = {"Домашний адрес", "Дата рождения", "Вес/рост",
                                    "Группа крови",   "Заболевания",   "Заметки"};

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

// Whether the row's field is stored; the weight and height row counts either value.
bool rowIsFilled(record::Field row)
{
    return record::storedText(row).has_value();
}

// The text a row shows: the stored value, or the field's name when nothing is stored.
QString rowText(record::Field row)
{
    if (const std::optional<QString> stored = record::storedText(row))
        return record::shownPart(*stored);
    return QString::fromUtf8(placeholders[row]);
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

kit::TableViewCell* MapWindow::cellForRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    if (indexPath.row < 0 || indexPath.row >= int(_cells.size()))
        return nullptr;
    const auto row = record::Field(indexPath.row);
    kit::Owned<kit::TableViewCell>& cell = _cells[size_t(row)];
    if (!cell.get()) {
        cell.reset(new kit::TableViewCell());
        cell->setObjectName(QStringLiteral("Cell"));
        cell->setEditingAccessoryType(kit::TableViewCellAccessoryType::DisclosureIndicator);
    }
    const bool filled = rowIsFilled(row);
    const QString text = rowText(row);
    cell->textLabel()->setText(text);
    // A field's name stands in grey where its value would be.
    cell->textLabel()->setTextColor(filled ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
    cell->setAccessibleName(text);
    return cell.get();
}

kit::TableViewCellEditingStyle MapWindow::editingStyleForRowAtIndexPath(kit::TableView&,
                                                                        kit::IndexPath indexPath)
{
    return rowIsFilled(record::Field(indexPath.row)) ? kit::TableViewCellEditingStyle::Delete
                                                     : kit::TableViewCellEditingStyle::Insert;
}

void MapWindow::commitEditingStyle(kit::TableView& tableView, kit::TableViewCellEditingStyle style,
                                   kit::IndexPath indexPath)
{
    const auto field = record::Field(indexPath.row);
    if (style == kit::TableViewCellEditingStyle::Insert) {
        doAction(field);
    } else {
        for (const QString& key : record::keysForField(field))
            kit::UserDefaults::standardUserDefaults().removeObjectForKey(key);
    }
    record::synchronizeCard();
    tableView.reloadData();
}

void MapWindow::didSelectRowAtIndexPath(kit::TableView&, kit::IndexPath indexPath)
{
    doAction(record::Field(indexPath.row));
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
