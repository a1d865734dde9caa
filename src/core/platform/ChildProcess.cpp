#include "core/platform/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace phonotab {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kTickMs = 50;
constexpr std::size_t kKeptOutput = 8192;
constexpr milliseconds kGraceAfterTerm{1000};  // for the program to end on its own after SIGTERM
constexpr milliseconds kDrainAfterEnd{300};    // for the last output of a program that ended

// The program's standard error as it comes, keeping only its last part.
class ErrorOutput {
public:
    explicit ErrorOutput(int fd) : fd_(fd) {}
    ~ErrorOutput() { close(); }
    ErrorOutput(const ErrorOutput&) = delete;
    ErrorOutput& operator=(const ErrorOutput&) = delete;

    bool open() const { return fd_ >= 0; }
    // Reads what arrives within timeoutMs; closes at the end of the output.
    void readFor(int timeoutMs) {
        if (fd_ < 0) {
            std::this_thread::sleep_for(milliseconds(timeoutMs));
            return;
        }
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready <= 0) return;
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            text_.append(buffer, static_cast<std::size_t>(n));
            if (text_.size() > 2 * kKeptOutput) text_.erase(0, text_.size() - kKeptOutput);
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            close();
        }
    }
    std::string take() {
        if (text_.size() > kKeptOutput) text_.erase(0, text_.size() - kKeptOutput);
        return std::move(text_);
    }

private:
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    int fd_;
    std::string text_;
};

// Whether the program has ended, without collecting it: while it is not
// collected, its process group's number cannot go to anybody else.
bool hasEnded(pid_t pid) {
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return errno == ECHILD;  // collected by someone else already: nothing to wait for
    return info.si_pid == pid;
}

bool waitForEnd(pid_t pid, ErrorOutput& output, milliseconds limit) {
    const auto until = Clock::now() + limit;
    while (!hasEnded(pid)) {
        if (Clock::now() >= until) return false;
        output.readFor(20);
    }
    return true;
}

int collect(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

ChildProcessEnd runChildProcess(const std::vector<std::string>& arguments, milliseconds timeLimit,
                                const std::function<bool(milliseconds elapsed)>& keepGoing) {
    ChildProcessEnd end;
    if (arguments.empty()) {
        end.code = ENOENT;
        return end;
    }
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        end.code = errno;
        return end;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own, and the signals as a freshly started program has
    // them whatever the calling thread blocks or ignores.
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none, defaults;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigemptyset(&defaults);
    for (int s : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGCHLD}) sigaddset(&defaults, s);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int started = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(pipeEnds[1]);
    ErrorOutput output(pipeEnds[0]);
    if (started != 0) {
        end.code = started;
        return end;
    }

    const auto start = Clock::now();
    bool timedOut = false, stopped = false;
    while (!hasEnded(pid)) {
        const auto elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
        if (elapsed >= timeLimit) {
            timedOut = true;
            break;
        }
        if (!keepGoing(elapsed)) {
            stopped = true;
            break;
        }
        output.readFor(kTickMs);
    }
    if (timedOut || stopped) {
        ::kill(-pid, SIGTERM);
        waitForEnd(pid, output, kGraceAfterTerm);
    }
    // Whatever is left of the group (a helper of the program's, or a program
    // deaf to SIGTERM) goes now; the uncollected leader keeps the group's number ours.
    ::kill(-pid, SIGKILL);
    waitForEnd(pid, output, milliseconds(5000));
    for (const auto until = Clock::now() + kDrainAfterEnd; output.open() && Clock::now() < until;) output.readFor(20);
    const int status = collect(pid);
    end.errorOutput = output.take();
    if (timedOut) {
        end.kind = ChildProcessEnd::Kind::TimedOut;
    } else if (stopped) {
        end.kind = ChildProcessEnd::Kind::Stopped;
    } else if (WIFSIGNALED(status)) {
        end.kind = ChildProcessEnd::Kind::Signalled;
        end.code = WTERMSIG(status);
    } else {
        end.kind = ChildProcessEnd::Kind::Exited;
        end.code = WEXITSTATUS(status);
    }
    return end;
}

}  // namespace phonotab
