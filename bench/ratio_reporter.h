#pragma once

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tavrel::bench {

// Prints the usual table, then for every pair "Name/literal" and "Name/indexed" measured in
// the same run the ratio of their times: how many times slower the literal way is. Other pairs
// of names ("Name/groupby" and "Name/cube") are given to the constructor.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    explicit RatioReporter(const std::string& slow = "literal", const std::string& fast = "indexed")
        : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_None) {
        slow_.append(1, '/').append(slow);
        fast_.append(1, '/').append(fast);
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                seconds_[withoutSettings(run.benchmark_name())] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }

    void printRatios() const {
        const std::string slow = slow_.substr(1);
        const std::string fast = fast_.substr(1);
        const std::string title = std::string(slow).append(" / ").append(fast);
        std::printf("\n%-40s %14s %14s %10s\n", title.c_str(), slow.c_str(), fast.c_str(), "ratio");
        for (const auto& [name, literal] : seconds_) {
            const std::string::size_type slash = name.find(slow_);
            if (slash == std::string::npos) {
                continue;
            }
            const std::string base = name.substr(0, slash);
            const std::string rest = name.substr(slash + slow_.size());
            const auto indexed = seconds_.find(base + fast_ + rest);
            if (indexed == seconds_.end()) {
                continue;
            }
            std::printf("%-40s %11.1f us %11.2f us %9.1fx\n", (base + rest).c_str(), literal * 1e6,
                        indexed->second * 1e6, literal / indexed->second);
        }
    }

private:
    // "Name/literal/iterations:3/process_time" is "Name/literal".
    static std::string withoutSettings(std::string name) {
        for (const char* setting :
             {"/iterations:", "/min_time:", "/repeats:", "/process_time", "/real_time"}) {
            const std::string::size_type at = name.find(setting);
            if (at != std::string::npos) {
                const std::string::size_type end = name.find('/', at + 1);
                name.erase(at, end == std::string::npos ? std::string::npos : end - at);
            }
        }
        return name;
    }

    std::string slow_;
    std::string fast_;
    std::map<std::string, double> seconds_;
};

}  // namespace tavrel::bench
