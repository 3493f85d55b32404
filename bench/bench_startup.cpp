// Start-up time: `firstaid --screenshot` against a bare Qt Widgets window that
// does the same (show, first paint, save a PNG, quit), run alternately in one
// process so both see the same machine. Prints each median and their ratio.
// Usage: bench_startup [RUNS]   (default 21; runs offscreen unless QT_QPA_PLATFORM is set)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double runOnce(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        std::fprintf(stderr, "bench_startup: %s failed\n", qPrintable(program));
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
    const QString shot = dir.filePath(QStringLiteral("shot.png"));
    const QString store = dir.filePath(QStringLiteral("defaults.json"));

    // One warm-up run each: the first start also pays for the disk cache.
    runOnce(QStringLiteral(FIRSTAID_EXECUTABLE),
            {QStringLiteral("--defaults"), store, QStringLiteral("--screenshot"), shot});
    runOnce(QStringLiteral(BARE_WINDOW), {shot});

    std::vector<double> application_ms;
    std::vector<double> bare_ms;
    for (int i = 0; i < runs; ++i) {
        application_ms.push_back(
            runOnce(QStringLiteral(FIRSTAID_EXECUTABLE),
                    {QStringLiteral("--defaults"), store, QStringLiteral("--screenshot"), shot}));
        bare_ms.push_back(runOnce(QStringLiteral(BARE_WINDOW), {shot}));
    }
    const double app = median(application_ms);
    const double bare = median(bare_ms);
    std::printf("platform              %s\n", qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("runs                  %d each, alternating\n", runs);
    std::printf("firstaid --screenshot median %.1f ms\n", app);
    std::printf("bare Qt window        median %.1f ms\n", bare);
    std::printf("ratio                 %.2f\n", app / bare);
    return 0;
}
