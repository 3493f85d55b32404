// SPDX-License-Identifier: GPL-3.0-or-later
// What practising costs: the bank read and checked (every passage looked for in its page;
// done once, when "Проверь себя" first opens), the screen with its 31 topics coming up, and
// an answer (counted, merged with the store and written to the disk at once, the outcome
// laid out). Prints the median and the worst of each over several rounds.
// Usage: bench_practice [ROUNDS]   (15 rounds; offscreen unless QT_QPA_PLATFORM is set)

#include "app/ApplicationShell.h"
#include "app/MainInterface.h"
#include "kit/controllers/Application.h"
#include "kit/controllers/TabBarController.h"
#include "kit/foundation/Bundle.h"
#include "kit/foundation/UserDefaults.h"
#include "practice/PracticeScreen.h"
#include "practice/RoundScreen.h"
#include "quiz/QuizBank.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

double milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void print(const char* what, std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    std::printf("%-44s median %7.2f ms   worst %7.2f ms\n", what, values[values.size() / 2],
                values.back());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    kit::Bundle::setMainBundlePath(QStringLiteral(FIRSTAID_BUNDLE));
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    kit::UserDefaults::setStandardPath(folder.filePath(QStringLiteral("defaults.json")));
    const QString bundle = kit::Bundle::mainBundle().bundlePath();

    std::vector<double> reading;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        QStringList faults;
        const auto bank =
            quiz::loadBank(QDir(bundle).filePath(QStringLiteral("quiz.json")), bundle, &faults);
        reading.push_back(milliseconds(timer));
        if (!bank) {
            std::fprintf(stderr, "the bank does not load\n");
            return 1;
        }
    }

    kit::Application app;
    std::unique_ptr<kit::ApplicationDelegate> delegate = app::loadMainInterface(app);
    delegate->applicationDidFinishLaunching(app);
    auto* shell = static_cast<app::ApplicationShell*>(delegate.get());
    std::vector<double> opening;
    std::vector<double> answering;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        practice::openPractice(*shell->tabBarController());
        auto* home = qobject_cast<practice::PracticeScreen*>(
            shell->tabBarController()->modalViewController());
        QApplication::processEvents();
        opening.push_back(milliseconds(timer));
        if (!home) {
            std::fprintf(stderr, "no practice screen\n");
            return 1;
        }
        home->startExam();
        practice::RoundScreen* round = home->round();
        QApplication::processEvents();
        for (int question = 0; question < 5 && round; ++question) {
            timer.restart();
            if (round->question().kind == quiz::Question::Kind::Order) {
                for (int card = 0; card < round->cardCount(); ++card)
                    round->choose(card);
                round->check();
            } else {
                round->choose(0);
            }
            QApplication::processEvents();
            answering.push_back(milliseconds(timer));
            round->next();
        }
        if (round)
            round->close();
        home->close();
        QApplication::processEvents();
    }
    print("bank read and checked (first opening)", reading);
    print("practice screen up, 31 topics", opening);
    print("an answer: counted, saved, laid out", answering);
    return 0;
}
