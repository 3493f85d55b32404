// The emergency card's cost: the card with its alarm running for 10 seconds of
// real time, against a bare widget of the same size that changes its background
// colour on a 0.01-second timer for 10 seconds (the least work that shows the same
// pulse), in one run. Prints the processor time each used and their ratio.
// Usage: bench_emergency [SECONDS]   (runs offscreen unless QT_QPA_PLATFORM is set)

#include "app/KavelAppDelegate.h"
#include "app/MainInterface.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/TabBar.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "sos/EmergencyScreen.h"
#include "sos/SOS.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void run(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Repaints itself in a new colour every 0.01 s, as the card's background does.
class Pulse final : public QWidget {
public:
    Pulse()
    {
        resize(320, 480);
        setAutoFillBackground(true);
        _timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&_timer, &QTimer::timeout, this, [this] {
            _intensity = _intensity >= 1.0f ? 0.0f : _intensity + 0.06f;
            QPalette colours = palette();
            colours.setColor(QPalette::Window, QColor::fromRgbF(1.0f, std::min(_intensity, 1.0f),
                                                                std::min(_intensity, 1.0f)));
            setPalette(colours);
        });
        _timer.start(10);
    }

private:
    QTimer _timer;
    float _intensity = 0;
};

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
    // The real bundle: the card's pictures and the alarm's sound are part of the cost.
    kit::Bundle::setMainBundlePath(QStringLiteral(FIRSTAID_BUNDLE));
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 10.0;

    kit::UserDefaults::setStandardPath(dir.filePath(QStringLiteral("defaults.json")));
    kit::UserDefaults& defaults = kit::UserDefaults::standardUserDefaults();
    defaults.setObject(QStringLiteral("Иванова Мария Сергеевна"), QStringLiteral("OWN_NAME"));
    defaults.setObject(
        QStringLiteral("г. Санкт-Петербург, Невский проспект, дом 28, квартира 115, код 115В"),
        QStringLiteral("OWN_ADDRESS"));
    defaults.setObject(QStringLiteral("12 марта 1985 г."), QStringLiteral("OWN_BIRTHDAY"));
    defaults.setObject(QStringLiteral("64"), QStringLiteral("OWN_WEIGHT"));
    defaults.setObject(QStringLiteral("168"), QStringLiteral("OWN_GROWTH"));
    defaults.setObject(QStringLiteral("II группа / Rh+"), QStringLiteral("OWN_BLOOD"));
    defaults.setObject(QStringLiteral("Сахарный диабет 1 типа"), QStringLiteral("OWN_ILLNESS"));
    defaults.setObject(QStringLiteral("Аллергия на пенициллин"), QStringLiteral("OWN_NOTE"));

    kit::Application app;
    std::unique_ptr<kit::ApplicationDelegate> delegate = loadMainInterface(app);
    delegate->applicationDidFinishLaunching(app);
    auto& shell = static_cast<KavelAppDelegate&>(*delegate);
    auto* sos = static_cast<SOS*>(shell.tabBarController()->viewControllers()[4]);
    shell.tabBarController()->setSelectedIndex(4);
    run(0.5);

    double start = processorSeconds();
    sos->callHelp();
    run(seconds);
    const double card = processorSeconds() - start;
    if (auto* screen = qobject_cast<EmergencyScreen*>(sos->modalViewController()))
        screen->cancelPressed();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell.window()->hide();
    run(0.5);

    Pulse pulse;
    pulse.show();
    run(0.2);
    start = processorSeconds();
    run(seconds);
    const double bare = processorSeconds() - start;

    std::printf("emergency card, %.0f s of real time: %.0f ms of processor time\n", seconds,
                card * 1000);
    std::printf("bare pulsing widget, same time:    %.0f ms of processor time\n", bare * 1000);
    std::printf("ratio                              %.2f\n", card / bare);
    return 0;
}
