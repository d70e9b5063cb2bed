// The module's icons and the sample data folder, checked the way the module will use them:
// icons loaded from comtree.dll by id at 16x16, pictures loaded from disk into a 40x40 24-bit
// image list with the wizard's mask colour, and both rule texts read by the module's own rule
// readers over the real XML DOM. What is checked is what the tree, the folder store and the
// wizard take for granted about their inputs.
#include <windows.h>
#include <commctrl.h>
#include <msxml.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "CImageList.h"
#include "TestProject.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include "folders/ComFolderRuleManager.h"
#include "wizard/CreateComFolderRuleManager.h"

#ifndef COMTREE_SAMPLE_DATA_DIR
#error "COMTREE_SAMPLE_DATA_DIR names the source tree's samples/data"
#endif

namespace {

const std::wstring kDataDir = COMTREE_SAMPLE_DATA_DIR;

// Every component type code that has a default-name prefix: the codes a new component can get
// from the wizard.
const int kTypeCodes[] = {
    111, 112, 113, 114, 115, 116, 121, 122, 123, 124, 125, 131, 132, 133, 141, 142, 143, 144,
    211, 212, 213, 214, 215, 221, 222, 223, 231, 241, 311, 312, 322, 411, 412, 413, 511, 512,
    521, 522, 523, 531, 532, 533, 534, 535, 536, 541, 542, 551, 552, 553, 561, 562, 563, 571,
    581, 582, 583, 611, 612, 613, 614, 621, 711, 712, 713, 714, 715, 716, 717, 718, 719,
};

bool IsTypeCode(int code)
{
    return std::find(std::begin(kTypeCodes), std::end(kTypeCodes), code) != std::end(kTypeCodes);
}

// The file as the host's text provider hands it over: UTF-16, byte-order mark removed.
bool ReadText(const std::wstring& path, std::wstring& text)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    BOOL ok = bytes.empty() || ReadFile(h, &bytes[0], (DWORD)bytes.size(), &read, nullptr);
    CloseHandle(h);
    if (!ok || read != bytes.size())
        return false;
    if (bytes.size() >= 2 && (BYTE)bytes[0] == 0xFF && (BYTE)bytes[1] == 0xFE) {
        text.assign((const wchar_t*)(bytes.data() + 2), (bytes.size() - 2) / 2);
        return true;
    }
    size_t start = (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) ? 3 : 0;
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data() + start,
                                (int)(bytes.size() - start), nullptr, 0);
    if (n <= 0)
        return false;
    text.assign(n, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data() + start,
                        (int)(bytes.size() - start), &text[0], n);
    return true;
}

// Loads the text into a DOM document and says why when the parser refuses it; the rule
// readers only return 0 in that case.
std::string ParseProblem(const std::wstring& text)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"MSXML.DOMDocument", &clsid)))
        return "MSXML.DOMDocument is not registered";
    IXMLDOMDocument* doc = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument, (void**)&doc)))
        return "no XML DOM document";
    BSTR bstr = SysAllocStringLen(text.data(), (UINT)text.size());
    VARIANT_BOOL ok = VARIANT_FALSE;
    doc->loadXML(bstr, &ok);
    SysFreeString(bstr);
    std::string problem;
    if (ok != VARIANT_TRUE) {
        problem = "not well-formed";
        IXMLDOMParseError* error = nullptr;
        if (SUCCEEDED(doc->get_parseError(&error)) && error) {
            long line = 0;
            BSTR reason = nullptr;
            error->get_line(&line);
            error->get_reason(&reason);
            problem += " at line " + std::to_string(line) + ": "
                + (reason ? Narrow(reason) : std::string());
            SysFreeString(reason);
            error->Release();
        }
    }
    doc->Release();
    return problem;
}

bool IsDigits(const CString& text)
{
    if (text.IsEmpty())
        return false;
    for (int i = 0; i < text.GetLength(); ++i)
        if (!iswdigit(text[i]))
            return false;
    return true;
}

std::string Describe(const CComFolderProp* folder)
{
    return Narrow(std::wstring(L"folder ") + (LPCWSTR)folder->m_strNameId + L" "
                  + (LPCWSTR)folder->m_strName);
}

