// The demo host's main frame in this process on a copy of the sample project, driven by
// scripted steps (the demo's own step language), with what the checks of long sessions and
// failing writes need: the four project tables as text and the tree's invariants.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <memory>
#include <string>

class CDemoFrame;
class CCompoentsTreeCtrl;

class CScriptSession
{
public:
    CScriptSession();
    ~CScriptSession();

    // A fresh copy of the sample project at path, opened in a new frame.
    bool Open(const std::wstring& path, std::wstring* pWhy);
    void Close();

    // Runs script text; returns the demo's exit code (0, or 3 when a step could not run) and
    // what the steps printed in *pOut.
    int Run(const std::wstring& text, std::wstring* pOut = nullptr);

    // Every row of floor, comfolder, component and componentresult, and of the component
    // set-ups and project settings the commands also write, in key order.
    static std::wstring Tables();
    // "" when the tree keeps its invariants, else the first broken one: every component item
    // has its row (floor, folder, name, count), one record per item, and no kept handle names
    // a removed item.
    std::wstring CheckTree();

    CCompoentsTreeCtrl& Tree();
    HWND TreeWnd();
    // The item's path as script steps name it ("project / floor / folder / label").
    std::wstring PathOf(HTREEITEM hItem);

private:
    std::unique_ptr<CDemoFrame> m_pFrame;
    long m_nRecordsBefore = 0;
};

// UTF-8 for the test's printed report.
std::string Utf8(const std::wstring& text);
