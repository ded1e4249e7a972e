// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Console output as usual, followed by each benchmark's CPU time as a multiple of the
// reference benchmark measured in the same run, so figures compare across machines and
// loads. With --benchmark_repetitions=N the table gives the median and the spread. Where
// the reference runs with arguments, each benchmark is measured against the reference run
// with the same arguments ("X/zoom:200" against "Reference/zoom:200").
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace qx5::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string referenceName)
        : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular)
        , reference_(std::move(referenceName)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                const std::string name = run.run_name.str();
                if (times_.find(name) == times_.end()) {
                    order_.push_back(name);
                }
                times_[name].push_back(run.GetAdjustedCPUTime());
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        bool headed = false;
        for (const std::string& name : order_) {
            const std::size_t arguments = name.find('/');
            auto reference = times_.end();
            if (arguments != std::string::npos) {
                reference = times_.find(reference_ + name.substr(arguments));
            }
            if (reference == times_.end()) {
                reference = times_.find(reference_);
            }
            if (reference == times_.end()) {
                continue;
            }
            if (!headed) {
                std::printf("\nCPU time per iteration as a multiple of %s (median, min-max):\n",
                            reference_.c_str());
                headed = true;
            }
            const double base = Median(reference->second);
            const std::vector<double>& t = times_[name];
            std::printf("  %-40s %7.2f  (%.2f-%.2f)\n", name.c_str(), Median(t) / base,
                        *std::min_element(t.begin(), t.end()) / base,
                        *std::max_element(t.begin(), t.end()) / base);
        }
    }

private:
    static double Median(std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }

    std::string reference_;
    std::vector<std::string> order_;
    std::map<std::string, std::vector<double>> times_;
};

// Runs the registered benchmarks with the ratio table; use as the program's main().
inline int RunWithRatios(int argc, char** argv, const std::string& referenceName) {
    // Qt takes the user's locale for numbers too; in a Danish one Google Benchmark would
    // read its own flags (--benchmark_min_time=0.001) with a decimal comma.
    std::setlocale(LC_NUMERIC, "C");
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
