// Running an outside program to its end, with a time limit and a way to stop
// it half-way. The program runs in a process group of its own, so that
// stopping it stops whatever it started as well, and it is always waited for:
// no process outlives the call. What it printed on its error output is kept
// (the last part of it), for the message that tells why it failed.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace phonotab {

struct ChildProcessEnd {
    enum class Kind {
        NotStarted,  // code: the system's error number
        Exited,      // code: the exit status
        Signalled,   // code: the signal that ended it
        TimedOut,    // stopped when the time limit ran out
        Stopped,     // stopped because the caller asked for it
    };
    Kind kind = Kind::NotStarted;
    int code = 0;
    std::string errorOutput;  // the last few kilobytes of its standard error
};

// Starts arguments[0] (a path: the search path is not consulted) with the
// rest as its arguments, standard input and output on /dev/null, and waits
// for it. keepGoing is asked every few tens of milliseconds with the time
// since the start; false stops the program. A program that is stopped gets
// SIGTERM and, a second later, SIGKILL, its whole process group with it.
ChildProcessEnd runChildProcess(const std::vector<std::string>& arguments, std::chrono::milliseconds timeLimit,
                                const std::function<bool(std::chrono::milliseconds elapsed)>& keepGoing);

}  // namespace phonotab
