// The in-memory dataset: rows from 1, fields by name or column, conversions, row insertion and
// deletion, stable multi-field sorts, and the folder view's numeric reading of ids.
#include <gtest/gtest.h>
#include "ComTreeHost.h"
#include "TestProject.h"

namespace {

// A dataset with a text, an integer and a float field.
void Declare(NDataModelDataSet& ds)
{
    ASSERT_EQ(0, ds.AddField(L"name", KXFT_TEXT));
    ASSERT_EQ(1, ds.AddField(L"num", KXFT_INTEGER));
    ASSERT_EQ(2, ds.AddField(L"qty", KXFT_FLOAT));
}

int AddRow(NDataModelDataSet& ds, const wchar_t* name, const wchar_t* num)
{
    int row = ds.InsertRow(ds.GetRowCount() + 1);
    ds.SetAsString(L"name", row, name);
    ds.SetAsString(L"num", row, num);
    return row;
}

std::string Names(const NDataModelDataSet& ds)
{
    std::string out;
    for (int r = 1; r <= ds.GetRowCount(); ++r)
        out += (r > 1 ? "," : "") + Narrow(ds.GetAsString(L"name", r));
    return out;
}

} // namespace

TEST(DataSet, FieldsByNameInAnyCaseOrByColumn)
{
    NDbDataSet ds;
    Declare(ds);
    EXPECT_EQ(3, ds.GetFieldCount());
    EXPECT_EQ(1, ds.GetColNum(L"NUM"));
    EXPECT_EQ(2, ds.GetColNum(L"Qty"));
    EXPECT_EQ(-1, ds.GetColNum(L"missing"));
    EXPECT_EQ(-1, ds.GetColNum(L""));
    EXPECT_EQ(1, ds.AddField(L"Num", KXFT_TEXT)) << "a known name keeps its column";
    EXPECT_EQ(3, ds.GetFieldCount());
    EXPECT_EQ(-1, ds.AddField(L"", KXFT_TEXT));
    EXPECT_EQ("num", Narrow(ds.GetFieldName(1)));
    EXPECT_EQ(KXFT_FLOAT, ds.GetFieldType(2));

    int row = ds.InsertRow(1);
    EXPECT_EQ(1, row);
    EXPECT_TRUE(ds.SetAsString(0, row, L"KL-1"));
    EXPECT_EQ("KL-1", Narrow(ds.GetAsString(L"NAME", 1)));
    EXPECT_TRUE(ds.SetAsInteger(L"num", 1, 42));
    EXPECT_EQ(42, ds.GetAsInteger(1, 1));

    // A field added later gives existing rows an empty value.
    int extra = ds.AddField(L"floorshowid", KXFT_INTEGER);
    EXPECT_EQ(3, extra);
    EXPECT_EQ("0", Narrow(ds.GetAsString(extra, 1)));
    EXPECT_TRUE(ds.SetAsInteger(extra, 1, 7));
    EXPECT_EQ(7, ds.GetAsInteger(L"floorshowid", 1));
}

TEST(DataSet, OutOfRangeReadsGiveTheDefaultAndWritesChangeNothing)
{
    NDbDataSet ds;
    Declare(ds);
    AddRow(ds, L"a", L"1");
    EXPECT_EQ("", Narrow(ds.GetAsString(L"name", 0)));
    EXPECT_EQ("none", Narrow(ds.GetAsString(L"name", 2, 0, L"none")));
    EXPECT_EQ(-1, ds.GetAsInteger(L"nosuch", 1, 0, -1));
    EXPECT_EQ(0, ds.GetAsInteger(L"num", 5));
    EXPECT_DOUBLE_EQ(1.5, ds.GetAsFloat(L"qty", -3, 0, 1.5));
    EXPECT_FALSE(ds.SetAsString(L"name", 2, L"x"));
    EXPECT_FALSE(ds.SetAsInteger(L"nosuch", 1, 3));
    EXPECT_FALSE(ds.SetAsFloat(9, 1, 3.0));
    EXPECT_FALSE(ds.DeleteRow(0));
    EXPECT_FALSE(ds.DeleteRow(2));
    EXPECT_EQ(1, ds.GetRowCount());
    EXPECT_EQ("a", Narrow(ds.GetAsString(L"name", 1)));
}

