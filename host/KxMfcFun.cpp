#include "KxMfcFun.h"
#include <string>

namespace {
std::wstring g_dataPath;
bool g_bSet = false;

std::wstring Trimmed(std::wstring path)
{
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')
           && path[path.size() - 2] != L':')
        path.pop_back();
    if (path.size() == 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/'))
        path.pop_back(); // "C:\" -> "C:", so "C:" + "\bmp" is right
    return path;
}
} // namespace

namespace KxMfc {
namespace Fun {

CString GetSysDataPath()
{
    if (!g_bSet) {
        wchar_t exe[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring dir(exe);
        size_t slash = dir.find_last_of(L"\\/");
        dir = slash == std::wstring::npos ? L"." : dir.substr(0, slash);
        return CString((dir + L"\\data").c_str());
    }
    return CString(g_dataPath.c_str());
}

void SetSysDataPath(LPCTSTR pszPath)
{
    g_dataPath = Trimmed(pszPath ? pszPath : L"");
    g_bSet = !g_dataPath.empty();
}

} // namespace Fun
} // namespace KxMfc