std::string Describe(const CTreeNodeProp* node)
{
    return Narrow(std::wstring(L"node ") + (LPCWSTR)node->m_strNameID + L" "
                  + (LPCWSTR)node->m_strName);
}

// The rule records of one section of TREE.xml, read by the folder store's own reader.
class FolderRules : public testing::Test
{
protected:
    void Load(const wchar_t* section)
    {
        std::wstring text;
        ASSERT_TRUE(ReadText(kDataDir + L"/TREE.xml", text)) << "cannot read TREE.xml";
        ASSERT_EQ("", ParseProblem(text));
        ASSERT_EQ(1, m_rules.LoadRule(CString(text.c_str()), CString(section)));
        ASSERT_GT(m_rules.m_arrRule.GetSize(), 0) << "no folders in section " << Narrow(section);
    }

    // Checks every invariant of one section; returns the folder ids by record.
    void CheckSection()
    {
        std::set<int> ids;
        int category = -1;
        for (INT_PTR i = 0; i < m_rules.m_arrRule.GetSize(); ++i) {
            const CComFolderProp* f = m_rules.m_arrRule[i];
            SCOPED_TRACE(Describe(f));
            // A comment or a stray text node inside a section would come back as a folder
            // with no name and no id; the text has none.
            EXPECT_FALSE(f->m_strName.IsEmpty());
            ASSERT_EQ(4, f->m_strNameId.GetLength());
            ASSERT_TRUE(IsDigits(f->m_strNameId));
            CString id = f->m_strNameId.Right(2);
            int n = _wtoi(id);
            EXPECT_TRUE(ids.insert(n).second) << "folder id used twice";
            EXPECT_TRUE(IsTypeCode(f->m_nComType)) << "type code " << f->m_nComType;
            EXPECT_GE(f->m_nImageIndex, 0);
            EXPECT_LE(f->m_nImageIndex, 12);
            EXPECT_GE(f->m_nSelectedIndex, 0);
            EXPECT_LE(f->m_nSelectedIndex, 12);
            if (f->m_strParentId.IsEmpty()) {
                // Category: heads the by-component layout, which takes multiples of 10 below 99.
                EXPECT_EQ(0, n % 10);
                EXPECT_GT(n, 0);
                EXPECT_LT(n, 99);
                EXPECT_EQ(f->m_strNameId.Left(2), id) << "a category's NameId repeats its id";
                EXPECT_FALSE(f->m_bAllowOwnerCom) << "components belong in sub-folders";
                EXPECT_TRUE(f->m_bInitCreate) << "a hidden category hides all it holds";
                // User folders added to a category take its type, and custom components in them
                // the family's custom code; a type of another family would put them elsewhere.
                EXPECT_EQ(n / 10, f->m_nComType / 100) << "type code from another family";
                category = n;
            } else {
                ASSERT_EQ(2, f->m_strParentId.GetLength());
                int parent = _wtoi(f->m_strParentId);
                EXPECT_EQ(category, parent) << "sub-folders follow their category";
                EXPECT_GT(n, parent) << "a child folder's id is larger than its parent's";
                EXPECT_LT(n, parent + 10) << "a sub-folder stays in its category's decade";
                EXPECT_EQ(f->m_strNameId.Left(2), f->m_strParentId);
                EXPECT_TRUE(f->m_bAllowOwnerCom);
                EXPECT_EQ(parent / 10, f->m_nComType / 100) << "type code from another family";
                m_subFolderTypes.insert(f->m_nComType);
                if (!f->m_bInitCreate)
                    ++m_hidden;
            }
        }
        m_ids = ids;
    }

    CComFolderRuleManager m_rules;
    std::set<int> m_ids;
    std::set<int> m_subFolderTypes;
    int m_hidden = 0;
};

// The wizard's records, read by the wizard's own reader.
class WizardRules : public testing::Test
{
protected:
    void SetUp() override
    {
        std::wstring text;
        ASSERT_TRUE(ReadText(kDataDir + L"/CreateComTREE.xml", text))
            << "cannot read CreateComTREE.xml";
        ASSERT_EQ("", ParseProblem(text));
        ASSERT_EQ(1, m_rules.LoadRule(CString(text.c_str())));
        ASSERT_GT(m_rules.m_arrNodes.GetSize(), 0);
    }

