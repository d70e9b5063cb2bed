// What every benchmark program shares: a stopwatch, the median of repeated runs, a message
// pump, and the one output format scripts/bench relies on ("name value unit", one a line).
#pragma once

#include <windows.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class CWnd;
class CDlg_ComTree;

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
// A copy of the benchmark project in the temporary folder, for benchmarks that write: the
// shared file stays as make-bench-project wrote it. Empty when it could not be made.
std::wstring CopyOfBenchProject(const wchar_t* pszFileName);
// Opens the file as the current project; false, with the reason on stderr, when it cannot.
bool OpenBenchProject(const std::wstring& strPath);
// The panel on the current project in a new host window, shown; the tree built by InitTree
// as a host builds it when bInitTree. NULL when a window could not be made.
CDlg_ComTree* CreateBenchPanel(CWnd& host, bool bInitTree = true);
