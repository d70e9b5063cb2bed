// CTiming: a timing scope. From construction to destruction it measures the time and adds it
// to the record of its label, so a benchmark can read how long a handler took:
//
//   { CTiming t(L"CTreeCtrlEx::OnLButtonDown", true, L"全局统计", false); ... }
//   double ms = CTiming::GetLastMilliseconds(L"CTreeCtrlEx::OnLButtonDown");
//
// Arguments: the label; whether to measure at all; the group the label belongs to; whether to
// also write each duration to the debugger output. Records are process-wide and thread-safe.
#pragma once
#include "afxtempl.h"
#include "HostExport.h"

class KXHOST_API CTiming
{
public:
    CTiming(LPCTSTR pszLabel, bool bEnabled = true, LPCTSTR pszGroup = NULL, bool bTrace = false);
    virtual ~CTiming();

    // Milliseconds since construction (0 when disabled).
    double ElapsedMilliseconds() const;

    static int GetCount(LPCTSTR pszLabel);
    static double GetTotalMilliseconds(LPCTSTR pszLabel);
    static double GetLastMilliseconds(LPCTSTR pszLabel);
    static double GetMaxMilliseconds(LPCTSTR pszLabel);
    static CString GetGroup(LPCTSTR pszLabel);
    static void GetLabels(CStringArray& arrLabels);
    static void Reset(LPCTSTR pszLabel = NULL); // NULL: every label

private:
    CTiming(const CTiming&) = delete;
    CTiming& operator=(const CTiming&) = delete;
    CString m_strLabel;
    CString m_strGroup;
    bool m_bEnabled;
    bool m_bTrace;
    LONGLONG m_nStart;
};
