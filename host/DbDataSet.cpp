#include "DbDataSet.h"

NDbDataSet::NDbDataSet() {}

NDbDataSet::~NDbDataSet() {}

int NDbDataSet::AppendRowFrom(const NDataModelDataSet& src, int nSrcRow)
{
    if (nSrcRow < 1 || nSrcRow > src.GetRowCount())
        return 0;
    int row = InsertRow(GetRowCount() + 1);
    for (int c = 0; c < GetFieldCount(); ++c) {
        int sc = src.GetColNum(GetFieldName(c));
        if (sc >= 0)
            SetAsString(c, row, src.GetAsString(sc, nSrcRow));
    }
    return row;
}