    CCreateComFolderRuleManager m_rules;
};

std::wstring PicturePath(int n) { return kDataDir + L"/bmp/" + std::to_wstring(n) + L".bmp"; }

// The pixels of a 24-bit picture file as the wizard loads it (a DIB section at its own size).
struct Picture
{
    int width = 0, height = 0, bits = 0;
    std::vector<BYTE> pixels; // top-down BGR rows as GetDIBits returns them
};

bool LoadPicture(const std::wstring& path, Picture& picture, HBITMAP* keep = nullptr)
{
    HBITMAP bmp = (HBITMAP)LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bmp)
        return false;
    DIBSECTION ds = {};
    GetObjectW(bmp, sizeof(ds), &ds);
    picture.width = ds.dsBm.bmWidth;
    picture.height = ds.dsBm.bmHeight;
    picture.bits = ds.dsBm.bmBitsPixel;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = picture.width;
    bi.bmiHeader.biHeight = -picture.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    int stride = (picture.width * 3 + 3) & ~3;
    picture.pixels.assign((size_t)stride * picture.height, 0);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bmp, 0, picture.height, picture.pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (keep)
        *keep = bmp;
    else
        DeleteObject(bmp);
    return true;
}

// Share of pixels in the wizard's mask colour RGB(255,255,254): what the list shows as
// transparent.
double MaskShare(const Picture& p)
{
    int masked = 0;
    int stride = (p.width * 3 + 3) & ~3;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const BYTE* px = &p.pixels[(size_t)y * stride + x * 3];
            if (px[0] == 254 && px[1] == 255 && px[2] == 255)
                ++masked;
        }
    return (double)masked / (p.width * p.height);
}

struct IconCase
{
    int id;
    const char* what;
};

const IconCase kIcons[] = {
    { IDI_TREE_FOLDER, "folder" },
    { IDI_TREE_BRICK_WALL, "brick wall" },
    { IDI_TREE_JOINT, "joint" },
    { IDI_TREE_SLAB, "slab" },
    { IDI_TREE_COLUMN, "column" },
    { IDI_TREE_PILE, "pile" },
    { IDI_TREE_STAIRS, "stairs" },
    { IDI_TREE_RING, "ring" },
    { IDI_TREE_FOOTING, "footing" },
    { IDI_TREE_FLOOR, "floor" },
    { IDI_TREE_COMPONENT, "component" },
    { IDI_TREE_PROJECT, "project" },
    { IDI_TREE_SLOPING_SLAB, "sloping slab" },
    { IDI_WIZARD_ROOT, "wizard root" },
    { IDI_WIZARD_MEMBER, "member" },
    { IDI_WIZARD_OTHER, "other member" },
};

// The header of a top-down 16x16 bitmap of that depth.
BITMAPINFO TopDown16By16(WORD nBits)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = nBits;
    return bi;
}

// What image nImage of a masked strip paints over a magenta background.
std::vector<DWORD> Painted(CImageList& list, int nImage)
{
    BITMAPINFO bi = TopDown16By16(32);
    void* pBits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    std::vector<DWORD> pixels;
    if (pBits) {
        std::fill_n((DWORD*)pBits, 256, 0xFF00FF);
        ImageList_Draw(list.GetSafeHandle(), nImage, dc, 0, 0, ILD_TRANSPARENT);
        GdiFlush();
        pixels.assign((DWORD*)pBits, (DWORD*)pBits + 256);
    }
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return pixels;
}

} // namespace

// ---- icons ---------------------------------------------------------------------------------

