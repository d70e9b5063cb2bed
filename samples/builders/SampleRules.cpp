#include "SampleRules.h"
#include <windows.h>
#include <msxml.h>
#include <oleauto.h>

namespace {

std::wstring Attr(IXMLDOMNode* node, const wchar_t* name)
{
    std::wstring value;
    IXMLDOMNamedNodeMap* attrs = nullptr;
    if (node->get_attributes(&attrs) != S_OK || !attrs)
        return value;
    BSTR bname = SysAllocString(name);
    IXMLDOMNode* attr = nullptr;
    if (attrs->getNamedItem(bname, &attr) == S_OK && attr) {
        BSTR text = nullptr;
        if (attr->get_text(&text) == S_OK && text)
            value = text;
        SysFreeString(text);
        attr->Release();
    }
    SysFreeString(bname);
    attrs->Release();
    return value;
}

bool IsTrue(const std::wstring& v) { return _wcsicmp(v.c_str(), L"true") == 0 || v == L"1"; }

std::wstring LastTwo(const std::wstring& s) { return s.size() < 2 ? s : s.substr(s.size() - 2); }

FolderRow ReadFolder(IXMLDOMNode* node, bool isSub, const std::wstring& parentNameId)
{
    FolderRow f;
    f.strId = LastTwo(Attr(node, L"NameId")).c_str();
    f.strParentId = isSub ? LastTwo(parentNameId).c_str() : L"";
    f.strName = Attr(node, L"Name").c_str();
    f.nImage = _wtoi(Attr(node, L"ImageIndex").c_str());
    f.nSelectedImage = _wtoi(Attr(node, L"SelectedIndex").c_str());
    f.nComType = _wtoi(Attr(node, L"ComType").c_str());
    f.nShowId = _wtoi(Attr(node, L"ShowID").c_str());
    f.nAllowOwnerCom = IsTrue(Attr(node, L"AllowOwnerCom"));
    f.nAllowAddUserFolder = IsTrue(Attr(node, L"AllowAddUserFolder"));
    f.nInitCreate = IsTrue(Attr(node, L"InitCreate"));
    return f;
}

std::vector<IXMLDOMNode*> Elements(IXMLDOMNode* parent)
{
    std::vector<IXMLDOMNode*> out;
    IXMLDOMNode* child = nullptr;
    if (parent->get_firstChild(&child) != S_OK)
        return out;
    while (child) {
        DOMNodeType type;
        child->get_nodeType(&type);
        IXMLDOMNode* next = nullptr;
        child->get_nextSibling(&next);
        if (type == NODE_ELEMENT)
            out.push_back(child);
        else
            child->Release();
        child = next;
    }
    return out;
}

} // namespace

std::vector<FolderRow> ReadOtherFloorFolders(const std::wstring& path)
{
    std::vector<FolderRow> folders;
    CLSID clsid;
    if (CLSIDFromProgID(L"MSXML.DOMDocument", &clsid) != S_OK)
        return folders;
    IXMLDOMDocument* doc = nullptr;
    if (CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument, (void**)&doc) != S_OK)
        return folders;
    doc->put_async(VARIANT_FALSE);
    VARIANT file;
    VariantInit(&file);
    file.vt = VT_BSTR;
    file.bstrVal = SysAllocString(path.c_str());
    VARIANT_BOOL ok = VARIANT_FALSE;
    IXMLDOMElement* root = nullptr;
    if (doc->load(file, &ok) == S_OK && ok == VARIANT_TRUE
        && doc->get_documentElement(&root) == S_OK && root) {
        for (IXMLDOMNode* section : Elements(root)) {
            BSTR name = nullptr;
            section->get_nodeName(&name);
            if (name && _wcsicmp(name, L"OtherFloor") == 0) {
                for (IXMLDOMNode* top : Elements(section)) {
                    folders.push_back(ReadFolder(top, false, L""));
                    std::wstring nameId = Attr(top, L"NameId");
                    for (IXMLDOMNode* sub : Elements(top)) {
                        folders.push_back(ReadFolder(sub, true, nameId));
                        sub->Release();
                    }
                    top->Release();
                }
            }
            SysFreeString(name);
            section->Release();
        }
        root->Release();
    }
    VariantClear(&file);
    doc->Release();
    return folders;
}
