#pragma once

#include <QFunctionPointer>

namespace kit {

// Finds a function in one of the application's platform modules (the web engine,
// the sound), loading the module on first use. The module is looked for where the
// environment variable names it, beside the executable, in the installed library
// folder and one folder up. Null, logged once, when it cannot be had.
QFunctionPointer resolvePlatformFunction(const char* moduleFile, const char* environmentVariable,
                                         const char* function);

} // namespace kit
