#include "Bench.h"

#include <commctrl.h>
#include <objbase.h>
#include <stdio.h>

double NowMs()
{
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)freq.QuadPart;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double MedianMs(int runs, const std::function<void()>& prepare,
                const std::function<void()>& measured)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        PumpPending();
        const double start = NowMs();
        measured();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, double value, const char* unit)
{
    printf("%s %.3f %s\n", name, value, unit);
    fflush(stdout);
}

int main()
{
    HRESULT hr = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    const int rc = RunBench();
    if (SUCCEEDED(hr))
        CoUninitialize();
    return rc;
}
