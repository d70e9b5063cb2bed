// CStringCompositor: orders names as a Chinese user expects.
//
// Names compare piece by piece: runs of digits as numbers (KL-2 before KL-10, 007 equal to 7
// in value), everything else with the Chinese (PRC, pinyin) collation of CompareStringW.
// The order is stable: equal names keep their order.
//
//   CStringCompositor sorter(names);
//   CArray<int, int> order;
//   sorter.GetResult(order);   // order[k] is the index in names of the k-th name in order
#pragma once
#include "afxtempl.h"
#include "HostExport.h"

class KXHOST_API CStringCompositor
{
public:
    explicit CStringCompositor(const CStringArray& arrNames);
    virtual ~CStringCompositor();

    void GetResult(CArray<int, int>& arrOrder) const;
    void GetResult(CDWordArray& arrOrder) const;

    // <0, 0, >0 as a sorts before, with or after b.
    static int Compare(LPCTSTR a, LPCTSTR b);

private:
    CStringCompositor(const CStringCompositor&) = delete;
    CStringCompositor& operator=(const CStringCompositor&) = delete;
    int* m_pOrder;
    int m_nCount;
};
