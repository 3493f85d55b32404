// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <functional>
#include <memory>

class QWidget;

namespace kit {

// A running camera: its live picture and the taking of a photo. The camera stops
// when the session goes.
class CameraSession {
public:
    virtual ~CameraSession() = default;
    // The live picture, a child of the parent the session was started with.
    virtual QWidget* viewfinder() const = 0;
    // Takes a photo; it arrives through the session's callback, on the main thread.
    virtual void capture() = 0;
};

// The platform's camera.
class CameraService {
public:
    virtual ~CameraService() = default;
    virtual bool isCameraAvailable() = 0;
    // Starts the default camera; null when there is none or it cannot be opened. A camera
    // that fails later calls onFailure and takes no more photos.
    virtual std::unique_ptr<CameraSession>
    startSession(QWidget* parent, std::function<void(const QImage&)> onCaptured,
                 std::function<void()> onFailure) = 0;
};

// The camera calls the screens make. They go to the real service (in the camera
// module, loaded on first use) unless a test has put its own in place; without
// the module there is no camera.
namespace Camera {
bool isCameraAvailable();
std::unique_ptr<CameraSession> startSession(QWidget* parent,
                                            std::function<void(const QImage&)> onCaptured,
                                            std::function<void()> onFailure);
// For tests: a service to use instead of the real one (null goes back to it).
void setService(CameraService* service);
} // namespace Camera

// The camera module makes its service with
//   extern "C" CameraService* firstaidCreateCameraService();

} // namespace kit
