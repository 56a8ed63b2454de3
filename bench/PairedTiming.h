#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

// Times a piece of work and its floor in turns within one benchmark, on the wall clock: the
// work's time is the benchmark's (manual) time, the floor's mean and the ratio of the two means
// become the counters floor_ms and x_floor. What each iteration sets up outside the two stays
// out of both.
class PairedTiming {
public:
    explicit PairedTiming(benchmark::State& state) : state_(state) {}
    PairedTiming(const PairedTiming&) = delete;
    PairedTiming& operator=(const PairedTiming&) = delete;

    ~PairedTiming() {
        if (works_ == 0 || floors_ == 0 || floor_ <= 0)
            return;
        state_.counters["floor_ms"] = floor_ / floors_ * 1e3;
        state_.counters["x_floor"] = (work_ / works_) / (floor_ / floors_);
    }

    template <typename Work>
    void work(Work&& run) {
        const double spent = seconds(run);
        state_.SetIterationTime(spent);
        work_ += spent;
        ++works_;
    }

    template <typename Floor>
    void floor(Floor&& run) {
        floor_ += seconds(run);
        ++floors_;
    }

private:
    template <typename Run>
    static double seconds(Run& run) {
        const auto start = std::chrono::steady_clock::now();
        run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    benchmark::State& state_;
    double work_ = 0, floor_ = 0;
    int works_ = 0, floors_ = 0;
};

// The three database sizes, timed by PairedTiming, a few iterations each: the largest take seconds.
inline void pairedSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
}
