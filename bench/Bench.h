// What every benchmark program shares: a stopwatch, the median of repeated runs, a message
// pump, and the one output format scripts/bench relies on ("name value unit", one a line).
#pragma once

#include <windows.h>
#include <algorithm>
#include <functional>
#include <vector>

// The program's own figures; main() (BenchMain.cpp) runs it on a UI thread with COM up.
int RunBench();

double NowMs();
void PumpPending();
// Runs prepare (untimed) and then measured (timed) `runs` times; returns the median in ms.
double MedianMs(int runs, const std::function<void()>& prepare,
                const std::function<void()>& measured);
void Report(const char* name, double value, const char* unit);
