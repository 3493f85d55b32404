// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFunctionPointer>

namespace kit {

// One of the application's platform modules: its file name and the environment
// variable that may name its path instead.
struct PlatformModule {
    const char* file;
    const char* environmentVariable;
};

inline constexpr PlatformModule webEngineModule{"libfirstaid_webengine.so", "FIRSTAID_WEB_MODULE"};
inline constexpr PlatformModule soundModule{"libfirstaid_sound.so", "FIRSTAID_SOUND_MODULE"};
inline constexpr PlatformModule cameraModule{"libfirstaid_camera.so", "FIRSTAID_CAMERA_MODULE"};
inline constexpr PlatformModule printModule{"libfirstaid_print.so", "FIRSTAID_PRINT_MODULE"};
inline constexpr PlatformModule speechModule{"libfirstaid_speech.so", "FIRSTAID_SPEECH_MODULE"};

// Finds a function in one of the platform modules, loading the module on first use. The
// module is looked for where its environment variable names it, beside the executable, in
// the installed library folder and one folder up. Null, logged once, when it cannot be had.
QFunctionPointer resolvePlatformFunction(const PlatformModule& module, const char* function);

// A platform service behind a small interface (Service): a test's replacement while one is
// set; otherwise the one the module's entry point makes, on first use; where the module
// cannot be had, a Fallback that does nothing.
template <class Service, class Fallback> class PlatformService final {
public:
    using EntryPoint = Service* (*)();

    constexpr PlatformService(PlatformModule module, const char* entryPoint)
        : _module(module), _entryPoint(entryPoint)
    {
    }

    Service& get()
    {
        if (_replacement)
            return *_replacement;
        if (!_service) {
            const auto create =
                reinterpret_cast<EntryPoint>(resolvePlatformFunction(_module, _entryPoint));
            _service = create ? create() : nullptr;
            if (!_service)
                _service = new Fallback();
        }
        return *_service;
    }

    // For tests: a service to use instead (null goes back to the real one).
    void setReplacement(Service* service) { _replacement = service; }

private:
    PlatformModule _module;
    const char* _entryPoint;
    // Made once and kept for the rest of the run, as the module that made it.
    Service* _service = nullptr;
    Service* _replacement = nullptr;
};

} // namespace kit
