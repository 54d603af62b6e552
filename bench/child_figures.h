// Running a benchmark child (children/) and reading the figures it printed: lines of
// "name value" pairs, and the frame periods of loop_report.h.
#pragma once

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace zrv::bench {

struct ChildFigures {
    bool ok = false;
    std::string output;

    // The number after the word name, or -1 when it was not printed.
    double Figure(const std::string& name) const {
        std::istringstream in(output);
        std::string word;
        while (in >> word) {
            if (word == name) {
                double value = -1;
                in >> value;
                return value;
            }
        }
        return -1;
    }

    std::vector<double> Periods() const {
        std::vector<double> periods;
        const std::string key = "\nperiods";
        const std::size_t at = output.find(key);
        if (at == std::string::npos) return periods;
        const std::size_t from = at + key.size();
        std::istringstream in(output.substr(from, output.find('\n', from) - from));
        double p = 0;
        while (in >> p) periods.push_back(p);
        return periods;
    }
};

inline ChildFigures RunBenchChild(const std::string& program, const std::vector<std::string>& args) {
    test::ChildOptions options;
    options.args = args;
    options.timeoutSeconds = 120;
    const test::ChildResult result = test::RunChild(program, options);
    return {result.exited && result.exitCode == 0, result.out + result.err};
}

// The child's figures, or a skip with what it printed.
inline bool RanChild(benchmark::State& state, const ChildFigures& figures, const char* what) {
    if (figures.ok) return true;
    state.SkipWithError((std::string(what) + " failed: " + figures.output.substr(0, 200)).c_str());
    return false;
}

}  // namespace zrv::bench
