// Reads the project's floor table as a dataset.
#pragma once
#include "afxwin.h"
#include "ComTreeHost.h"

class AFX_EXT_CLASS CFloorDalc
{
public:
    virtual ~CFloorDalc();

    // The table's rows, or NULL when the table has none; the caller owns the dataset.
    CSQLDataSet* GetFloorDataSet();
};
