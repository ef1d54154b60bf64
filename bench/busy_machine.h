// Keeps the machine busy for a scope, so that a row is measured at a load of
// its own choosing: child processes that only spin, killed at the end. Their
// CPU time is their own, not the benchmark process's.
#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

namespace bench {

class BusyMachine {
public:
    // `per_processor` spinning processes for each processor; none for 0.
    explicit BusyMachine(int per_processor)
    {
        const long processors = sysconf(_SC_NPROCESSORS_ONLN);
        for (long i = 0; i < per_processor * processors; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                // Gone with the benchmark, however it ends.
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                for (volatile unsigned long n = 0;; n = n + 1) {
                }
            }
            if (pid > 0) {
                children_.push_back(pid);
            }
        }
        if (!children_.empty()) {
            // Long enough for the load to be seen as it is.
            std::this_thread::sleep_for(std::chrono::seconds(2));
        }
    }
    ~BusyMachine()
    {
        for (pid_t pid : children_) {
            kill(pid, SIGKILL);
        }
        for (pid_t pid : children_) {
            waitpid(pid, nullptr, 0);
        }
    }
    BusyMachine(const BusyMachine&) = delete;
    BusyMachine& operator=(const BusyMachine&) = delete;

private:
    std::vector<pid_t> children_;
};

}  // namespace bench