TEST(ModuleIcons, LoadFromTheModuleAt16By16WithATransparentBackground)
{
    HINSTANCE module = CComTreeModule::GetInstance();
    ASSERT_TRUE(module) << "comtree.dll has no instance handle";
    std::vector<std::vector<BYTE>> looks;
    for (const IconCase& icon : kIcons) {
        SCOPED_TRACE(std::string(icon.what) + " " + std::to_string(icon.id));

        // The resource itself: one 16x16 image in 16 colours, as the wizard's 4-bit list asks.
        HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(icon.id), (LPCWSTR)RT_GROUP_ICON);
        ASSERT_TRUE(group);
        const BYTE* dir = (const BYTE*)LockResource(LoadResource(module, group));
        ASSERT_TRUE(dir);
        EXPECT_EQ(1, *(const WORD*)(dir + 4)) << "images in the group";
        EXPECT_EQ(16, dir[6]) << "width";
        EXPECT_EQ(16, dir[7]) << "height";
        EXPECT_EQ(4, *(const WORD*)(dir + 6 + 6)) << "bits per pixel";

        HICON hIcon = (HICON)LoadImageW(module, MAKEINTRESOURCEW(icon.id), IMAGE_ICON, 16, 16, 0);
        ASSERT_TRUE(hIcon);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(hIcon, &info));
        ASSERT_TRUE(info.hbmColor);
        ASSERT_TRUE(info.hbmMask);
        BITMAP bm = {};
        GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(16, bm.bmWidth);
        EXPECT_EQ(16, bm.bmHeight);

        // The AND mask: some pixels transparent, most of the icon opaque.
        struct
        {
            BITMAPINFOHEADER h;
            RGBQUAD colours[2];
        } mono = {};
        mono.h.biSize = sizeof(mono.h);
        mono.h.biWidth = 16;
        mono.h.biHeight = -16;
        mono.h.biPlanes = 1;
        mono.h.biBitCount = 1;
        BYTE mask[16 * 4] = {};
        HDC dc = GetDC(nullptr);
        ASSERT_EQ(16, GetDIBits(dc, info.hbmMask, 0, 16, mask, (BITMAPINFO*)&mono, DIB_RGB_COLORS));
        int transparent = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (mask[y * 4 + x / 8] & (0x80 >> (x % 8)))
                    ++transparent;
        EXPECT_GT(transparent, 0) << "no transparent pixel: the icon paints a box over the tree";
        EXPECT_LT(transparent, 224)
            << "under an eighth of the icon drawn: it would vanish in the tree";

        BITMAPINFO bi = TopDown16By16(32);
        std::vector<BYTE> colour(16 * 16 * 4);
        GetDIBits(dc, info.hbmColor, 0, 16, colour.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        for (size_t i = 3; i < colour.size(); i += 4)
            colour[i] = 0;
        looks.push_back(colour);

        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(hIcon);
    }
    // Sixteen ids, sixteen pictures: no icon file was copied over another.
    for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j)
            EXPECT_FALSE(looks[i] == looks[j])
                << kIcons[i].what << " and " << kIcons[j].what << " look the same";
}

TEST(ModuleIcons, AStripKeepsEveryIconAtItsIndexWhenOneIsMissing)
{
    const UINT ids[] = { IDI_TREE_FOLDER, 1 /* no such icon */, IDI_TREE_FLOOR };
    CImageList strip;
    CComTreeModule::LoadIconStrip(strip, ILC_COLOR32 | ILC_MASK, ids, 3);
    ASSERT_EQ(3, strip.GetImageCount());
    const UINT floorOnly[] = { IDI_TREE_FLOOR };
    CImageList single;
    CComTreeModule::LoadIconStrip(single, ILC_COLOR32 | ILC_MASK, floorOnly, 1);
    ASSERT_EQ(1, single.GetImageCount());

    const std::vector<DWORD> background(256, 0xFF00FF);
    EXPECT_EQ(background, Painted(strip, 1)) << "the stand-in for a missing icon paints";
    EXPECT_NE(background, Painted(strip, 2));
    EXPECT_EQ(Painted(single, 0), Painted(strip, 2)) << "the floor icon moved";
    EXPECT_NE(Painted(strip, 0), Painted(strip, 2));

    // Loading again replaces the strip rather than appending to it.
    CComTreeModule::LoadIconStrip(strip, ILC_COLOR32 | ILC_MASK, floorOnly, 1);
    EXPECT_EQ(1, strip.GetImageCount());
}

// ---- pictures ------------------------------------------------------------------------------

