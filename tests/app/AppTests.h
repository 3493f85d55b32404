#pragma once

#include <QObject>

#include <memory>

std::unique_ptr<QObject> makeLaunchTest();
std::unique_ptr<QObject> makeServicesTest();
std::unique_ptr<QObject> makeCommandLineTest();
