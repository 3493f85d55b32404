// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeImage.h"

#include "kit/controllers/NavigationController.h"
#include "kit/controllers/TabBarController.h"
#include "kit/controllers/Window.h"
#include "kit/foundation/UserDefaults.h"
#include "record/CardStore.h"
#include "record/PersonalRecord.h"

namespace card {
namespace {

enum SheetButton { CameraButton = 0, LibraryButton = 1, CancelButton = 2 };

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
    _actionSheet.reset(new kit::ActionSheet(QStringLiteral("Выберите источник"), this,
                                            QStringLiteral("Отмена"), QStringLiteral("Камера"),
                                            {QStringLiteral("Библиотека")}));
    _actionSheet->setObjectName(QStringLiteral("sourceSheet"));
    // Where no camera exists its button stays, greyed, so the sheet reads the same everywhere.
    if (!kit::ImagePickerController::isSourceTypeAvailable(kit::ImagePickerSourceType::Camera))
        _actionSheet->setButtonEnabled(CameraButton, false);
    if (kit::TabBarController* tabs = tabBarController())
        _actionSheet->showFromTabBar(tabs->tabBar());
    else
        _actionSheet->showInView(view());
}

void ChangeImage::clickedButtonAtIndex(kit::ActionSheet&, int buttonIndex)
{
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
    case CancelButton:
        if (kit::NavigationController* stack = navigationController())
            stack->popViewControllerAnimated(true);
        break;
    default:
        presentPicker();
    }
}

void ChangeImage::presentPicker()
{
    if (_pickerToPresent)
        presentModalViewController(std::move(_pickerToPresent), true);
}

void ChangeImage::didFinishPickingImage(kit::ImagePickerController&, const QImage& image,
                                        const QVariantMap&)
{
    const QByteArray photo = record::photoThumbnail(image);
    // A picture that gives no thumbnail leaves the earlier photo as it was.
    if (!photo.isEmpty()) {
        kit::UserDefaults::standardUserDefaults().setObject(photo, record::OWN_IMAGE);
        record::synchronizeCard();
    }
    finish();
}

void ChangeImage::imagePickerControllerDidCancel(kit::ImagePickerController&)
{
    finish();
}

void ChangeImage::finish()
{
    dismissModalViewControllerAnimated(false);
    if (kit::NavigationController* stack = navigationController())
        stack->popViewControllerAnimated(true);
}

} // namespace card