TEST(WizardPictures, Every40By40In24BitWithTheMaskColourAsBackground)
{
    // blank.bmp (checked first, as n == 10) stands in for a missing picture; in the sample
    // folder none is missing, so every picture n lands at list index n - 11.
    HIMAGELIST list = ImageList_Create(40, 40, ILC_COLOR24 | ILC_MASK, 2, 1);
    ASSERT_TRUE(list);
    for (int n = 10; n <= 99; ++n) {
        std::wstring path = n == 10 ? kDataDir + L"/bmp/blank.bmp" : PicturePath(n);
        SCOPED_TRACE(Narrow(path));
        Picture p;
        HBITMAP bmp = nullptr;
        ASSERT_TRUE(LoadPicture(path, p, &bmp));
        EXPECT_EQ(40, p.width);
        EXPECT_EQ(40, p.height);
        EXPECT_EQ(24, p.bits);
        // Mostly background in the mask colour, so the list shows the picture without a box.
        EXPECT_GT(MaskShare(p), 0.2);
        if (n >= 11) {
            EXPECT_EQ(n - 11, ImageList_AddMasked(list, bmp, RGB(255, 255, 254)));
        }
        DeleteObject(bmp);
    }
    EXPECT_EQ(89, ImageList_GetImageCount(list));
    ImageList_Destroy(list);
}

// ---- folder rule text ----------------------------------------------------------------------

TEST_F(FolderRules, StoreySectionMakesTwoDigitIdsBelowTheirCategories)
{
    Load(L"OtherFloor");
    CheckSection();
    // The foundation category that the by-component layout lists with one floor only.
    ASSERT_TRUE(m_ids.count(50));
    for (INT_PTR i = 0; i < m_rules.m_arrRule.GetSize(); ++i) {
        if (m_rules.m_arrRule[i]->m_strNameId.Right(2) == L"50") {
            EXPECT_STREQ(L"基础", m_rules.m_arrRule[i]->m_strName);
        }
    }
    // Beams, columns, walls, slabs, foundation, stairs, other members.
    for (int category : { 10, 20, 30, 40, 50, 60, 70 })
        EXPECT_TRUE(m_ids.count(category)) << "category " << category;
    // Some sub-folders start hidden, so a new storey's "add" menu has something to offer.
    EXPECT_GT(m_hidden, 0);
}

TEST_F(FolderRules, FoundationSectionFollowsTheSameRules)
{
    Load(L"BaseFloor");
    CheckSection();
    EXPECT_TRUE(m_ids.count(50));
}

TEST_F(FolderRules, EverySubFolderOpensTheWizardOnItsOwnClass)
{
    // The wizard preselects the class whose ComType equals the folder's; a folder without such
    // a class would open on the frame beams.
    Load(L"OtherFloor");
    CheckSection();
    std::wstring text;
    ASSERT_TRUE(ReadText(kDataDir + L"/CreateComTREE.xml", text));
    CCreateComFolderRuleManager nodes;
    ASSERT_EQ(1, nodes.LoadRule(CString(text.c_str())));
    std::set<int> classTypes;
    for (INT_PTR i = 0; i < nodes.m_arrNodes.GetSize(); ++i) {
        const CTreeNodeProp* node = nodes.GetNode(i);
        if (node->m_strNameID != L"0" && node->m_strNameID.GetLength() <= 2)
            classTypes.insert(_wtoi(node->m_strComType));
    }
    for (int type : m_subFolderTypes)
        EXPECT_TRUE(classTypes.count(type)) << "no wizard class for folder type " << type;
}

// ---- wizard rule text ----------------------------------------------------------------------

