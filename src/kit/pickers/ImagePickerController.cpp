// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagePickerController.h"

#include "kit/controllers/Window.h"
#include "kit/foundation/Translations.h"
#include "kit/platform/Camera.h"
#include "kit/views/ColorView.h"
#include "kit/views/Control.h"
#include "kit/views/Font.h"
#include "kit/views/ImageReading.h"
#include "kit/views/Label.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace kit {
namespace {

constexpr int barHeight = 64;
constexpr int longestSide = 2048;

ImagePickerController::FileChooser& replacementChooser()
{
    static ImagePickerController::FileChooser chooser;
    return chooser;
}

std::optional<QString> chooseWithDialog(QWidget* parent, const QString& nameFilter)
{
    QString start = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    loadStandardDialogTranslation();
    const QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("Выберите фотографию"),
                                                      start, nameFilter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

// Every format this Qt reads; upper case too, as cameras name their files "IMG_0001.JPG"
// and the dialog matches case on this system.
QString nameFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        patterns << QStringLiteral("*.") + suffix << QStringLiteral("*.") + suffix.toUpper();
    }
    patterns.removeDuplicates();
    return QStringLiteral("Изображения (%1)").arg(patterns.join(QLatin1Char(' ')));
}

void fillWith(QWidget* view, const QColor& color)
{
    view->setAutoFillBackground(true);
    QPalette ground = view->palette();
    ground.setColor(QPalette::Window, color);
    view->setPalette(ground);
}

} // namespace

// A rounded button of the camera's bar, darker while pressed.
class PickerButton final : public Control {
public:
    PickerButton(const QString& title, QColor top, QColor bottom, QColor titleColor,
                 QWidget* parent)
        : Control(parent), _title(title), _top(top), _bottom(bottom), _titleColor(titleColor)
    {
        setAccessibleName(title);
        setFont(boldSystemFont(15));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (!isEnabled())
            painter.setOpacity(0.45);
        const int darker = isHighlighted() ? 140 : 100;
        QLinearGradient fill(0, 0, 0, height());
        fill.setColorAt(0, _top.darker(darker));
        fill.setColorAt(1, _bottom.darker(darker));
        painter.setPen(QPen(QColor(0x0c, 0x0d, 0x10), 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        const QRectF box = QRectF(rect()).adjusted(6, 0, -6, 0);
        painter.setPen(_titleColor);
        painter.drawText(box, Qt::AlignCenter,
                         QFontMetricsF(font()).elidedText(_title, Qt::ElideRight, box.width()));
    }

private:
    QString _title;
    QColor _top;
    QColor _bottom;
    QColor _titleColor;
};

ImagePickerController::ImagePickerController() = default;

ImagePickerController::~ImagePickerController() = default;

bool ImagePickerController::isSourceTypeAvailable(ImagePickerSourceType sourceType)
{
    return sourceType != ImagePickerSourceType::Camera || Camera::isCameraAvailable();
}

void ImagePickerController::setFileChooser(FileChooser chooser)
{
    replacementChooser() = std::move(chooser);
}

void ImagePickerController::loadView()
{
    auto* view = new QWidget();
    view->setObjectName(QStringLiteral("imagePickerView"));
    view->setAccessibleName(QStringLiteral("Выбор фотографии"));
    view->resize(Window::width, Window::height);
    setView(view);
}

void ImagePickerController::viewDidLoad()
{
    QWidget* root = view();
    if (!usesCamera()) {
        // Only seen behind the file dialog.
        fillWith(root, QColor(0x2c, 0x2c, 0x2e));
        auto* title = new Label(root);
        title->setObjectName(QStringLiteral("imagePickerTitle"));
        title->setFont(boldSystemFont(20));
        title->setTextColor(Qt::white);
        title->setAlignment(Qt::AlignCenter);
        title->setText(QStringLiteral("Фотографии"));
        title->setGeometry(0, Window::statusStripHeight, root->width(), 44);
        return;
    }

    fillWith(root, Qt::black);
    _viewfinderArea = new QWidget(root);
    _viewfinderArea->setObjectName(QStringLiteral("viewfinderArea"));
    _viewfinderArea->setGeometry(0, 0, root->width(), root->height() - barHeight);

    _unavailable = new Label(_viewfinderArea);
    _unavailable->setObjectName(QStringLiteral("cameraUnavailableLabel"));
    _unavailable->setFont(boldSystemFont(17));
    _unavailable->setTextColor(QColor(0xd8, 0xd8, 0xdc));
    _unavailable->setAlignment(Qt::AlignCenter);
    _unavailable->setText(QStringLiteral("Камера недоступна"));
    _unavailable->setGeometry(_viewfinderArea->rect());
    _unavailable->hide();

    auto* bar = new ColorView(QColor(0x1c, 0x1d, 0x21), root);
    bar->setObjectName(QStringLiteral("cameraBar"));
    bar->setGeometry(0, root->height() - barHeight, root->width(), barHeight);

    _cancel = new PickerButton(QStringLiteral("Отмена"), QColor(0x6a, 0x6e, 0x76),
                               QColor(0x3a, 0x3d, 0x43), Qt::white, bar);
    _cancel->setObjectName(QStringLiteral("cancelButton"));
    _cancel->setGeometry(10, 15, 84, 34);
    _cancel->addTarget(
        this, [this] { cancel(); }, ControlEvent::TouchUpInside);

    _capture = new PickerButton(QStringLiteral("Снять"), QColor(0xfa, 0xfa, 0xfb),
                                QColor(0xb8, 0xbb, 0xc2), QColor(0x1c, 0x1c, 0x1e), bar);
    _capture->setObjectName(QStringLiteral("captureButton"));
    _capture->setFont(boldSystemFont(17));
    _capture->setGeometry((root->width() - 110) / 2, 10, 110, 44);
    _capture->addTarget(
        this,
        [this] {
            if (_session && !_cameraFailed)
                _session->capture();
        },
        ControlEvent::TouchUpInside);
}

void ImagePickerController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    if (usesCamera() && !_session && !_cameraFailed)
        startCamera();
}

void ImagePickerController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    // The dialog runs a loop of its own: not from inside the presentation.
    if (!usesCamera() && !_libraryAsked) {
        _libraryAsked = true;
        QTimer::singleShot(0, this, [this] { chooseFromLibrary(); });
    }
}

