#include "TreeDump.h"
#include <commctrl.h>
#include <cwchar>
#include "tree/ParamProp.h"

namespace {

const wchar_t* KindName(const CParamProp* p)
{
    if (!p)
        return L"none";
    switch (p->m_nNodeType) {
    case CParamProp::NodeProject:
        return L"project";
    case CParamProp::NodeFloor:
        return L"floor";
    case CParamProp::NodeFolder:
        return L"folder";
    case CParamProp::NodeComponent:
        return L"component";
    }
    return L"unknown";
}

void DumpItem(HWND hTree, HTREEITEM hItem, int depth, std::wstring& out)
{
    for (; hItem; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        wchar_t text[1024] = L"";
        TVITEMW item = {};
        item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        item.hItem = hItem;
        item.pszText = text;
        item.cchTextMax = _countof(text);
        TreeView_GetItem(hTree, &item);
        const CParamProp* p = reinterpret_cast<const CParamProp*>(item.lParam);

        out.append(depth * 2, L' ');
        out += text;
        wchar_t fields[256];
        swprintf(fields, _countof(fields), L"\t%ls %d %ls %d %g %d/%d\n", KindName(p),
                 p ? p->m_nFloorID : 0,
                 (p && !p->m_strID.IsEmpty()) ? p->m_strID.GetString() : L"-",
                 p ? p->m_nComType : 0, p ? (double)p->m_fVolume : 0.0, item.iImage,
                 item.iSelectedImage);
        out += fields;
        DumpItem(hTree, TreeView_GetChild(hTree, hItem), depth + 1, out);
    }
}

} // namespace

std::wstring DumpComponentTree(HWND hTree)
{
    std::wstring out;
    DumpItem(hTree, TreeView_GetRoot(hTree), 0, out);
    return out;
}
