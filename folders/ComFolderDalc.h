// Reads the project's component-folder table as a dataset.
#pragma once
#include "afxwin.h"
#include "ComTreeHost.h"

class AFX_EXT_CLASS CComFolderDalc
{
public:
    virtual ~CComFolderDalc();

    // The table's rows, or NULL when the table has none; the caller owns the dataset.
    CSQLDataSet* GetComFolderDataSet();
};
