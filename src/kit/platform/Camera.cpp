// SPDX-License-Identifier: GPL-3.0-or-later
#include "Camera.h"

#include "PlatformModule.h"

namespace kit {
namespace {

// The camera where the module cannot be had: none.
class NoCamera final : public CameraService {
public:
    bool isCameraAvailable() override { return false; }
    std::unique_ptr<CameraSession> startSession(QWidget*, std::function<void(const QImage&)>,
                                                std::function<void()>) override
    {
        return nullptr;
    }
};

PlatformService<CameraService, NoCamera> camera(cameraModule, "firstaidCreateCameraService");

CameraService& service()
{
    return camera.get();
}

} // namespace

namespace Camera {

bool isCameraAvailable()
{
    return service().isCameraAvailable();
}

std::unique_ptr<CameraSession> startSession(QWidget* parent,
                                            std::function<void(const QImage&)> onCaptured,
                                            std::function<void()> onFailure)
{
    return service().startSession(parent, std::move(onCaptured), std::move(onFailure));
}

void setService(CameraService* test)
{
    camera.setReplacement(test);
}

} // namespace Camera
} // namespace kit
