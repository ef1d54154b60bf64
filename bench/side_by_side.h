// A case and its baseline timed turn about inside one benchmark loop, so both
// see the same machine load, heap and socket state. Each iteration runs the
// case once and the baseline once; the counters give the median time of each
// (a run the scheduler preempted on a loaded machine does not move it), their
// ratio, and per run the mean page faults of each (the process's minor
// faults, every thread counted, as a real open pays them) and the mean
// process CPU time of each. A side's CPU time runs from its start to the
// start of the next run of either side, so what its threads spend after it
// returns (a pool's workers waiting for the next job) is its own.
#pragma once

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

namespace bench {

class SideBySide {
public:
    // Runs f once and adds its time and page faults to the case's totals.
    template <class F>
    void time_case(F&& f)
    {
        add(f, &case_);
    }
    template <class F>
    void time_baseline(F&& f)
    {
        add(f, &baseline_);
    }

    // Runs f for neither side: its CPU time counts to none (a side's span
    // ends here).
    template <class F>
    void untimed(F&& f)
    {
        close_cpu_span();
        f();
    }

    // Median times in microseconds, case over baseline, faults and CPU
    // microseconds per run.
    void report(benchmark::State& state)
    {
        close_cpu_span();
        const double runs = case_.runs() > 0 ? case_.runs() : 1;
        const double base_runs = baseline_.runs() > 0 ? baseline_.runs() : 1;
        const double case_us = case_.median() * 1e6;
        const double base_us = baseline_.median() * 1e6;
        state.counters["case_us"] = case_us;
        state.counters["baseline_us"] = base_us;
        state.counters["ratio"] = base_us > 0 ? case_us / base_us : 0;
        state.counters["case_faults"] = static_cast<double>(case_.faults) / runs;
        state.counters["baseline_faults"] = static_cast<double>(baseline_.faults) / base_runs;
        state.counters["case_cpu_us"] = case_.cpu_seconds * 1e6 / runs;
        state.counters["baseline_cpu_us"] = baseline_.cpu_seconds * 1e6 / base_runs;
    }

    // The process's CPU time, every thread counted, in seconds.
    static double process_cpu_seconds()
    {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }

    // Median baseline time over median case time: the speed-up of the case.
    double speedup()
    {
        const double case_s = case_.median();
        return case_s > 0 ? baseline_.median() / case_s : 0;
    }

private:
    struct Totals {
        std::vector<double> seconds;
        long faults = 0;
        double cpu_seconds = 0;
        long runs() const { return static_cast<long>(seconds.size()); }
        double median()
        {
            if (seconds.empty()) {
                return 0;
            }
            auto middle = seconds.begin() + static_cast<std::ptrdiff_t>(seconds.size() / 2);
            std::nth_element(seconds.begin(), middle, seconds.end());
            return *middle;
        }
    };

    void close_cpu_span()
    {
        if (open_ != nullptr) {
            open_->cpu_seconds += process_cpu_seconds() - open_since_;
            open_ = nullptr;
        }
    }

    template <class F>
    void add(F& f, Totals* totals)
    {
        close_cpu_span();
        open_ = totals;
        open_since_ = process_cpu_seconds();
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const auto start = std::chrono::steady_clock::now();
        f();
        const auto end = std::chrono::steady_clock::now();
        getrusage(RUSAGE_SELF, &after);
        totals->seconds.push_back(std::chrono::duration<double>(end - start).count());
        totals->faults += after.ru_minflt - before.ru_minflt + after.ru_majflt - before.ru_majflt;
    }

    Totals case_;
    Totals baseline_;
    Totals* open_ = nullptr;  // the side whose CPU span runs
    double open_since_ = 0;
};

}  // namespace bench
