// SPDX-License-Identifier: Apache-2.0
#pragma once

// Small helpers shared by the benchmark programs. They use only the C++ and
// POSIX libraries, so the sender links nothing of the client.

#include <string>
#include <vector>

namespace bench {

// CLOCK_MONOTONIC in nanoseconds: the same clock in every process, so a time
// taken by the sender can be compared with one taken by the receiver.
long long nowNs();

// CPU time of the calling thread / of the whole process, in nanoseconds.
long long threadCpuNs();
long long processCpuNs();
// CPU time of this process's threads named `name` (as ps shows them), in
// nanoseconds: the scheduler's own count, finer than the clock ticks of stat.
long long namedThreadsCpuNs(const char *name);

// Resident set size and its high-water mark of this process, in KiB.
long long residentKiB();
long long peakResidentKiB();

// The read response of simulated device number `index`: a distinct MAC per
// index, varied texts and device types so that the table sorts and widens.
// By default devices 2k and 2k+1 show the same IP address. With `shared` >= 0
// only the first `shared` devices share addresses, `group` to an address, and
// every other device has one of its own.
std::string deviceAnswer(int index, int shared = -1, int group = 2);

// True when every IPv4 address of this process's network namespace is a
// loopback one: only then may a benchmark let the client broadcast.
bool onlyLoopback();

// True when UDP port `port` is bound by some socket of this namespace.
bool udpPortBound(unsigned short port);

// Runs `argv` with its standard output on a pipe; returns the child's pid and
// the read end in *outFd, or -1. Its diagnostics go to /dev/null unless
// ZOL_BENCH_VERBOSE is set.
int spawnWithPipe(const std::vector<std::string> &argv, int *outFd);

// True when ZOL_BENCH_VERBOSE is set: children keep their diagnostics.
bool verbose();

// Reads everything from fd until end of file, then closes it.
std::string readAll(int fd);

// Waits for the child and returns its exit status (or -1).
int waitChild(int pid);

// The value of "key=value" in a multi-line text; empty when missing.
std::string valueOf(const std::string &text, const std::string &key);

// Median of a list (the mean of the middle two for an even count).
double median(std::vector<double> values);

// Folder of the running executable (for finding the sibling programs).
std::string executableDir();

// Prints the load average and the number of CPUs: figures from a busy
// machine are read differently.
void printLoad();

} // namespace bench
