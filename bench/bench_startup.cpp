// Start-up as a child sees it: the real program started in a class folder, from the fork to its
// first frame (the first damage of a window mapped on the X server), against a bare Qt window
// started the same way. The starts are interleaved, so that the machine's load hits all alike;
// the CPU time of each process up to its first frame and its resident memory two seconds after
// the start are taken as well. Without a display it starts its own Xvfb. An argument names
// other builds of the program to start instead, interleaved with each other for a comparison;
// TIVORAL_BENCH_ROUNDS sets how many starts each takes (7 by default).
#include "store/practiceentry.h"
#include "store/practicerecord.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int DefaultRounds = 7;
constexpr auto FrameTimeout = std::chrono::seconds(20);
constexpr auto ResidentAfter = std::chrono::seconds(2);
constexpr int RecordLines = 1000000;
constexpr int ExtraSentenceFiles = 3000;
constexpr int LargeListSentences = 32767;
constexpr int SentencesPerSmallFile = 5;
constexpr double NanosecondsPerMillisecond = 1e6;
constexpr double KilobytesPerMegabyte = 1024.0;
constexpr int MaxDisplayDigits = 16;

const char* const CrLf = "\r\n";

struct Sample {
    double frameMs = 0;
    double cpuMs = 0;
    double residentMb = 0;
};

struct Subject {
    std::string label;
    std::string program;
    std::string folder;
    std::vector<Sample> samples;
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "bench_startup: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

QByteArray sentences(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "Der Hund Nummer " + QByteArray::number(i) + " spielt im Garten." + CrLf;
    return text;
}

// An ordinary class folder: settings, one child, one sentence list.
void fillClassFolder(const QDir& folder) {
    writeFile(folder.filePath(QStringLiteral("TIVORAL.INI")),
              QByteArray("Verdana") + CrLf + "24" + CrLf + "100" + CrLf);
    writeFile(folder.filePath(QStringLiteral("TIVORAL.INF")), QByteArray("Freund") + CrLf);
    writeFile(folder.filePath(QStringLiteral("TIVORAL.TXT")), sentences(SentencesPerSmallFile));
}

// A class after years of use: a long record, many lists, the first one full.
void fillLargeClassFolder(const QDir& folder) {
    fillClassFolder(folder);
    writeFile(folder.filePath(QStringLiteral("AAA.TXT")), sentences(LargeListSentences));
    for (int i = 0; i < ExtraSentenceFiles; ++i)
        writeFile(folder.filePath(QStringLiteral("LISTE%1.TXT").arg(i, 4, 10, QLatin1Char('0'))),
                  sentences(SentencesPerSmallFile));
    QByteArray record = tivoral::PracticeRecord::headerBytes();
    tivoral::PracticeEntry entry;
    entry.when = QDateTime(QDate(2026, 1, 12), QTime(9, 0));
    entry.user = QStringLiteral("Freund");
    entry.event = tivoral::PracticeEntry::Event::SentenceFinished;
    entry.exercise = QStringLiteral("Dosensatz");
    entry.file = QStringLiteral("TIVORAL.TXT");
    entry.sentence = QStringLiteral("Der Hund spielt im Garten.");
    for (int i = 0; i < RecordLines; ++i)
        record += tivoral::PracticeRecord::lineBytes(entry);
    writeFile(folder.filePath(QString::fromLatin1(tivoral::practicerecord::FileName)), record);
}

// Starts Xvfb on a free display and returns its number; the server ends with this program.
std::optional<std::string> startXvfb(pid_t& server) {
    int fds[2];
    if (pipe(fds) != 0)
        return std::nullopt;
    server = fork();
    if (server == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1366x768x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char digits[MaxDisplayDigits] = {};
    const ssize_t got = read(fds[0], digits, sizeof digits - 1);
    close(fds[0]);
    if (got <= 0)
        return std::nullopt;
    return ":" + std::string(digits, std::size_t(got - 1));
}

// The CPU time of all threads of a process so far, from the scheduler's own account.
double cpuMilliseconds(pid_t pid) {
    double total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (stat.open(QIODevice::ReadOnly))
            total += stat.readAll().split(' ').value(0).toDouble() / NanosecondsPerMillisecond;
    }
    return total;
}

double residentMegabytes(pid_t pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / KilobytesPerMegabyte;
    return 0;
}

class FrameWatch {
public:
    explicit FrameWatch(xcb_connection_t* x) : x_(x) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_damage_query_version_reply(x_, xcb_damage_query_version(x_, 1, 1), nullptr);
        damageEvent_ = xcb_get_extension_data(x_, &xcb_damage_id)->first_event;
        xcb_flush(x_);
    }

