// The arrays as the module uses them: element lifetimes, growth, insertion and removal in
// the middle, and the out-of-range faults that must surface as a catchable exception with
// a clear message instead of memory corruption.
#include <gtest/gtest.h>
#include <string>
#include "afxwin.h"
#include "afxtempl.h"

namespace {

// Counts live instances, so a leaked or doubly destroyed element shows.
struct Tracked
{
    static int live;
    int value;
    Tracked() : value(0) { ++live; }
    Tracked(int v) : value(v) { ++live; }
    Tracked(const Tracked& o) : value(o.value) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
};
int Tracked::live = 0;

class Owned : public CObject
{
public:
    explicit Owned(int* deaths) : m_pDeaths(deaths) {}
    ~Owned() override { ++*m_pDeaths; }
    int* m_pDeaths;
};

std::wstring MessageOf(CException* e)
{
    wchar_t msg[256] = {};
    e->GetErrorMessage(msg, 256);
    return msg;
}

template <class F>
std::wstring ExpectInvalidArg(F f)
{
    std::wstring message;
    try {
        f();
        ADD_FAILURE() << "no exception";
    } catch (CException* e) {
        EXPECT_NE(nullptr, dynamic_cast<CInvalidArgException*>(e));
        message = MessageOf(e);
        e->Delete();
    }
    return message;
}

} // namespace

TEST(CArrayLifetime, ElementsAreConstructedAndDestroyedOnce)
{
    {
        CArray<Tracked, const Tracked&> arr;
        for (int i = 0; i < 100; ++i)
            arr.Add(Tracked(i));
        EXPECT_EQ(100, Tracked::live);
        arr.RemoveAt(10, 20);
        EXPECT_EQ(80, Tracked::live);
        EXPECT_EQ(30, arr[10].value);
        arr.InsertAt(0, Tracked(-1), 3);
        EXPECT_EQ(83, arr.GetSize());
        EXPECT_EQ(-1, arr[2].value);
        EXPECT_EQ(0, arr[3].value);
        arr.SetSize(5);
        EXPECT_EQ(5, Tracked::live);
        arr.FreeExtra();
        EXPECT_EQ(5, Tracked::live);
        arr.SetSize(8); // new elements are default-constructed
        EXPECT_EQ(0, arr[7].value);
    }
    EXPECT_EQ(0, Tracked::live);
}

TEST(CArrayOps, StringsGrowInsertCopyAppend)
{
    CStringArray names;
    EXPECT_TRUE(names.IsEmpty());
    names.Add(L"首层");
    names.Add(CString(L"第2层"));
    names.InsertAt(1, L"基础层");
    names.InsertAt(5, L"屋面层"); // past the end: grows with empty strings between
    ASSERT_EQ(6, names.GetCount());
    EXPECT_EQ(CString(L"基础层"), names[1]);
    EXPECT_TRUE(names[3].IsEmpty());
    EXPECT_EQ(CString(L"屋面层"), names.GetAt(5));
    EXPECT_EQ(5, names.GetUpperBound());
    names.ElementAt(0) += L"*";
    names.SetAt(3, L"x");
    EXPECT_EQ(CString(L"首层*"), names.GetData()[0]);
    for (int i = 0; i < 50; ++i)
        names.Add(names[0]); // the added element lives in the array being grown
    EXPECT_EQ(CString(L"首层*"), names[55]);

    CStringArray copy;
    copy.Copy(names);
    EXPECT_EQ(56, copy.GetSize());
    EXPECT_EQ(56, copy.Append(copy));
    EXPECT_EQ(112, copy.GetSize());
    EXPECT_EQ(CString(L"屋面层"), copy[56 + 5]);
    CStringArray head;
    head.Add(L"a");
    head.Add(L"b");
    copy.InsertAt(1, &head);
    EXPECT_EQ(CString(L"a"), copy[1]);
    EXPECT_EQ(CString(L"b"), copy[2]);
    EXPECT_EQ(CString(L"基础层"), copy[3]);
    copy.RemoveAll();
    EXPECT_EQ(0, copy.GetSize());
    copy.SetAtGrow(2, L"z");
    EXPECT_EQ(3, copy.GetSize());
}

TEST(CArrayOps, TypedArraysOfPointersWordsAndObjects)
{
    CDWordArray ids;
    for (DWORD i = 0; i < 10000; ++i)
        ids.Add(i * 3);
    EXPECT_EQ(29997u, ids[9999]);
    ids.RemoveAt(0, 9999);
    EXPECT_EQ(1, ids.GetSize());
    EXPECT_EQ(29997u, ids[0]);

    int x = 0, y = 0;
    CPtrArray ptrs;
    ptrs.Add(&x);
    ptrs.InsertAt(0, &y);
    EXPECT_EQ(&y, ptrs[0]);
    EXPECT_EQ(&x, ptrs.GetAt(1));

    int deaths = 0;
    CObArray objs;
    for (int i = 0; i < 3; ++i)
        objs.Add(new Owned(&deaths));
    for (INT_PTR i = 0; i < objs.GetSize(); ++i)
        delete objs[i]; // through CObject*: the virtual destructor runs
    objs.RemoveAll();
    EXPECT_EQ(3, deaths);
}

TEST(CArrayFaults, OutOfRangeThrowsWithIndexAndSize)
{
    CArray<int, int> arr;
    arr.Add(7);
    arr.Add(8);
    std::wstring m = ExpectInvalidArg([&] { arr[2] = 1; });
    EXPECT_NE(std::wstring::npos, m.find(L"index 2")) << m.c_str();
    EXPECT_NE(std::wstring::npos, m.find(L"size 2")) << m.c_str();
    ExpectInvalidArg([&] { arr.GetAt(-1); });
    ExpectInvalidArg([&] { arr.SetAt(5, 1); });
    ExpectInvalidArg([&] { arr.ElementAt(2); });
    ExpectInvalidArg([&] { arr.RemoveAt(1, 2); });
    ExpectInvalidArg([&] { arr.RemoveAt(-1); });
    ExpectInvalidArg([&] { arr.InsertAt(-1, 0); });
    ExpectInvalidArg([&] { arr.SetSize(-1); });
    ExpectInvalidArg([&] { arr.SetAtGrow(-2, 0); });
    // Nothing already stored is lost by a rejected access.
    ASSERT_EQ(2, arr.GetSize());
    EXPECT_EQ(7, arr[0]);
    EXPECT_EQ(8, arr[1]);

    const CStringArray empty;
    m = ExpectInvalidArg([&] { (void)empty[0]; });
    EXPECT_NE(std::wstring::npos, m.find(L"CArray::operator[]")) << m.c_str();
}

TEST(Geometry, PointsFromMessagesAndRectangles)
{
    CPoint p(MAKELPARAM(-5, 20));
    EXPECT_EQ(-5, p.x);
    EXPECT_EQ(20, p.y);
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));
    r.OffsetRect(-10, -20);
    EXPECT_EQ(CRect(0, 0, 100, 50), r);
    r.DeflateRect(10, 5);
    EXPECT_EQ(CRect(10, 5, 90, 45), r);
    CRect flipped(5, 5, 0, 0);
    flipped.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 5, 5), flipped);
    EXPECT_EQ(CSize(80, 40), r.Size());
    r.BottomRight() = CPoint(20, 20);
    EXPECT_EQ(20, r.right);
    EXPECT_TRUE(CRect().IsRectNull());
}
