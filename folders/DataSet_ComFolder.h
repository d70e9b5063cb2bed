// An in-memory dataset with the layout of the component-folder table ("comfolder"), keyed by
// (comfolderid, floorid).
#pragma once
#include "afxwin.h"
#include "ComTreeHost.h"

class AFX_EXT_CLASS CDataSet_ComFolder : public NDbDataSet
{
public:
    CDataSet_ComFolder();
    virtual ~CDataSet_ComFolder();

    virtual int InitFieldStr();
};
