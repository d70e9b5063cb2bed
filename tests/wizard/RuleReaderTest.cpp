// The wizard rule reader over the real XML DOM (Wine's msxml3 through COM).
#include <gtest/gtest.h>
#include "wizard/CreateComFolderRuleManager.h"

namespace {

// NameID and Name of every record, in list order.
std::vector<std::wstring> Ids(const CCreateComFolderRuleManager& rules)
{
    std::vector<std::wstring> ids;
    for (INT_PTR i = 0; i < rules.m_arrNodes.GetSize(); ++i)
        ids.push_back(std::wstring(rules.GetNode(i)->m_strNameID) + L":"
                      + (LPCWSTR)rules.GetNode(i)->m_strName);
    return ids;
}

using Ids_t = std::vector<std::wstring>;

} // namespace

TEST(WizardRules, NodesComeDepthFirstWithEveryAttribute)
{
    CCreateComFolderRuleManager rules;
    ASSERT_EQ(
        1,
        rules.LoadRule(
            L"<Root><TreeNode Name='ignored' NameID='section'>"
            L"<Category Name='梁' NameID='0' ImageIndex='1' SelectIndex='2'>"
            L"  <Class Name='框架梁' NameID='11' ComType='111' ImageIndex='3' SelectIndex='4'/>"
            L"  <Class Name='次梁' NameID='12' ComType='121' CreateMode='auto'>"
            L"    <Type Name='次梁A' NameID='1201' ComType='121' ImageIndex='21' "
            L"Message='普通次梁'/>"
            L"    <Type Name='次梁B' NameID='1202' ComType='122' ImageIndex='22'/>"
            L"  </Class>"
            L"</Category></TreeNode></Root>"));
    // Whitespace between elements is not a node for msxml's loadXML (preserveWhiteSpace off).
    EXPECT_EQ((Ids_t{ L"0:梁", L"11:框架梁", L"12:次梁", L"1201:次梁A", L"1202:次梁B" }),
              Ids(rules));
    ASSERT_EQ(5, rules.m_arrNodes.GetSize());

    CTreeNodeProp* pCategory = rules.GetNode(0);
    EXPECT_EQ(1, pCategory->m_nImageIndex);
    EXPECT_EQ(2, pCategory->m_nSelectIndex);
    EXPECT_STREQ(L"", pCategory->m_strComType);

    CTreeNodeProp* pClass = rules.GetNode(2);
    EXPECT_STREQ(L"121", pClass->m_strComType);
    EXPECT_STREQ(L"auto", pClass->m_strCreateMode);
    EXPECT_EQ(0, pClass->m_nImageIndex); // absent

    CTreeNodeProp* pType = rules.GetNode(3);
    EXPECT_EQ(21, pType->m_nImageIndex);
    EXPECT_STREQ(L"普通次梁", pType->m_strMessage);
    EXPECT_STREQ(L"", rules.GetNode(4)->m_strMessage);
}

// The document walk is the folder store's too (tests/folders): here what the wizard reads.
TEST(WizardRules, ThreeLevelsOfEverySectionAttributesByExactName)
{
    struct Case
    {
        const wchar_t* xml;
        Ids_t ids;
    } cases[] = {
        { L"<R><TreeNode><A NameID='0' Name='a'><B NameID='11' Name='b'><C NameID='1101' Name='c'>"
          L"<D NameID='110101' Name='d'/></C></B></A></TreeNode></R>",
          { L"0:a", L"11:b", L"1101:c" } },
        { L"<R><!-- before --><Other><X NameID='0' Name='skipped'/></Other>"
          L"<TreeNode><X NameID='0' Name='first'/></TreeNode><Between NameID='0' Name='no'/>"
          L"<treenode><X NameID='0' Name='second'/></treenode></R>",
          { L"0:first", L"0:second" } },
        { L"<R><TreeNode><X nameid='11' name='lower' NAMEID='12' NameID='13'/></TreeNode></R>",
          { L"13:" } },
        // Comments and text below a section are records with nothing in them.
        { L"<R><TreeNode><X NameID='0' Name='a'><!-- c --></X><!-- d -->text</TreeNode></R>",
          { L"0:a", L":", L":", L":" } },
    };
    for (const Case& c : cases) {
        CCreateComFolderRuleManager rules;
        ASSERT_EQ(1, rules.LoadRule(c.xml));
        EXPECT_EQ(c.ids, Ids(rules));
    }
}

TEST(WizardRules, IntegersReadLeadingDigitsAndComTypeKeepsItsText)
{
    CCreateComFolderRuleManager rules;
    ASSERT_EQ(1,
              rules.LoadRule(L"<R><TreeNode>"
                             L"<X ImageIndex='25x' SelectIndex='  -7' ComType=' 3'/>"
                             L"<X ImageIndex='x25' SelectIndex='' ComType='abc'/>"
                             L"</TreeNode></R>"));
    ASSERT_EQ(2, rules.m_arrNodes.GetSize());
    EXPECT_EQ(25, rules.GetNode(0)->m_nImageIndex);
    EXPECT_EQ(-7, rules.GetNode(0)->m_nSelectIndex);
    EXPECT_STREQ(L" 3", rules.GetNode(0)->m_strComType);
    EXPECT_EQ(0, rules.GetNode(1)->m_nImageIndex);
    EXPECT_STREQ(L"abc", rules.GetNode(1)->m_strComType);
}

TEST(WizardRules, LoadingAppendsAndBrokenTextLeavesTheListAlone)
{
    CCreateComFolderRuleManager rules;
    ASSERT_EQ(1, rules.LoadRule(L"<R><TreeNode><X NameID='0' Name='a'/></TreeNode></R>"));
    ASSERT_EQ(1, rules.LoadRule(L"<R><TreeNode><X NameID='0' Name='b'/></TreeNode></R>"));
    EXPECT_EQ(0, rules.LoadRule(L"this is not XML"));
    EXPECT_EQ(0, rules.LoadRule(L"<R><TreeNode><X NameID='0' Name='c'></TreeNode></R>"));
    EXPECT_EQ(1, rules.LoadRule(L"<TreeNode><X NameID='0' Name='e'/></TreeNode>")); // the root
    EXPECT_EQ((Ids_t{ L"0:a", L"0:b" }), Ids(rules));
}
