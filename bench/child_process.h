#pragma once
// Runs one of the installation's programs as a whole process and measures it:
// wall time and the process's own peak resident memory.
//
// The peak is read from /proc/<pid>/status (VmHWM) while the child runs, not
// from wait4's rusage: posix_spawn starts the child in the parent's address
// space, and Linux carries the parent's high-water mark into the child's
// ru_maxrss at exec, so a benchmark that holds a large input in memory would
// report its own size instead of the program's.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <chrono>
#include <thread>
#include <vector>

extern char** environ;

namespace bench_support {

struct ChildRun {
    bool started = false;
    int exitCode = -1;  // -1 when the child did not exit normally
    double seconds = 0;
    double cpuSeconds = 0;  // user and system time of the child
    double peakMegabytes = 0;
};

// The path of a program beside the benchmarks' own bin folder (build/bin/NAME).
inline QByteArray InstalledProgram(const char* name) {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const QString benchFolder =
        QFileInfo(QString::fromLocal8Bit(self, static_cast<int>(n > 0 ? n : 0))).absolutePath();
    return (benchFolder + QStringLiteral("/../bin/") + QString::fromLatin1(name)).toLocal8Bit();
}

inline double HighWaterMegabytes(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    return 0;
}

// Runs `program` with `arguments`, its standard output to /dev/null.
inline ChildRun RunMeasured(const QByteArray& program, const QStringList& arguments) {
    std::vector<QByteArray> texts{program};
    for (const QString& argument : arguments) {
        texts.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    run.started =
        posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    if (!run.started) {
        return run;
    }
    int status = 0;
    struct rusage usage {};
    // VmHWM only grows, so the last reading before the exit is the peak up to
    // the last 5 ms of the run.
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (const double peak = HighWaterMegabytes(pid); peak > run.peakMegabytes) {
            run.peakMegabytes = peak;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace bench_support
