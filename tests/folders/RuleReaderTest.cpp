// The folder rule reader against the real XML DOM (MSXML through COM).
#include <gtest/gtest.h>
#include "folders/ComFolderRuleManager.h"

namespace {

class RuleReaderTest : public testing::Test
{
protected:
    int Load(const wchar_t* pszText, const wchar_t* pszSection = L"OtherFloor")
    {
        return m_rules.LoadRule(pszText, pszSection);
    }
    int Count() const { return static_cast<int>(m_rules.m_arrRule.GetSize()); }
    const CComFolderProp& Rule(int i) const { return *m_rules.m_arrRule[i]; }

    CComFolderRuleManager m_rules;
};

const wchar_t kTwoFolders[] =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<TREE>\n"
    L"  <BaseFloor>\n"
    L"    <Folder Name=\"基础\" NameId=\"1050\" InitCreate=\"true\"/>\n"
    L"  </BaseFloor>\n"
    L"  <OtherFloor>\n"
    L"    <Folder Name=\"柱\" NameId=\"1010\" ImageIndex=\"3\" SelectedIndex=\"4\" ComType=\"11\"\n"
    L"            AllowOwnerCom=\"true\" AllowAddUserFolder=\"false\" InitCreate=\"true\" "
    L"ShowID=\"7\"/>\n"
    L"    <Folder Name=\"梁\" NameId=\"1020\" ComType=\"20\" AllowAddUserFolder=\"True\" "
    L"ShowID=\"8\">\n"
    L"      <Folder Name=\"框架梁\" NameId=\"1021\" ComType=\"21\" AllowOwnerCom=\"TRUE\" "
    L"ShowID=\"9\"/>\n"
    L"    </Folder>\n"
    L"  </OtherFloor>\n"
    L"</TREE>\n";

TEST_F(RuleReaderTest, ReadsFoldersDepthFirstWithEveryAttribute)
{
    ASSERT_EQ(1, Load(kTwoFolders));
    ASSERT_EQ(3, Count());

    const CComFolderProp& col = Rule(0);
    EXPECT_STREQ(L"柱", col.m_strName);
    EXPECT_STREQ(L"1010", col.m_strNameId);
    EXPECT_EQ(3, col.m_nImageIndex);
    EXPECT_EQ(4, col.m_nSelectedIndex);
    EXPECT_EQ(11, col.m_nComType);
    EXPECT_TRUE(col.m_bAllowOwnerCom);
    EXPECT_FALSE(col.m_bAllowAddUserFolder);
    EXPECT_TRUE(col.m_bInitCreate);
    EXPECT_EQ(7, col.m_nShowID);
    EXPECT_STREQ(L"", col.m_strParentId);

    const CComFolderProp& beam = Rule(1);
    EXPECT_STREQ(L"梁", beam.m_strName);
    EXPECT_TRUE(beam.m_bAllowAddUserFolder); // "True"
    EXPECT_FALSE(beam.m_bAllowOwnerCom);     // absent
    EXPECT_FALSE(beam.m_bInitCreate);        // absent
    EXPECT_EQ(0, beam.m_nImageIndex);        // absent
    EXPECT_STREQ(L"", beam.m_strParentId);

    const CComFolderProp& sub = Rule(2);
    EXPECT_STREQ(L"框架梁", sub.m_strName);
    EXPECT_STREQ(L"1021", sub.m_strNameId);
    EXPECT_STREQ(L"20", sub.m_strParentId); // last two characters of the parent's NameId
    EXPECT_TRUE(sub.m_bAllowOwnerCom);      // "TRUE"
    EXPECT_EQ(9, sub.m_nShowID);
}

TEST_F(RuleReaderTest, MatchesSectionsIgnoringCaseButAttributesExactly)
{
    ASSERT_EQ(
        1,
        Load(L"<r><otherfloor><F name=\"lower\" NAMEID=\"1099\" NameId=\"1011\"/></otherfloor>"
             L"<OTHERFLOOR><F Name=\"upper\"/></OTHERFLOOR><Other><F Name=\"skip\"/></Other></r>"));
    ASSERT_EQ(2, Count());
    EXPECT_STREQ(L"", Rule(0).m_strName); // "name" is not "Name"
    EXPECT_STREQ(L"1011", Rule(0).m_strNameId);
    EXPECT_STREQ(L"upper", Rule(1).m_strName);

    // The other section of the same text is its own list.
    CComFolderRuleManager base;
    ASSERT_EQ(1, base.LoadRule(kTwoFolders, L"basefloor"));
    ASSERT_EQ(1, base.m_arrRule.GetSize());
    EXPECT_STREQ(L"基础", base.m_arrRule[0]->m_strName);
}

TEST_F(RuleReaderTest, SeveralSectionsAppendInDocumentOrderAndLoadsAccumulate)
{
    ASSERT_EQ(
        1,
        Load(L"<r><OtherFloor><F Name=\"a\"/></OtherFloor><BaseFloor><F Name=\"x\"/></BaseFloor>"
             L"<OtherFloor><F Name=\"b\"><G Name=\"b1\"/></F></OtherFloor></r>"));
    ASSERT_EQ(3, Count());
    EXPECT_STREQ(L"a", Rule(0).m_strName);
    EXPECT_STREQ(L"b", Rule(1).m_strName);
    EXPECT_STREQ(L"b1", Rule(2).m_strName);

    // The reader never empties the list itself.
    ASSERT_EQ(1, Load(L"<r><OtherFloor><F Name=\"c\"/></OtherFloor></r>"));
    ASSERT_EQ(4, Count());
    EXPECT_STREQ(L"c", Rule(3).m_strName);
}

TEST_F(RuleReaderTest, ConvertsIntegersAsTheWideRuntimeDoes)
{
    ASSERT_EQ(
        1,
        Load(L"<r><OtherFloor>"
             L"<F ImageIndex=\"12abc\" SelectedIndex=\"abc\" ComType=\"  -7\" ShowID=\"+15.9\"/>"
             L"<F ImageIndex=\"\" SelectedIndex=\"0x1F\" ComType=\"3 4\" ShowID=\"-\"/>"
             L"</OtherFloor></r>"));
    ASSERT_EQ(2, Count());
    EXPECT_EQ(12, Rule(0).m_nImageIndex);
    EXPECT_EQ(0, Rule(0).m_nSelectedIndex);
    EXPECT_EQ(-7, Rule(0).m_nComType);
    EXPECT_EQ(15, Rule(0).m_nShowID);
    EXPECT_EQ(0, Rule(1).m_nImageIndex);
    EXPECT_EQ(0, Rule(1).m_nSelectedIndex);
    EXPECT_EQ(3, Rule(1).m_nComType);
    EXPECT_EQ(0, Rule(1).m_nShowID);
}

TEST_F(RuleReaderTest, OnlyTrueInAnyCaseIsTrue)
{
    ASSERT_EQ(1,
              Load(L"<r><OtherFloor>"
                   L"<F InitCreate=\"TRUE\" AllowOwnerCom=\"tRuE\" AllowAddUserFolder=\"true\"/>"
                   L"<F InitCreate=\"1\" AllowOwnerCom=\"yes\" AllowAddUserFolder=\" true\"/>"
                   L"</OtherFloor></r>"));
    ASSERT_EQ(2, Count());
    EXPECT_TRUE(Rule(0).m_bInitCreate);
    EXPECT_TRUE(Rule(0).m_bAllowOwnerCom);
    EXPECT_TRUE(Rule(0).m_bAllowAddUserFolder);
    EXPECT_FALSE(Rule(1).m_bInitCreate);
    EXPECT_FALSE(Rule(1).m_bAllowOwnerCom);
    EXPECT_FALSE(Rule(1).m_bAllowAddUserFolder);
    EXPECT_EQ(1, m_rules.IsTrue(L"True"));
    EXPECT_EQ(0, m_rules.IsTrue(L"truex"));
    EXPECT_EQ(0, m_rules.IsTrue(L""));
}

TEST_F(RuleReaderTest, ReadsTwoLevelsOnlyAndShortNameIdsWhole)
{
    ASSERT_EQ(1,
              Load(L"<r><OtherFloor>"
                   L"<F Name=\"top\" NameId=\"7\"><G Name=\"mid\" NameId=\"1071\">"
                   L"<H Name=\"deep\" NameId=\"1072\"/></G></F>"
                   L"</OtherFloor></r>"));
    ASSERT_EQ(2, Count());
    EXPECT_STREQ(L"top", Rule(0).m_strName);
    EXPECT_STREQ(L"mid", Rule(1).m_strName);
    EXPECT_STREQ(L"7", Rule(1).m_strParentId);
}

TEST_F(RuleReaderTest, CommentsAreFoldersButIndentationIsNot)
{
    // Indented text, a comment at both levels: every comment is a record with nothing set;
    // the whitespace between elements yields nothing.
    ASSERT_EQ(1,
              Load(L"<r>\n  <OtherFloor>\n    <!-- columns -->\n"
                   L"    <F Name=\"a\" NameId=\"1030\" ComType=\"5\" InitCreate=\"true\">\n"
                   L"      <!-- inner -->\n"
                   L"      <G Name=\"a1\"/>\n"
                   L"    </F>\n  </OtherFloor>\n</r>\n"));
    ASSERT_EQ(4, Count());
    const CComFolderProp& comment = Rule(0);
    EXPECT_STREQ(L"", comment.m_strName);
    EXPECT_STREQ(L"", comment.m_strNameId);
    EXPECT_STREQ(L"", comment.m_strParentId);
    EXPECT_EQ(0, comment.m_nComType);
    EXPECT_EQ(0, comment.m_nShowID);
    EXPECT_FALSE(comment.m_bInitCreate);
    EXPECT_STREQ(L"a", Rule(1).m_strName);
    EXPECT_STREQ(L"", Rule(2).m_strName);
    EXPECT_STREQ(L"30", Rule(2).m_strParentId);
    EXPECT_STREQ(L"a1", Rule(3).m_strName);

    CComFolderRuleManager indentedOnly;
    ASSERT_EQ(
        1,
        indentedOnly.LoadRule(L"<r>\n\t<OtherFloor>\n\t\t \n\t</OtherFloor>\n</r>", L"OtherFloor"));
    EXPECT_EQ(0, indentedOnly.m_arrRule.GetSize());
}

TEST_F(RuleReaderTest, MalformedTextFailsAndKeepsTheList)
{
    ASSERT_EQ(1, Load(L"<r><OtherFloor><F Name=\"kept\"/></OtherFloor></r>"));
    ASSERT_EQ(1, Count());
    const CComFolderProp* pKept = m_rules.m_arrRule[0];

    EXPECT_EQ(0, Load(L"this is not xml"));
    EXPECT_EQ(0, Load(L""));
    EXPECT_EQ(0, Load(L"<r><OtherFloor><F Name=\"half\"></OtherFloor></r>"));
    ASSERT_EQ(1, Count());
    EXPECT_EQ(pKept, m_rules.m_arrRule[0]);
    EXPECT_STREQ(L"kept", Rule(0).m_strName);

    // Well-formed but without the section: loaded, nothing added.
    EXPECT_EQ(1, Load(L"<r><BaseFloor><F Name=\"x\"/></BaseFloor></r>"));
    EXPECT_EQ(1, Count());
    EXPECT_STREQ(L"", m_rules.GetAttributeValue(nullptr, L"Name"));
}

} // namespace
