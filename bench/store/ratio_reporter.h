#pragma once
// A console reporter that, after the usual lines, prints each operation measured on both sides with its
// ratio. Benchmarks are named "<operation>/<side>"; the first side registered is the numerator. With
// --benchmark_repetitions the median of the repetitions is taken (the machine may be shared).

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench_ratio {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter(std::string numerator, std::string denominator)
        : m_numerator(std::move(numerator))
        , m_denominator(std::move(denominator))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Figure {
        double time = 0;  // adjusted real time, in unit
        benchmark::TimeUnit unit = benchmark::kNanosecond;
    };

    std::string m_numerator;
    std::string m_denominator;
    std::vector<std::string> m_operations;                           // in the order first reported
    std::map<std::string, std::map<std::string, Figure>> m_figures;  // operation -> side -> figure
};

}  // namespace bench_ratio
