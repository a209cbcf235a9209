#include "bench/store/ratio_reporter.h"

#include <algorithm>
#include <cstdio>

namespace bench_ratio {

namespace {

double seconds_per(benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return 1e-9;
    case benchmark::kMicrosecond:
        return 1e-6;
    case benchmark::kMillisecond:
        return 1e-3;
    case benchmark::kSecond:
        return 1;
    }
    return 1;
}

// A figure in the unit that keeps it readable.
std::string shown(double seconds)
{
    char text[32];
    if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%10.2f ms", seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%10.3f us", seconds * 1e6);
    return text;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // With --benchmark_repetitions the median stands for the operation (it comes after the runs).
        bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if ((run.run_type != Run::RT_Iteration && !median) || run.error_occurred)
            continue;
        std::string name = run.benchmark_name();
        size_t slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        std::string operation = name.substr(0, slash);
        std::string side = name.substr(slash + 1, name.find_first_of("/_", slash + 1) - slash - 1);
        if (std::find(m_operations.begin(), m_operations.end(), operation) == m_operations.end())
            m_operations.push_back(operation);
        m_figures[operation][side] = {run.GetAdjustedRealTime(), run.time_unit};
    }
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    std::printf("\n%-28s %14s %14s %8s\n", "operation", m_numerator.c_str(), m_denominator.c_str(), "ratio");
    for (const std::string& operation : m_operations) {
        auto& sides = m_figures[operation];
        if (!sides.count(m_numerator) || !sides.count(m_denominator))
            continue;
        double a = sides[m_numerator].time * seconds_per(sides[m_numerator].unit);
        double b = sides[m_denominator].time * seconds_per(sides[m_denominator].unit);
        std::printf("%-28s %14s %14s %8.2f\n", operation.c_str(), shown(a).c_str(), shown(b).c_str(), a / b);
    }
    std::fflush(stdout);
}

}  // namespace bench_ratio
