// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeImage.h"

#include "kit/controllers/NavigationController.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/pickers/AlertView.h"
#include "record/CardStore.h"
#include "record/PersonalRecord.h"

#include <QFileInfo>
#include <QPointer>

namespace card {
namespace {

// The sheet's buttons: the camera, the pictures, "Удалить фото" where a photo is set, Отмена.
enum SheetButton { CameraButton = 0, LibraryButton = 1, DeleteButton = 2 };

} // namespace

ChangeImage::ChangeImage() : _pickerToPresent(std::make_unique<kit::ImagePickerController>())
{
    setTitle(record::fieldInfo(record::Photo).editorTitle);
    _imagePicker = _pickerToPresent.get();
    _imagePicker->setDelegate(this);
}

ChangeImage::~ChangeImage() = default;

void ChangeImage::loadView()
{
    // Nothing of its own to show while the sheet and the picker are up.
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("changeImageView"));
    view->resize(kit::Window::applicationFrame().size());
    view->setAutoFillBackground(true);
    view->setPalette(QPalette(QColor(0xc5, 0xcc, 0xd4)));
    setView(view);
}

void ChangeImage::viewDidLoad()
{
    // A photo that is set can be taken away too.
    QStringList others{QStringLiteral("Библиотека")};
    if (!kit::UserDefaults::standardUserDefaults().objectForKey(record::OWN_IMAGE).isNull()) {
        others << QStringLiteral("Удалить фото");
        _deleteButton = DeleteButton;
    }
    _actionSheet.reset(new kit::ActionSheet(QStringLiteral("Выберите источник"), this,
                                            QStringLiteral("Отмена"), QStringLiteral("Камера"),
                                            others));
    _actionSheet->setObjectName(QStringLiteral("sourceSheet"));
    // Where no camera exists its button stays, greyed, so the sheet reads the same everywhere.
    if (!kit::ImagePickerController::isSourceTypeAvailable(kit::ImagePickerSourceType::Camera))
        _actionSheet->setButtonEnabled(CameraButton, false);
    if (kit::TabBarController* tabs = tabBarController())
        _actionSheet->showFromTabBar(tabs->tabBar());
    else
        _actionSheet->showInView(view());
}

void ChangeImage::clickedButtonAtIndex(kit::ActionSheet& actionSheet, int buttonIndex)
{
    if (buttonIndex == actionSheet.cancelButtonIndex()) {
        if (kit::NavigationController* stack = navigationController())
            stack->popViewControllerAnimated(true);
        return;
    }
    if (buttonIndex == _deleteButton) {
        deletePhoto();
        return;
    }
    switch (buttonIndex) {
    case CameraButton:
        if (_imagePicker)
            _imagePicker->setSourceType(kit::ImagePickerSourceType::Camera);
        presentPicker();
        break;
    case LibraryButton:
        if (_imagePicker)
            _imagePicker->setSourceType(kit::ImagePickerSourceType::PhotoLibrary);
        presentPicker();
        break;
    default:
        presentPicker();
    }
}

void ChangeImage::deletePhoto()
{
    auto* alert = new kit::AlertView(QStringLiteral("Удалить фото?"),
                                     QStringLiteral("Фотография уйдёт из карты и с экстренной "
                                                    "карты."),
                                     {QStringLiteral("Удалить"), QStringLiteral("Отмена")});
    const QPointer<ChangeImage> self(this);
    alert->setAnswer([self](int button) {
        if (button == 0) {
            record::removeStoredField(record::Photo);
            record::synchronizeCard();
        }
        if (self)
            if (kit::NavigationController* stack = self->navigationController())
                stack->popViewControllerAnimated(true);
    });
    alert->show();
}

void ChangeImage::presentPicker()
{
    if (_pickerToPresent)
        presentModalViewController(std::move(_pickerToPresent), true);
}

void ChangeImage::didFinishPickingImage(kit::ImagePickerController&, const QImage& image,
                                        const QVariantMap&)
{
    // A picture that gives no thumbnail leaves the earlier photo as it was.
    if (record::storePhoto(image))
        record::synchronizeCard();
    finish();
}

void ChangeImage::imagePickerControllerDidCancel(kit::ImagePickerController&)
{
    finish();
}

void ChangeImage::didFailToReadImage(kit::ImagePickerController&, const QString& path)
{
    finish();
    // Said once the picker has gone; the earlier photo stays.
    auto* alert = new kit::AlertView(
        QStringLiteral("Фото не выбрано"),
        QStringLiteral("Файл «%1» не открылся как изображение: это не картинка, она повреждена "
                       "или слишком велика. Прежнее фото осталось.")
            .arg(QFileInfo(path).fileName()),
        QStringLiteral("OK"));
    alert->show();
}

void ChangeImage::finish()
{
    dismissModalViewControllerAnimated(false);
    if (kit::NavigationController* stack = navigationController())
        stack->popViewControllerAnimated(true);
}

} // namespace card