void ImagePickerController::viewDidDisappear(bool animated)
{
    ViewController::viewDidDisappear(animated);
    // The camera is let go as soon as the picker is off the screen.
    _session.reset();
}

void ImagePickerController::chooseFromLibrary()
{
    const QPointer<ImagePickerController> self(this);
    const FileChooser choose =
        replacementChooser() ? replacementChooser() : FileChooser(chooseWithDialog);
    const std::optional<QString> path = choose(view(), nameFilter());
    if (!self)
        return;
    const QImage image = path ? readImageBounded(*path) : QImage();
    if (!_delegate)
        return;
    if (!path)
        _delegate->imagePickerControllerDidCancel(*this);
    else if (image.isNull())
        _delegate->didFailToReadImage(*this, *path);
    else
        _delegate->didFinishPickingImage(*this, image, {});
}

void ImagePickerController::startCamera()
{
    const QPointer<ImagePickerController> self(this);
    _session = Camera::startSession(
        _viewfinderArea,
        [self](const QImage& image) {
            if (self)
                self->captured(image);
        },
        [self] {
            if (self)
                self->cameraFailed();
        });
    QWidget* viewfinder = _session ? _session->viewfinder() : nullptr;
    if (!viewfinder || _cameraFailed) {
        cameraFailed();
        return;
    }
    viewfinder->setGeometry(_viewfinderArea->rect());
    viewfinder->show();
}

// The session is kept until the picker goes: this may run inside one of its signals.
void ImagePickerController::cameraFailed()
{
    _cameraFailed = true;
    if (_session && _session->viewfinder())
        _session->viewfinder()->hide();
    _unavailable->show();
    _unavailable->raise();
    _capture->setEnabled(false);
}

void ImagePickerController::captured(const QImage& image)
{
    // A photo that arrives after the picker has left the screen is dropped.
    if (_cameraFailed || !isViewLoaded() || !view()->isVisible())
        return;
    if (image.isNull()) {
        cameraFailed();
        return;
    }
    QImage photo = image;
    if (std::max(photo.width(), photo.height()) > longestSide)
        photo =
            photo.scaled(longestSide, longestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (_delegate)
        _delegate->didFinishPickingImage(*this, photo, {});
}

void ImagePickerController::cancel()
{
    if (_delegate)
        _delegate->imagePickerControllerDidCancel(*this);
}

} // namespace kit
