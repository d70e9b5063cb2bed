// CProject_ComFolderTable: a folder-layout dataset for views that merge the folder rows of
// several floors (the tree's merged folder view).
//
// InitFieldStr declares the twelve folder fields with "comfolderid" and "parentid" as integer
// fields, while their values stay the texts copied in: so "comfolderid" sorts as a number
// (9 before 10 before 100), and a top-level folder's empty "parentid" reads "0".
#pragma once
#include "DbDataSet.h"

class KXHOST_API CProject_ComFolderTable : public NDbDataSet
{
public:
    CProject_ComFolderTable();
    virtual ~CProject_ComFolderTable();
    virtual int InitFieldStr() override;
};