TEST(DataSet, ValuesKeepWhatWasWrittenAndIntegersTakeLeadingDigits)
{
    NDbDataSet ds;
    Declare(ds);
    int r = ds.InsertRow(0);
    // A float written into an integer-declared field keeps its fraction.
    ds.SetAsFloat(L"num", r, 2.5);
    EXPECT_EQ("2.5", Narrow(ds.GetAsString(L"num", r)));
    EXPECT_DOUBLE_EQ(2.5, ds.GetAsFloat(L"num", r));
    EXPECT_EQ(2, ds.GetAsInteger(L"num", r));
    ds.SetAsFloat(L"qty", r, 3.0);
    EXPECT_EQ("3", Narrow(ds.GetAsString(L"qty", r)));
    ds.SetAsFloat(L"qty", r, 0.1);
    EXPECT_EQ("0.1", Narrow(ds.GetAsString(L"qty", r)));
    EXPECT_DOUBLE_EQ(0.1, ds.GetAsFloat(L"qty", r));

    const struct
    {
        const wchar_t* text;
        int value;
    } cases[] = {
        { L"12abc", 12 }, { L"abc", 0 }, { L"", 0 },   { L"-7x", -7 },
        { L"  15", 15 },  { L"3.9", 3 }, { L"+4", 4 },
    };
    for (const auto& c : cases) {
        ds.SetAsString(L"name", r, c.text);
        EXPECT_EQ(c.value, ds.GetAsInteger(L"name", r)) << Narrow(c.text);
    }
    // No value: a numeric field reads "0", a text field reads empty.
    int r2 = ds.InsertRow(0);
    EXPECT_EQ("0", Narrow(ds.GetAsString(L"num", r2)));
    EXPECT_EQ("", Narrow(ds.GetAsString(L"name", r2)));
    // Text in a numeric field is kept as written.
    ds.SetAsString(L"num", r2, L"二层");
    EXPECT_EQ("二层", Narrow(ds.GetAsString(L"num", r2)));
    EXPECT_EQ(0, ds.GetAsInteger(L"num", r2));
}

TEST(DataSet, InsertRowPlacesTheRowAndReturnsItsNumber)
{
    NDbDataSet ds;
    Declare(ds);
    AddRow(ds, L"b", L"2");
    AddRow(ds, L"c", L"3");
    EXPECT_EQ(1, ds.InsertRow(1)); // 1 puts it first
    ds.SetAsString(L"name", 1, L"a");
    EXPECT_EQ(4, ds.InsertRow(4)); // row count + 1 appends
    ds.SetAsString(L"name", 4, L"e");
    EXPECT_EQ(4, ds.InsertRow(4)); // inside: becomes that row, the rest move down
    ds.SetAsString(L"name", 4, L"d");
    EXPECT_EQ(6, ds.InsertRow(0)); // 0 appends
    ds.SetAsString(L"name", 6, L"f");
    EXPECT_EQ(7, ds.InsertRow(-2)); // so does any position outside
    ds.SetAsString(L"name", 7, L"g");
    EXPECT_EQ(8, ds.InsertRow(100));
    ds.SetAsString(L"name", 8, L"h");
    EXPECT_EQ("a,b,c,d,e,f,g,h", Names(ds));

    EXPECT_TRUE(ds.DeleteRow(1));
    EXPECT_TRUE(ds.DeleteRow(ds.GetRowCount()));
    EXPECT_TRUE(ds.DeleteRow(3));
    EXPECT_EQ("b,c,e,f,g", Names(ds));
    EXPECT_EQ(3, ds.FindRow(L"name", L"e"));
    EXPECT_EQ(0, ds.FindRow(L"name", L"e", 4));
    EXPECT_EQ(0, ds.FindRow(L"nosuch", L"e"));
}

TEST(DataSet, SortsAreStableNumericForNumbersAndMultiField)
{
    NDbDataSet ds;
    Declare(ds);
    AddRow(ds, L"p", L"10");
    AddRow(ds, L"q", L"9");
    AddRow(ds, L"r", L"100");
    AddRow(ds, L"s", L"9");
    AddRow(ds, L"t", L"");
    AddRow(ds, L"u", L"10");

    ds.ResetSortField();
    ASSERT_TRUE(ds.AddSortField(L"NUM", 1));
    ds.Sort();
    // Integer fields compare as numbers; equal values keep their order (q before s, p before u).
    EXPECT_EQ("t,q,s,p,u,r", Names(ds));

    ds.ResetSortField();
    ds.AddSortField(L"num", 0);
    ds.Sort();
    EXPECT_EQ("r,p,u,q,s,t", Names(ds));

    // Two fields: the second decides among equal first values.
    ds.ResetSortField();
    ds.AddSortField(L"num", 1);
    ds.AddSortField(L"name", 0);
    ds.Sort();
    EXPECT_EQ("t,s,q,u,p,r", Names(ds));

    // Text fields compare by code unit ("10" before "9"); an unknown field is refused.
    NDbDataSet text;
    text.AddField(L"name", KXFT_TEXT);
    text.AddField(L"num", KXFT_TEXT);
    AddRow(text, L"x", L"9");
    AddRow(text, L"y", L"10");
    text.ResetSortField();
    EXPECT_FALSE(text.AddSortField(L"nosuch", 1));
    text.AddSortField(L"num", 1);
    text.Sort();
    EXPECT_EQ("y,x", Names(text));
}

