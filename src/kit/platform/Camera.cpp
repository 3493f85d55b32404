#include "Camera.h"

#include "PlatformModule.h"

namespace kit {
namespace {

CameraService*& replacement()
{
    static CameraService* service = nullptr;
    return service;
}

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

CameraService& service()
{
    if (CameraService* test = replacement())
        return *test;
    static CameraService* real = [] {
        const auto create = reinterpret_cast<CreateCameraServiceFunction>(resolvePlatformFunction(
            "libfirstaid_camera.so", "FIRSTAID_CAMERA_MODULE", "firstaidCreateCameraService"));
        CameraService* made = create ? create() : nullptr;
        return made ? made : static_cast<CameraService*>(new NoCamera());
    }();
    return *real;
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
    replacement() = test;
}

} // namespace Camera
} // namespace kit