    // Waits for the first paint into a mapped top-level window; false on a timeout.
    bool waitForFirstFrame(Clock::time_point deadline) {
        std::set<xcb_window_t> mapped;
        std::set<xcb_window_t> damaged;
        while (Clock::now() < deadline) {
            xcb_generic_event_t* event = xcb_poll_for_event(x_);
            if (!event) {
                pollfd fd{xcb_get_file_descriptor(x_), POLLIN, 0};
                const auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
                poll(&fd, 1, int(std::max<long>(left.count(), 0)));
                continue;
            }
            const int type = event->response_type & ~0x80;
            bool painted = false;
            if (type == XCB_CREATE_NOTIFY) {
                // Watched from its creation, so that no paint can slip by before the map.
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                xcb_damage_create(x_, xcb_generate_id(x_), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(x_);
            } else if (type == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                mapped.insert(map->window);
                painted = damaged.count(map->window) > 0;
            } else if (type == damageEvent_ + XCB_DAMAGE_NOTIFY) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                damaged.insert(damage->drawable);
                painted = mapped.count(damage->drawable) > 0;
            }
            std::free(event);
            if (painted)
                return true;
        }
        return false;
    }

private:
    xcb_connection_t* x_;
    xcb_window_t root_;
    int damageEvent_ = 0;
};

std::optional<Sample> startOnce(FrameWatch& watch, const Subject& subject) {
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(subject.folder.c_str()) != 0)
            _exit(127);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        execl(subject.program.c_str(), subject.program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::optional<Sample> sample;
    if (watch.waitForFirstFrame(start + FrameTimeout)) {
        Sample taken;
        taken.frameMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        // Stopped while its threads are counted, so that no work after the frame counts.
        kill(child, SIGSTOP);
        taken.cpuMs = cpuMilliseconds(child);
        kill(child, SIGCONT);
        std::this_thread::sleep_until(start + ResidentAfter);
        taken.residentMb = residentMegabytes(child);
        sample = taken;
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return sample;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values.at(values.size() / 2);
}

template <typename Field> double medianOf(const Subject& subject, Field field) {
    std::vector<double> values;
    for (const Sample& sample : subject.samples)
        values.push_back(sample.*field);
    return median(values);
}

// More rounds steady the medians on a machine whose load comes and goes.
int rounds() {
    const char* wanted = std::getenv("TIVORAL_BENCH_ROUNDS");
    const int count = wanted ? std::atoi(wanted) : 0;
    return count > 0 ? count : DefaultRounds;
}

} // namespace

int main(int argc, char** argv) {
    pid_t server = 0;
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        xcb_disconnect(x);
        const std::optional<std::string> display = startXvfb(server);
        if (!display) {
            std::fprintf(stderr, "bench_startup: no display and no Xvfb\n");
            return 1;
        }
        setenv("DISPLAY", display->c_str(), 1);
        x = xcb_connect(nullptr, nullptr);
    }
    QTemporaryDir small;
    QTemporaryDir large;
    fillClassFolder(QDir(small.path()));
    fillLargeClassFolder(QDir(large.path()));

    std::vector<std::string> programs(argv + 1, argv + argc);
    if (programs.empty())
        programs.emplace_back(TIVORAL_PROGRAM);
    std::vector<Subject> subjects{
        {"bare Qt window", STARTUP_BAREWINDOW, small.path().toStdString(), {}}};
    for (const std::string& program : programs) {
        const std::string name = programs.size() > 1 ? program : std::string("Tivoral");
        subjects.push_back({name + ", one list", program, small.path().toStdString(), {}});
        subjects.push_back({name + ", large class", program, large.path().toStdString(), {}});
    }
    FrameWatch watch(x);
    int status = 0;
    const int roundCount = rounds();
    for (int round = 0; round < roundCount && status == 0; ++round)
        for (Subject& subject : subjects) {
            const std::optional<Sample> sample = startOnce(watch, subject);
            if (!sample) {
                std::fprintf(stderr, "bench_startup: %s showed no frame\n", subject.label.c_str());
                status = 1;
                break;
            }
            subject.samples.push_back(*sample);
        }
    if (status == 0) {
        std::printf("Start-up to the first frame, median of %d interleaved starts:\n", roundCount);
        const double bare = medianOf(subjects.front(), &Sample::frameMs);
        for (const Subject& subject : subjects)
            std::printf("  %-40s %7.1f ms (%5.2f x bare)  CPU %7.1f ms  resident %5.1f MB\n",
                        subject.label.c_str(), medianOf(subject, &Sample::frameMs),
                        medianOf(subject, &Sample::frameMs) / bare,
                        medianOf(subject, &Sample::cpuMs), medianOf(subject, &Sample::residentMb));
    }
    xcb_disconnect(x);
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    return status;
}
