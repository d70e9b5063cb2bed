// What every benchmark program shares: a stopwatch, the median of repeated runs, a message
// pump, and the one output format scripts/bench relies on ("name value unit", one a line).
#pragma once

#include <windows.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class CWnd;

// The program's own figures; main() (BenchMain.cpp) runs it on a UI thread with COM up.
int RunBench();

double NowMs();
void PumpPending();
// Runs prepare (untimed) and then measured (timed) `runs` times; returns the median in ms.
double MedianMs(int runs, const std::function<void()>& prepare,
                const std::function<void()>& measured);
void Report(const char* name, double value, const char* unit);

// The benchmark project (100 floors, 40 folders each, 24 components in every folder: about
// 100,000 items), written by make-bench-project.exe into the temporary folder on first use
// and reused. Empty when it could not be written.
std::wstring BenchProjectPath();
// A visible top-level window to hold the controls under test.
bool CreateHostWindow(CWnd& host, int width, int height);
