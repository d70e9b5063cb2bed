// The item record as the host sees it (field offsets and widths), its copies, its folder
// classes, and the multiplier text every count label uses.
#include <gtest/gtest.h>
#include <cstddef>
#include <string>

#include "TestProject.h"
#include "tree/ParamProp.h"
#include "tree/VolumeText.h"

namespace {

ptrdiff_t Offset(const CParamProp& p, const void* field)
{
    return static_cast<const char*>(field) - reinterpret_cast<const char*>(&p);
}
} // namespace

TEST(ParamPropLayout, HostReadsFieldsAtFixedOffsets)
{
    CParamProp p;
    // One virtual slot, then floor id, type, volume, id, name, kind in this order and width.
    EXPECT_EQ(sizeof(void*), (size_t)Offset(p, &p.m_nFloorID));
    EXPECT_EQ(4, Offset(p, &p.m_nComType) - Offset(p, &p.m_nFloorID));
    EXPECT_EQ(4, Offset(p, &p.m_fVolume) - Offset(p, &p.m_nComType));
    EXPECT_EQ(4u, sizeof(p.m_fVolume));
    EXPECT_LT(Offset(p, &p.m_fVolume), Offset(p, &p.m_strID));
    EXPECT_EQ((ptrdiff_t)sizeof(CString), Offset(p, &p.m_strName) - Offset(p, &p.m_strID));
    EXPECT_EQ((ptrdiff_t)sizeof(CString), Offset(p, &p.m_nNodeType) - Offset(p, &p.m_strName));
    EXPECT_EQ(4u, sizeof(p.m_nNodeType));
    EXPECT_EQ(3, (int)CParamProp::NodeComponent);
}

TEST(ParamPropRecord, DefaultsCopiesAndLiveCount)
{
    const LONG nBefore = CParamProp::GetLiveCount();
    {
        CParamProp def;
        EXPECT_EQ(0, def.m_nFloorID);
        EXPECT_EQ(0, def.m_nComType);
        EXPECT_EQ(0.0f, def.m_fVolume);
        EXPECT_TRUE(def.m_strID.IsEmpty());
        EXPECT_TRUE(def.m_strName.IsEmpty());
        EXPECT_EQ(CParamProp::NodeProject, def.m_nNodeType);

        CParamProp src;
        src.m_nFloorID = 3;
        src.m_nComType = 21;
        src.m_fVolume = 2.5f;
        src.m_strID = L"17";
        src.m_strName = L"框架梁KL1";
        src.m_nNodeType = CParamProp::NodeComponent;

        CParamProp copy(src);
        copy.m_strName = L"KL2";
        EXPECT_EQ(L"框架梁KL1", W(src.m_strName));
        EXPECT_EQ(3, copy.m_nFloorID);
        EXPECT_EQ(21, copy.m_nComType);
        EXPECT_EQ(2.5f, copy.m_fVolume);
        EXPECT_EQ(L"17", W(copy.m_strID));
        EXPECT_EQ(CParamProp::NodeComponent, copy.m_nNodeType);

        CParamProp assigned;
        CParamProp& result = (assigned = src);
        EXPECT_EQ(&assigned, &result);
        src.m_strID = L"99";
        EXPECT_EQ(L"17", W(assigned.m_strID));
        EXPECT_EQ(L"框架梁KL1", W(assigned.m_strName));
        EXPECT_EQ(nBefore + 4, CParamProp::GetLiveCount());

        CParamProp* pHeap = new CParamProp(src);
        EXPECT_EQ(nBefore + 5, CParamProp::GetLiveCount());
        delete pHeap;
    }
    EXPECT_EQ(nBefore, CParamProp::GetLiveCount());
}

TEST(ParamPropRecord, UserFolderByLeadingDigitsOfId)
{
    CParamProp f;
    f.m_nNodeType = CParamProp::NodeFolder;
    f.m_strID = L"99";
    EXPECT_FALSE(f.IsUserFolder());
    f.m_strID = L"100";
    EXPECT_TRUE(f.IsUserFolder());
    f.m_strID = L"150abc";
    EXPECT_TRUE(f.IsUserFolder());
    f.m_strID = L"abc150";
    EXPECT_FALSE(f.IsUserFolder());
    f.m_strID = L"";
    EXPECT_FALSE(f.IsUserFolder());
    // A component with id 100 is no folder at all.
    f.m_nNodeType = CParamProp::NodeComponent;
    f.m_strID = L"100";
    EXPECT_FALSE(f.IsUserFolder());
}

TEST(VolumeText, WholeNumbersFractionsAndRounding)
{
    EXPECT_EQ(L"3", W(FormatVolumeText(3.0)));
    EXPECT_EQ(L"1", W(FormatVolumeText(1.0)));
    EXPECT_EQ(L"0", W(FormatVolumeText(0.0)));
    EXPECT_EQ(L"2.500", W(FormatVolumeText(2.5)));
    EXPECT_EQ(L"0.125", W(FormatVolumeText(0.125)));
    // Rounds to three decimals before deciding: 2.9996 becomes 3.000, shown as 3.
    EXPECT_EQ(L"3", W(FormatVolumeText(2.9996)));
    EXPECT_EQ(L"2.999", W(FormatVolumeText(2.9994)));
    // Negative values with a fraction show their truncated whole part.
    EXPECT_EQ(L"-2", W(FormatVolumeText(-2.5)));
    EXPECT_EQ(L"0", W(FormatVolumeText(-0.25)));
    EXPECT_EQ(L"-4", W(FormatVolumeText(-4.0)));
    EXPECT_EQ(L"123456", W(FormatVolumeText(123456.0)));
    // A single-precision count as stored in a record.
    EXPECT_EQ(L"1.100", W(FormatVolumeText(1.1f)));
}
