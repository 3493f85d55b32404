#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

namespace kit {
class Application;
class ApplicationDelegate;
} // namespace kit
class KavelAppDelegate;

// A settings file of the test's own, in a temporary folder, made the shared
// store for the test's lifetime.
class TestStore final {
public:
    TestStore();
    ~TestStore();
    QString path() const { return _path; }
    QString folder() const { return _dir.path(); }
    // Writes keys straight into the shared store and flushes it.
    void set(const QString& key, const QString& value);

private:
    QTemporaryDir _dir;
    QString _path;
};

// Collects the log lines written while it exists.
class LogCapture final {
public:
    LogCapture();
    ~LogCapture();
    QStringList lines() const;
    int count(const QString& line) const;
};

// The whole application, launched as main() launches it, on a store the test owns.
class LaunchedApplication final {
public:
    LaunchedApplication();
    ~LaunchedApplication();
    KavelAppDelegate& delegate() const;

private:
    std::unique_ptr<kit::Application> _application;
    std::unique_ptr<kit::ApplicationDelegate> _delegate;
};

// Runs the given test objects one after the other; the result is non-zero when any failed.
int runTestObjects(int argc, char** argv, const std::vector<std::function<std::unique_ptr<QObject>()>>& makers);
