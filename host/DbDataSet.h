// NDbDataSet: a dataset shaped like one project table. A derived class declares the table's
// fields, key columns and table name in InitFieldStr; the rows live in memory only.
// CSQLDataSet adds loading from and saving to the open project.
#pragma once
#include "DataModelDataSet.h"

class KXHOST_API NDbDataSet : public NDataModelDataSet
{
public:
    NDbDataSet();
    virtual ~NDbDataSet();

    // Appends a copy of a row of another dataset: each of this dataset's fields takes the
    // value of the source field of the same name (fields the source lacks stay empty).
    // Returns the new row, 0 when nSrcRow is not a row of the source.
    int AppendRowFrom(const NDataModelDataSet& src, int nSrcRow);
};
