// Whole-process figures of the morvek program: the time from starting `morvek --demo` to its
// main window being shown (the trace line "main window shown"), and the resident memory once
// the four demo devices are shown and their frames run. Each run gets its own runtime and data
// folders, so it is always the first instance.
//
// Usage: morvek_startup_bench PATH_TO_MORVEK [RUNS]. Prints the median and the longest start
// time and the largest resident memory; exits 1 when a goal (0.5 s, 120 MB) is missed.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kStartGoalMs = 500;
constexpr double kMemoryGoalMb = 120;
constexpr int kDevicesSettleMs = 3000;

double ResidentMb(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvek_startup_bench PATH_TO_MORVEK [RUNS]\n");
        return 2;
    }
    const QString program = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    std::vector<double> starts;
    double memory = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("MORVEK_TRACE", "1");
        environment.insert("XDG_RUNTIME_DIR", folder.path());
        environment.insert("MORVEK_DATA_DIR", folder.path() + "/data");
        if (!environment.contains("DISPLAY")) environment.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess morvek;
        morvek.setProcessEnvironment(environment);
        morvek.setProcessChannelMode(QProcess::SeparateChannels);
        morvek.setReadChannel(QProcess::StandardError);
        QElapsedTimer clock;
        clock.start();
        morvek.start(program, {"--demo"});
        QByteArray trace;
        bool shown = false;
        while (!shown && clock.elapsed() < 10000 && morvek.state() != QProcess::NotRunning) {
            morvek.waitForReadyRead(10);
            trace += morvek.readAllStandardError();
            shown = trace.contains("main window shown");
        }
        const double startMs = clock.nsecsElapsed() / 1e6;
        if (!shown) {
            std::fprintf(stderr, "run %d: the window was not shown\n", run);
            return 2;
        }
        starts.push_back(startMs);
        // Keep reading the trace so the program never blocks on a full pipe.
        while (clock.elapsed() < startMs + kDevicesSettleMs) {
            morvek.waitForReadyRead(20);
            morvek.readAllStandardError();
        }
        memory = std::max(memory, ResidentMb(morvek.processId()));
        morvek.terminate();
        morvek.waitForFinished(3000);
    }
    std::sort(starts.begin(), starts.end());
    const double median = starts[starts.size() / 2];
    std::printf("start to window shown: median %.0f ms, longest %.0f ms over %d runs; resident memory with "
                "four demo devices: %.1f MB\n",
                median, starts.back(), runs, memory);
    return starts.back() < kStartGoalMs && memory < kMemoryGoalMb ? 0 : 1;
}