TEST_F(WizardRules, CategoriesClassesAndTypesNestAsTheWizardReadsThem)
{
    CString currentClass;
    bool sawCategory = false;
    std::set<CString> classIds;
    for (INT_PTR i = 0; i < m_rules.m_arrNodes.GetSize(); ++i) {
        const CTreeNodeProp* node = m_rules.GetNode(i);
        SCOPED_TRACE(Describe(node));
        // A comment among the nodes would be a record with no name.
        ASSERT_FALSE(node->m_strName.IsEmpty());
        if (node->m_strNameID == L"0") {
            sawCategory = true;
            currentClass.Empty();
            EXPECT_GE(node->m_nImageIndex, 0);
            EXPECT_LE(node->m_nImageIndex, 10) << "the class tree has eleven icons";
            EXPECT_GE(node->m_nSelectIndex, 0);
            EXPECT_LE(node->m_nSelectIndex, 10);
        } else if (node->m_strNameID.GetLength() <= 2) {
            ASSERT_TRUE(sawCategory) << "a class before any category";
            // Exactly two digits: the class tree passes the number back through "%d", and a
            // one-digit or zero-padded id would not find its types.
            ASSERT_EQ(2, node->m_strNameID.GetLength());
            ASSERT_TRUE(IsDigits(node->m_strNameID));
            EXPECT_NE(L'0', node->m_strNameID[0]);
            EXPECT_TRUE(classIds.insert(node->m_strNameID).second) << "class id used twice";
            EXPECT_TRUE(IsTypeCode(_wtoi(node->m_strComType)))
                << "class type " << Narrow((LPCWSTR)node->m_strComType);
            EXPECT_FALSE(node->m_strMessage.IsEmpty()) << "a class without help";
            EXPECT_LE(node->m_nImageIndex, 10);
            EXPECT_LE(node->m_nSelectIndex, 10);
            currentClass = node->m_strNameID;
        } else {
            // A type right after its class or a sibling type: the list shows the first
            // unbroken run of a class's types.
            ASSERT_FALSE(currentClass.IsEmpty()) << "a type outside any class";
            EXPECT_EQ(currentClass, node->m_strNameID.Left(2));
            EXPECT_EQ(4, node->m_strNameID.GetLength());
        }
    }
    // The wizard's fallback when no class matches.
    ASSERT_GE(m_rules.m_arrNodes.GetSize(), 2);
    EXPECT_STREQ(L"11", m_rules.GetNode(1)->m_strNameID);
    EXPECT_STREQ(L"框架梁", m_rules.GetNode(1)->m_strName);
}

TEST_F(WizardRules, TypesCoverEveryTypeCodeWithItsOwnPictureAndHelp)
{
    std::map<int, int> typesByCode;
    std::set<int> pictures;
    for (INT_PTR i = 0; i < m_rules.m_arrNodes.GetSize(); ++i) {
        const CTreeNodeProp* node = m_rules.GetNode(i);
        if (node->m_strNameID.GetLength() <= 2)
            continue;
        SCOPED_TRACE(Describe(node));
        ASSERT_TRUE(IsDigits(node->m_strComType)) << "the wizard returns the code read as a number";
        int code = _wtoi(node->m_strComType);
        EXPECT_TRUE(IsTypeCode(code)) << "code " << code << " has no default name";
        ++typesByCode[code];
        EXPECT_GE(node->m_nImageIndex, 11);
        EXPECT_LE(node->m_nImageIndex, 99);
        EXPECT_TRUE(pictures.insert(node->m_nImageIndex).second)
            << "picture " << node->m_nImageIndex << " shared";
        EXPECT_NE(INVALID_FILE_ATTRIBUTES,
                  GetFileAttributesW(PicturePath(node->m_nImageIndex).c_str()))
            << "picture " << node->m_nImageIndex << " missing";
        EXPECT_FALSE(node->m_strMessage.IsEmpty()) << "the wizard would say only 请选择具体构件";
        // The wizard shows the help of the first record with the chosen code: a class that
        // shares the code comes first and must carry the same help.
        for (INT_PTR j = 0; j < i; ++j) {
            if (m_rules.GetNode(j)->m_strComType == node->m_strComType) {
                EXPECT_STREQ(node->m_strMessage, m_rules.GetNode(j)->m_strMessage)
                    << "choosing the type shows the help of " << Describe(m_rules.GetNode(j));
                break;
            }
        }
    }
    for (int code : kTypeCodes)
        EXPECT_EQ(1, typesByCode[code]) << "type code " << code;

    // Distinct numbers are not enough when two files hold the same drawing.
    std::vector<std::pair<int, Picture>> loaded;
    for (int n : pictures) {
        Picture p;
        ASSERT_TRUE(LoadPicture(PicturePath(n), p)) << n;
        for (const auto& other : loaded)
            EXPECT_FALSE(other.second.pixels == p.pixels)
                << "pictures " << other.first << " and " << n << " are the same";
        loaded.emplace_back(n, std::move(p));
    }
}
