// Console output as usual, followed by each benchmark's time as a ratio of the reference
// benchmark measured in the same run, so figures compare across machines and loads.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace qx5::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string referenceName) : reference_(std::move(referenceName)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                results_.emplace_back(run.benchmark_name(), run.GetAdjustedCPUTime());
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        double reference = 0;
        for (const auto& [name, time] : results_) {
            if (name.rfind(reference_, 0) == 0) {
                reference = time;
            }
        }
        if (reference <= 0) {
            return;
        }
        std::printf("\nCPU time per iteration as a multiple of %s:\n", reference_.c_str());
        for (const auto& [name, time] : results_) {
            std::printf("  %-40s %8.2f\n", name.c_str(), time / reference);
        }
    }

private:
    std::string reference_;
    std::vector<std::pair<std::string, double>> results_;
};

// Runs the registered benchmarks with the ratio table; use as the program's main().
inline int RunWithRatios(int argc, char** argv, const std::string& referenceName) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter(referenceName);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

} // namespace qx5::bench
