// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace kit {
class Application;
class ApplicationDelegate;
class TabBar;
class ViewController;
class WebView;
} // namespace kit
namespace app {
class ApplicationShell;
} // namespace app

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

// A bundle directory of the test's own, made the main bundle for the test's
// lifetime; files are written into it by name.
class TestBundle final {
public:
    TestBundle();
    ~TestBundle();
    QString path() const { return _dir.path(); }
    QString filePath(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes);
    // Copies a file of the application's real bundle (the pictures) into this one.
    void copyResource(const QString& name);
    // A small article page whose body text and table cells the font script scales.
    void writePage(const QString& name, const QString& title, bool withTable = false,
                   const QString& extraBody = QString());

private:
    QTemporaryDir _dir;
};

// A picture's bytes in PNG; a plain picture of a given size and colour.
QByteArray encodedImage(const QImage& image);
QByteArray pngBytes(int width, int height, const QColor& colour = Qt::darkCyan);

// Runs the event loop until the condition holds or the time is up; true when it
// held. Unlike QTest::qWaitFor it never sleeps between events, which the web
// engine's message pump needs to stay quick.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);

// Starts something that answers later through the callback it is given (a script run in a
// page) and waits for the answer, at most 20 seconds; an invalid value when none came.
QVariant awaitAnswer(const std::function<void(std::function<void(const QVariant&)>)>& start);
// Runs a script in a page and waits for its result.
QVariant evaluateJavaScript(kit::WebView* page, const QString& script);
// The computed font size of the first element matching a selector ("" when none).
QString computedFontSize(kit::WebView* page, const QString& selector);

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
    app::ApplicationShell& shell() const;
    kit::TabBar* tabBar() const;
    void setArticleZoom(float zoom) const;
    // Taps a tab, unless it is the one shown already, and gives its screen.
    kit::ViewController* showTab(int index) const;
    template <class Screen> Screen* showTab(int index) const
    {
        return qobject_cast<Screen*>(showTab(index));
    }

private:
    std::unique_ptr<kit::Application> _application;
    std::unique_ptr<kit::ApplicationDelegate> _delegate;
};

// The whole application on a store of the test's own, with the reading zoom stored and
// one tab shown.
template <class Screen> struct ShownTab {
    TestStore store;
    std::unique_ptr<LaunchedApplication> app;
    Screen* screen = nullptr;

    ShownTab(int index, float zoom)
    {
        app = std::make_unique<LaunchedApplication>();
        app->setArticleZoom(zoom);
        screen = app->template showTab<Screen>(index);
    }
    kit::TabBar* tabBar() const { return app->tabBar(); }
};

// Sets what every test needs where the environment does not say otherwise: the offscreen
// platform, a private runtime folder, this build's bundle and platform modules, a settings
// file that no test may use (each makes its own), and the web engine's flags for running
// as root without a GPU; and, always, a system bus that is not there. So a test executable
// runs alone, or one function of it by name.
void prepareTestEnvironment();

// The main of a test executable: one test class, run as QTEST_MAIN runs it, so the
// arguments are Qt Test's own (a function name runs that function alone).
#define FIRSTAID_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        prepareTestEnvironment();                                                                  \
        QApplication application(argc, argv);                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
