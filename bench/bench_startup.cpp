// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time: `firstaid --screenshot` against a bare Qt Widgets window that
// does the same (show, first paint, save a PNG, quit), run alternately in one
// process so both see the same machine. Three cards, one per way a start goes: a
// fresh one (the card tab opens), a complete one (the SOS tab opens), and one with
// a 5 MB note (pasted, or written by another program). Prints each median and
// its ratio to the bare window's.
// Usage: bench_startup [RUNS]   (default 21; runs offscreen unless QT_QPA_PLATFORM is set)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
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

bool writeCard(const QString& path, const QJsonObject& card)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(card).toJson()) > 0;
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

    const QJsonObject complete{
        {QStringLiteral("OWN_NAME"), QStringLiteral("Иванова Мария Сергеевна")},
        {QStringLiteral("OWN_ADDRESS"), QStringLiteral("г. Санкт-Петербург, Невский пр., 28")},
        {QStringLiteral("OWN_BIRTHDAY"), QStringLiteral("12 марта 1985 г.")},
        {QStringLiteral("OWN_WEIGHT"), QStringLiteral("64")},
        {QStringLiteral("OWN_GROWTH"), QStringLiteral("168")},
        {QStringLiteral("OWN_BLOOD"), QStringLiteral("II группа / Rh+")},
        {QStringLiteral("OWN_ILLNESS"), QStringLiteral("Сахарный диабет 1 типа")},
    };
    QString longNote;
    while (longNote.size() < 5'000'000)
        longNote += QStringLiteral("Аллергия на пенициллин, приступы астмы. ");
    struct Path {
        const char* name;
        QString store;
        std::vector<double> ms;
    };
    std::vector<Path> paths = {
        {"fresh card (card tab)", dir.filePath(QStringLiteral("fresh.json")), {}},
        {"complete card (SOS tab)", dir.filePath(QStringLiteral("complete.json")), {}},
        {"5 MB note (card tab)", dir.filePath(QStringLiteral("long.json")), {}},
    };
    if (!writeCard(paths[1].store, complete) ||
        !writeCard(paths[2].store, {{QStringLiteral("OWN_NOTE"), longNote}})) {
        std::fprintf(stderr, "bench_startup: cannot write the cards\n");
        return 1;
    }

    const auto start = [&](const Path& path) {
        return runOnce(
            QStringLiteral(FIRSTAID_EXECUTABLE),
            {QStringLiteral("--defaults"), path.store, QStringLiteral("--screenshot"), shot});
    };
    // One warm-up run each: the first start also pays for the disk cache.
    for (const Path& path : paths)
        start(path);
    runOnce(QStringLiteral(BARE_WINDOW), {shot});

    std::vector<double> bare_ms;
    for (int i = 0; i < runs; ++i) {
        for (Path& path : paths)
            path.ms.push_back(start(path));
        bare_ms.push_back(runOnce(QStringLiteral(BARE_WINDOW), {shot}));
    }
    const double bare = median(bare_ms);
    std::printf("platform                  %s\n", qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("runs                      %d each, in turn\n", runs);
    std::printf("bare Qt window            median %6.1f ms\n", bare);
    for (const Path& path : paths) {
        const double app = median(path.ms);
        std::printf("%-25s median %6.1f ms  ratio %.2f\n", path.name, app, app / bare);
    }
    return 0;
}
