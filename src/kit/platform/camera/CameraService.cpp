// SPDX-License-Identifier: GPL-3.0-or-later
// The camera on Qt Multimedia, built as a module of its own and loaded when a
// screen first asks for the camera: the default video input, its live picture in
// a video widget and photos taken through an image capture.

#include "kit/platform/Camera.h"

#include <QCamera>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPointer>
#include <QVideoWidget>

#include <functional>
#include <memory>

namespace {

class Session final : public kit::CameraSession {
public:
    Session(const QCameraDevice& device, QWidget* parent,
            std::function<void(const QImage&)> onCaptured, std::function<void()> onFailure)
        : _camera(device), _viewfinder(new QVideoWidget(parent))
    {
        _viewfinder->setObjectName(QStringLiteral("viewfinder"));
        _viewfinder->setAccessibleName(QStringLiteral("Видоискатель"));
        _session.setCamera(&_camera);
        _session.setImageCapture(&_capture);
        _session.setVideoOutput(_viewfinder.data());
        QObject::connect(&_camera, &QCamera::errorOccurred, &_camera,
                         [onFailure](QCamera::Error error, const QString&) {
                             if (error != QCamera::NoError)
                                 onFailure();
                         });
        QObject::connect(&_capture, &QImageCapture::errorOccurred, &_capture,
                         [onFailure](int, QImageCapture::Error error, const QString&) {
                             // A photo asked for before the camera has settled is only not taken.
                             if (error != QImageCapture::NoError &&
                                 error != QImageCapture::NotReadyError)
                                 onFailure();
                         });
        QObject::connect(&_capture, &QImageCapture::imageCaptured, &_capture,
                         [onCaptured](int, const QImage& image) { onCaptured(image); });
        _camera.start();
    }

    ~Session() override
    {
        _camera.stop();
        _session.setVideoOutput(nullptr);
        delete _viewfinder.data();
    }

    bool failedToOpen() const { return _camera.error() != QCamera::NoError; }
    QWidget* viewfinder() const override { return _viewfinder.data(); }
    void capture() override { _capture.capture(); }

private:
    QCamera _camera;
    QImageCapture _capture;
    QMediaCaptureSession _session;
    // Its parent may already have taken it.
    QPointer<QVideoWidget> _viewfinder;
};

class CameraService final : public kit::CameraService {
public:
    bool isCameraAvailable() override { return !QMediaDevices::videoInputs().isEmpty(); }

    std::unique_ptr<kit::CameraSession> startSession(QWidget* parent,
                                                     std::function<void(const QImage&)> onCaptured,
                                                     std::function<void()> onFailure) override
    {
        const QCameraDevice device = QMediaDevices::defaultVideoInput();
        if (device.isNull())
            return nullptr;
        auto session =
            std::make_unique<Session>(device, parent, std::move(onCaptured), std::move(onFailure));
        if (session->failedToOpen())
            return nullptr;
        return session;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT kit::CameraService* firstaidCreateCameraService()
{
    // The FFmpeg media backend crashes where there is no audio device; GStreamer does not.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    return new CameraService();
}
