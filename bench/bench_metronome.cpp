// SPDX-License-Identifier: GPL-3.0-or-later
// The CPR coach's clicks against the ideal grid of 110 a minute (545.45 ms): the coach opened
// as --cpr opens it, set to compressions only (one unbroken grid), run for a while of real
// time while the web engine shows and scrolls a page in another window; once with the voice
// off and once with it speaking a prompt every 3 s. Every click's start (the moment it is
// written to the audio output) is timed; prints each run's median and worst deviation, then
// "median N ms" and "worst N ms", the larger of the two runs.
// Usage: bench_metronome [SECONDS]   (120 s a run; offscreen unless QT_QPA_PLATFORM is set)

#include "app/ApplicationShell.h"
#include "app/MainInterface.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/platform/PlatformModule.h"
#include "kit/platform/Speech.h"
#include "kit/platform/Tick.h"
#include "steps/CoachScreen.h"
#include "steps/Voice.h"
#include "viewer/HelpBand.h"
#include "viewer/ReadingZoom.h"
#include "viewer/WebController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void run(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Notes when each click starts, then starts it on the real output.
class TimedTick final : public kit::TickService {
public:
    TimedTick()
    {
        const auto create = reinterpret_cast<kit::TickService* (*)()>(
            kit::resolvePlatformFunction(kit::soundModule, "firstaidCreateTickService"));
        _real.reset(create ? create() : nullptr);
        _clock.start();
    }
    void prepare() override
    {
        if (_real)
            _real->prepare();
    }
    void play() override
    {
        starts.push_back(double(_clock.nsecsElapsed()) / 1e6);
        if (_real)
            _real->play();
    }
    void release() override
    {
        if (_real)
            _real->release();
    }
    bool audible() const { return bool(_real); }
    std::vector<double> starts;

private:
    std::unique_ptr<kit::TickService> _real;
    QElapsedTimer _clock;
};

struct Deviation {
    double median = 0;
    double worst = 0;
    size_t clicks = 0;
};

// Each click against the grid laid from the first.
Deviation measure(const std::vector<double>& starts)
{
    const double interval = 60000.0 / 110.0;
    std::vector<double> off;
    for (size_t k = 1; k < starts.size(); ++k)
        off.push_back(std::abs(starts[k] - (starts.front() + double(k) * interval)));
    if (off.empty())
        return {};
    std::sort(off.begin(), off.end());
    return {off[off.size() / 2], off.back(), starts.size()};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    kit::Bundle::setMainBundlePath(QStringLiteral(FIRSTAID_BUNDLE));
    kit::UserDefaults::setStandardPath(dir.filePath(QStringLiteral("defaults.json")));
    const double seconds = argc > 1 ? std::max(5.0, std::atof(argv[1])) : 120.0;

    TimedTick tick;
    kit::Tick::setService(&tick);
    kit::Application app;
    std::unique_ptr<kit::ApplicationDelegate> delegate = app::loadMainInterface(app);
    delegate->applicationDidFinishLaunching(app);
    auto& shell = static_cast<app::ApplicationShell&>(*delegate);

    // The load: the web engine showing a long page and scrolling it all the time.
    viewer::WebController page(viewer::pageUrl(QStringLiteral("cpr.html")));
    QWidget* pageView = page.view();
    pageView->resize(320, 480);
    pageView->show();
    run(3);
    if (kit::WebView* web = page.webView())
        web->evaluateJavaScript(
            QStringLiteral("setInterval(function () { window.scrollBy(0, 7); "
                           "if (window.scrollY + window.innerHeight >= "
                           "document.body.scrollHeight) window.scrollTo(0, 0); }, 16);"),
            [](const QVariant&) {});
    std::printf("web page: %s; click output: %s\n", page.webView() ? "shown" : "no engine",
                tick.audible() ? "audio" : "none");

    Deviation runs[2];
    for (int speaking = 0; speaking < 2; ++speaking) {
        steps::Voice::setOn(speaking == 1);
        QTimer prompts;
        QObject::connect(&prompts, &QTimer::timeout, [] {
            steps::Voice::say(QStringLiteral("Тридцать нажатий. Продолжайте, смена скоро."));
        });
        if (speaking)
            prompts.start(3000);
        tick.starts.clear();
        viewer::openHelp(QStringLiteral("cpr"));
        auto* coach =
            qobject_cast<steps::CoachScreen*>(shell.tabBarController()->modalViewController());
        if (!coach) {
            std::printf("the coach did not open\n");
            return 1;
        }
        coach->setMode(guide::CprCoach::Mode::CompressionsOnly);
        run(seconds);
        prompts.stop();
        coach->stopAndClose();
        run(0.5);
        runs[speaking] = measure(tick.starts);
        const char* speech = !speaking ? "off"
                             : kit::Speech::state() == kit::SpeechState::Ready
                                 ? "speaking every 3 s"
                                 : "unavailable (no engine)";
        std::printf("voice %s: %zu clicks, median %.2f ms, worst %.2f ms\n", speech,
                    runs[speaking].clicks, runs[speaking].median, runs[speaking].worst);
        std::fflush(stdout);
    }
    std::printf("median %.2f ms\n", std::max(runs[0].median, runs[1].median));
    std::printf("worst %.2f ms\n", std::max(runs[0].worst, runs[1].worst));
    kit::Tick::setService(nullptr);
    return 0;
}
