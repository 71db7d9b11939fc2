// Benchmarks that time whole processes, as a user waits for them: starting a
// program, waiting for it and reading what it cost.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tarvel::bench {

struct Measure {
    double seconds = 0;    // wall time
    double peakMiB = 0;    // the child's peak resident memory
    double cpuSeconds = 0; // user and system time over all its threads
};

// Replaces this (forked) process with argv; exits 127 when it cannot.
[[noreturn]] void execArguments(const std::vector<std::string>& argv);

// Runs argv with its standard output sent to outPath and waits for it.
// Exits the bench when the child fails, since a failed run measures nothing.
Measure runProcess(const std::vector<std::string>& argv, const std::string& outPath = "/dev/null");

// The middle run by wall time, with the highest peak memory of all runs.
Measure median(std::vector<Measure> runs);

double median(std::vector<double> values);

} // namespace tarvel::bench
