#include "TreeDump.h"
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

std::wstring DescribeItem(HWND hTree, HTREEITEM hItem, bool bWithState)
{
    wchar_t text[1024] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE;
    item.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = _countof(text);
    TreeView_GetItem(hTree, &item);
    wchar_t images[32];
    swprintf(images, _countof(images), L" %d/%d", item.iImage, item.iSelectedImage);
    std::wstring line = std::wstring(text) + L"\t"
        + RecordFields(reinterpret_cast<const CParamProp*>(item.lParam)) + images;
    if (bWithState) {
        std::wstring flags;
        if (TreeView_GetSelection(hTree) == hItem)
            flags += L"C";
        if (item.state & TVIS_SELECTED)
            flags += L"S";
        if (item.state & TVIS_EXPANDED)
            flags += L"E";
        line += L"\t" + (flags.empty() ? std::wstring(L"-") : flags);
    }
    return line;
}

void DumpItems(HWND hTree, HTREEITEM h, int depth, bool bWithState, bool bSiblings,
               std::wstring& out)
{
    for (; h; h = bSiblings ? TreeView_GetNextSibling(hTree, h) : NULL) {
        out.append(depth * 2, L' ');
        out += DescribeItem(hTree, h, bWithState) + L"\n";
        DumpItems(hTree, TreeView_GetChild(hTree, h), depth + 1, bWithState, true, out);
    }
}

} // namespace

std::wstring RecordFields(const CParamProp* p)
{
    wchar_t head[48], tail[64];
    swprintf(head, _countof(head), L"%ls %d ", KindName(p), p ? p->m_nFloorID : 0);
    swprintf(tail, _countof(tail), L" %d %g", p ? p->m_nComType : 0,
             p ? (double)p->m_fVolume : 0.0);
    return head + std::wstring((p && !p->m_strID.IsEmpty()) ? p->m_strID.GetString() : L"-") + tail;
}

std::wstring DumpComponentTree(HWND hTree, bool bWithState, HTREEITEM hFrom)
{
    std::wstring out;
    DumpItems(hTree, hFrom ? hFrom : TreeView_GetRoot(hTree), 0, bWithState, hFrom == NULL, out);
    return out;
}
