// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kit/controllers/ViewController.h"

#include <QImage>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

namespace kit {

class CameraSession;
class ImagePickerController;
class Label;
class PickerButton;

enum class ImagePickerSourceType { PhotoLibrary, Camera, SavedPhotosAlbum };

class ImagePickerControllerDelegate {
public:
    virtual ~ImagePickerControllerDelegate() = default;
    // The picker does not go by itself: the delegate dismisses it, in either call.
    virtual void didFinishPickingImage(ImagePickerController& picker, const QImage& image,
                                       const QVariantMap& editingInfo) = 0;
    virtual void imagePickerControllerDidCancel(ImagePickerController& picker) = 0;
    // A file was chosen that cannot be read as a picture (not one, or far too large).
    virtual void didFailToReadImage(ImagePickerController& picker, const QString& path)
    {
        Q_UNUSED(path);
        imagePickerControllerDidCancel(picker);
    }
};

// A photo from the user's pictures (a file dialog) or from the camera, presented
// modally over the whole window. The photo library opens its dialog once the
// picker has appeared; a file that cannot be read as a picture is reported as such.
// The camera shows its live picture with "Снять" and "Отмена" below it.
class ImagePickerController final : public ViewController {
    Q_OBJECT

public:
    // Chooses a file: its path, or nothing when cancelled.
    using FileChooser =
        std::function<std::optional<QString>(QWidget* parent, const QString& nameFilter)>;

    ImagePickerController();
    ~ImagePickerController() override;

    // Set before the picker is presented.
    void setSourceType(ImagePickerSourceType sourceType) { _sourceType = sourceType; }
    ImagePickerControllerDelegate* delegate() const { return _delegate; }
    void setDelegate(ImagePickerControllerDelegate* delegate) { _delegate = delegate; }

    // The camera only when there is one; the pictures always.
    static bool isSourceTypeAvailable(ImagePickerSourceType sourceType);
    // For tests: a chooser instead of the file dialog; an empty one goes back to the dialog.
    static void setFileChooser(FileChooser chooser);

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    bool usesCamera() const { return _sourceType == ImagePickerSourceType::Camera; }
    void chooseFromLibrary();
    void startCamera();
    void cameraFailed();
    void captured(const QImage& image);
    void cancel();

    ImagePickerSourceType _sourceType = ImagePickerSourceType::PhotoLibrary;
    ImagePickerControllerDelegate* _delegate = nullptr;
    bool _libraryAsked = false;
    bool _cameraFailed = false;
    // Goes before the view (the base's) that holds its viewfinder.
    std::unique_ptr<CameraSession> _session;
    QWidget* _viewfinderArea = nullptr;
    Label* _unavailable = nullptr;
    PickerButton* _capture = nullptr;
    PickerButton* _cancel = nullptr;
};

} // namespace kit
