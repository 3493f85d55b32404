// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/ViewController.h"
#include "kit/foundation/Owned.h"
#include "kit/pickers/ActionSheet.h"
#include "kit/pickers/ImagePickerController.h"

#include <QPointer>

#include <memory>

namespace card {

// The photo picker: asks for the source in a sheet over the tab bar, then shows the
// camera or the photo library; the picked picture is stored as the card's photo,
// a thumbnail whose longer side is 66. A cancel at either step stores nothing.
class ChangeImage final : public kit::ViewController,
                          public kit::ActionSheetDelegate,
                          public kit::ImagePickerControllerDelegate {
    Q_OBJECT

public:
    ChangeImage();
    ~ChangeImage() override;

    kit::ActionSheet* actionSheet() const { return _actionSheet.get(); }

    void clickedButtonAtIndex(kit::ActionSheet& actionSheet, int buttonIndex) override;
    void didFinishPickingImage(kit::ImagePickerController& picker, const QImage& image,
                               const QVariantMap& editingInfo) override;
    void imagePickerControllerDidCancel(kit::ImagePickerController& picker) override;
    void didFailToReadImage(kit::ImagePickerController& picker, const QString& path) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    // Asks once, then removes the photo.
    void deletePhoto();
    void presentPicker();
    void finish();

    // Held here until it is presented; the presentation owns it from then on.
    std::unique_ptr<kit::ImagePickerController> _pickerToPresent;
    QPointer<kit::ImagePickerController> _imagePicker;
    kit::Owned<kit::ActionSheet> _actionSheet;
    // The sheet's "Удалить фото", where a photo is set.
    int _deleteButton = -1;
};

} // namespace card
