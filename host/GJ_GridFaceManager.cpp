#include "GJ_GridFaceManager.h"
#include "KxMfcFun.h"
#include <map>
#include <string>
#include <vector>

struct CGJ_GridFaceManager::Impl
{
    std::map<std::wstring, std::wstring> texts; // upper-case key -> text
};

namespace {
std::wstring Upper(const wchar_t* s)
{
    std::wstring r(s ? s : L"");
    if (!r.empty())
        CharUpperBuffW(&r[0], static_cast<DWORD>(r.size()));
    return r;
}
} // namespace

CGJ_GridFaceManager::CGJ_GridFaceManager() : m_pImpl(new Impl) {}

CGJ_GridFaceManager::~CGJ_GridFaceManager() { delete m_pImpl; }

CGJ_GridFaceManager* CGJ_GridFaceManager::Instance()
{
    static CGJ_GridFaceManager s_instance;
    return &s_instance;
}

void CGJ_GridFaceManager::SetGridFace(LPCTSTR pszKey, LPCTSTR pszText)
{
    if (!pszKey || !*pszKey)
        return;
    m_pImpl->texts[Upper(pszKey)] = pszText ? pszText : L"";
}

void CGJ_GridFaceManager::ClearGridFaces() { m_pImpl->texts.clear(); }

CString CGJ_GridFaceManager::DecodeText(const void* pData, size_t nSize)
{
    const unsigned char* p = static_cast<const unsigned char*>(pData);
    if (!p || nSize == 0)
        return CString();
    if (nSize >= 2 && (p[0] == 0xFF && p[1] == 0xFE)) {
        size_t n = (nSize - 2) / 2;
        return CString(reinterpret_cast<const wchar_t*>(p + 2), static_cast<int>(n));
    }
    if (nSize >= 2 && (p[0] == 0xFE && p[1] == 0xFF)) {
        size_t n = (nSize - 2) / 2;
        std::wstring w(n, L'\0');
        for (size_t i = 0; i < n; ++i)
            w[i] = static_cast<wchar_t>((p[2 + 2 * i] << 8) | p[3 + 2 * i]);
        return CString(w.c_str(), static_cast<int>(n));
    }
    UINT codePage = CP_UTF8;
    if (nSize >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        p += 3;
        nSize -= 3;
    } else if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(p),
                                   static_cast<int>(nSize), nullptr, 0)
               == 0) {
        codePage = CP_ACP;
    }
    int n = MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(p),
                                static_cast<int>(nSize), nullptr, 0);
    if (n <= 0)
        return CString();
    std::wstring w(n, L'\0');
    MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(p), static_cast<int>(nSize),
                        &w[0], n);
    return CString(w.c_str(), n);
}

CString CGJ_GridFaceManager::GetGridFace(LPCTSTR pszKey)
{
    if (!pszKey || !*pszKey)
        return CString();
    auto it = m_pImpl->texts.find(Upper(pszKey));
    if (it != m_pImpl->texts.end())
        return CString(it->second.c_str(), static_cast<int>(it->second.size()));
    // Keys name files in the data folder; a key that could leave it is no key of ours.
    if (wcspbrk(pszKey, L"\\/:*?\"<>|") || wcsstr(pszKey, L".."))
        return CString();
    CString path = KxMfc::Fun::GetSysDataPath() + L"\\" + pszKey + L".xml";
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return CString();
    LARGE_INTEGER size = {};
    std::vector<unsigned char> bytes;
    if (GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart < 64 * 1024 * 1024) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
            got = 0;
        bytes.resize(got);
    }
    CloseHandle(h);
    return DecodeText(bytes.data(), bytes.size());
}
