#pragma once

#include <QObject>

#include <memory>

std::unique_ptr<QObject> makeUserDefaultsTest();
std::unique_ptr<QObject> makeTimersTest();
std::unique_ptr<QObject> makeControllersTest();
std::unique_ptr<QObject> makeControlsTest();