TEST(DataSet, FloorDatasetAnswersToItsOtherFieldNames)
{
    CSQLDataSet* ds = CAccessProject_FloorTable::NewDataSet();
    int row = ds->InsertRow(ds->GetRowCount() + 1);
    ds->SetAsInteger(L"floorid", row, 6);
    ds->SetAsString(L"floorname", row, L"新楼层");
    ds->SetAsInteger(L"ordernum", row, 3);
    ds->SetAsFloat(L"floorheight", row, 4.0);
    EXPECT_EQ(6, ds->GetAsInteger(L"id", row));
    EXPECT_EQ("新楼层", Narrow(ds->GetAsString(L"lcmc", row)));
    EXPECT_EQ(3, ds->GetAsInteger(L"showid", row));
    EXPECT_EQ(7, ds->GetFieldCount()) << "other names are not extra fields";
    EXPECT_EQ(ds->GetColNum(L"id"), ds->GetColNum(L"FloorID"));
    EXPECT_TRUE(ds->IsFieldPK(ds->GetColNum(L"id")));
    EXPECT_FALSE(ds->AddFieldAlias(L"x", L"nosuch"));
    delete ds;
}

TEST(DataSet, FolderViewReadsTopLevelParentAsZeroAndSortsIdsAsNumbers)
{
    CProject_ComFolderTable view;
    EXPECT_EQ(12, view.InitFieldStr());
    int showCol = view.AddField(L"floorshowid", KXFT_INTEGER);
    EXPECT_EQ(12, showCol);

    const wchar_t* ids[] = { L"100", L"21", L"9", L"20", L"101" };
    const wchar_t* parents[] = { L"20", L"20", L"", L"", L"" };
    for (int i = 0; i < 5; ++i) {
        int r = view.InsertRow(0);
        view.SetAsString(L"comfolderid", r, ids[i]);
        view.SetAsString(L"parentid", r, parents[i]);
        view.SetAsInteger(showCol, r, 1);
    }
    view.ResetSortField();
    view.AddSortField(L"floorshowid", 1);
    view.AddSortField(L"comfolderid", 1);
    view.Sort();
    std::string order;
    for (int r = 1; r <= view.GetRowCount(); ++r)
        order += Narrow(view.GetAsString(L"comfolderid", r)) + "/"
            + Narrow(view.GetAsString(L"parentid", r)) + " ";
    EXPECT_EQ("9/0 20/0 21/20 100/20 101/0 ", order);

    // The folder store's own dataset keeps a top-level parent empty.
    CSQLDataSet* folders = new CSQLDataSet;
    CAccessProject_ComFolderTable::DeclareFields(folders, KXFT_TEXT, KXFT_TEXT);
    int r = folders->InsertRow(0);
    EXPECT_EQ("", Narrow(folders->GetAsString(L"parentid", r)));
    delete folders;
}

TEST(DataSet, AppendRowFromCopiesFieldsByName)
{
    CProject_ComFolderTable view;
    view.InitFieldStr();
    NDbDataSet src;
    src.AddField(L"foldername", KXFT_TEXT);
    src.AddField(L"comfolderid", KXFT_TEXT);
    src.AddField(L"unrelated", KXFT_TEXT);
    int s = src.InsertRow(0);
    src.SetAsString(L"foldername", s, L"框架梁");
    src.SetAsString(L"comfolderid", s, L"11");
    src.SetAsString(L"unrelated", s, L"x");
    EXPECT_EQ(0, view.AppendRowFrom(src, 2));
    int r = view.AppendRowFrom(src, 1);
    ASSERT_EQ(1, r);
    EXPECT_EQ("框架梁", Narrow(view.GetAsString(L"foldername", r)));
    EXPECT_EQ(11, view.GetAsInteger(L"comfolderid", r));
    EXPECT_EQ(12, view.GetFieldCount());
}
