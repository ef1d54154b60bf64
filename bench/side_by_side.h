// A case and its baseline timed turn about inside one benchmark loop, so both
// see the same machine load, heap and socket state. Each iteration runs the
// case once and the baseline once; the counters give the median time of each
// (a run the scheduler preempted on a loaded machine does not move it), their
// ratio and the mean page faults of each per run (the process's minor faults,
// every thread counted, as a real open pays them).
#pragma once

#include <benchmark/benchmark.h>

#include <sys/resource.h>

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

    // Median times in microseconds, case over baseline, faults per run.
    void report(benchmark::State& state)
    {
        const double runs = case_.runs() > 0 ? case_.runs() : 1;
        const double base_runs = baseline_.runs() > 0 ? baseline_.runs() : 1;
        const double case_us = case_.median() * 1e6;
        const double base_us = baseline_.median() * 1e6;
        state.counters["case_us"] = case_us;
        state.counters["baseline_us"] = base_us;
        state.counters["ratio"] = base_us > 0 ? case_us / base_us : 0;
        state.counters["case_faults"] = static_cast<double>(case_.faults) / runs;
        state.counters["baseline_faults"] = static_cast<double>(baseline_.faults) / base_runs;
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

    template <class F>
    static void add(F& f, Totals* totals)
    {
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
};

}  // namespace bench
