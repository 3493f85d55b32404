// SPDX-License-Identifier: GPL-3.0-or-later
// The emergency card's cost: the card coming up with its alarm and running for a while
// of real time, against a bare widget of the same size that changes its background
// colour on a 0.01-second timer as long (the least work that shows the same pulse), in
// turn for several rounds. Prints the processor time each used per 10 s and the median
// ratio.
// Usage: bench_emergency [SECONDS [ROUNDS]]   (4 s, 7 rounds; offscreen unless
// QT_QPA_PLATFORM is set)

#include "app/ApplicationShell.h"
#include "app/MainInterface.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/TabBar.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "kit/views/ScrollView.h"
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
#include <vector>

namespace {

double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
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
    const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 4.0;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;

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
    defaults.setObject(QStringLiteral("Очки"), QStringLiteral("OWN_NOTE"));
    // The section for the emergency services, and two people to call: their buttons stay live
    // over the card's picture and are repainted with every flash.
    defaults.setObject(QStringLiteral("Пенициллин (отёк Квинке)"), QStringLiteral("OWN_ALLERGY"));
    defaults.setObject(QStringLiteral("Инсулин"), QStringLiteral("OWN_MEDICINE"));
    defaults.setObject(QStringLiteral("Сергей Иванов"), QStringLiteral("OWN_CONTACT1_NAME"));
    defaults.setObject(QStringLiteral("муж"), QStringLiteral("OWN_CONTACT1_WHO"));
    defaults.setObject(QStringLiteral("+7 916 123-45-67"), QStringLiteral("OWN_CONTACT1_PHONE"));
    defaults.setObject(QStringLiteral("Анна Петрова"), QStringLiteral("OWN_CONTACT2_NAME"));
    defaults.setObject(QStringLiteral("8 (812) 555-12-34"), QStringLiteral("OWN_CONTACT2_PHONE"));

    kit::Application app;
    std::unique_ptr<kit::ApplicationDelegate> delegate = app::loadMainInterface(app);
    delegate->applicationDidFinishLaunching(app);
    auto& shell = static_cast<app::ApplicationShell&>(*delegate);
    auto* sos = static_cast<sos::SOS*>(shell.tabBarController()->viewControllers()[4]);
    shell.tabBarController()->setSelectedIndex(4);
    run(0.5);

    // Rounds of one and then the other, so both see the machine as it is at the time; a
    // shared machine's pace changes from one second to the next.
    std::vector<double> cards;
    std::vector<double> bares;
    std::vector<double> ratios;
    std::vector<double> creations;
    Pulse pulse;
    for (int round = 0; round < rounds; ++round) {
        shell.window()->show();
        run(0.3);
        double start = processorSeconds();
        sos->callHelp();
        // Scrolled to its end, where the people to call are.
        if (auto* screen = qobject_cast<sos::EmergencyScreen*>(sos->modalViewController()))
            screen->mainView()->setContentOffset(
                QPoint(0, std::max(0, screen->mainView()->contentSize().height() -
                                          screen->mainView()->height())));
        run(0.3);
        creations.push_back((processorSeconds() - start) * 1000);
        // The card up and flashing, its alarm sounding: what it costs while it stays up.
        start = processorSeconds();
        run(seconds);
        const double card = processorSeconds() - start;
        if (auto* screen = qobject_cast<sos::EmergencyScreen*>(sos->modalViewController()))
            screen->cancelPressed();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell.window()->hide();

        pulse.show();
        run(0.3);
        start = processorSeconds();
        run(seconds);
        const double bare = processorSeconds() - start;
        pulse.hide();
        // Per 10 s of real time.
        cards.push_back(card * 10 / seconds * 1000);
        bares.push_back(bare * 10 / seconds * 1000);
        ratios.push_back(card / bare);
        std::printf("round %d: card %4.0f ms, bare %4.0f ms per 10 s, ratio %.2f\n", round + 1,
                    cards.back(), bares.back(), ratios.back());
    }
    std::printf("the card coming up (its first 0.3 s):  %.0f ms of processor time (median)\n",
                median(creations));
    std::printf("emergency card, per 10 s of real time: %.0f ms of processor time (median)\n",
                median(cards));
    std::printf("bare pulsing widget, the same:         %.0f ms (median)\n", median(bares));
    std::printf("ratio                                  %.2f (median of %d rounds)\n",
                median(ratios), rounds);
    return 0;
}
