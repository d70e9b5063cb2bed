// CParmAccess: calculation set-up rows (parameter name and value pairs).
//
// A component type has default set-up rows (table comtypesetup); a component has its own
// (table comsetup). A new custom component takes a copy of its type's rows:
//   CSQLDataSet* ds = parm.GetComCalSetupDataSetByType(299);
//   parm.SetComSetupDataSet(newId, ds);
//   delete ds;
// Set-up datasets have the fields "parmname" and "parmvalue" (and "comtype" or "comid").
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class CSQLDataSet;
class NDataModelDataSet;

class KXHOST_API CParmAccess
{
public:
    CParmAccess();
    virtual ~CParmAccess();

    // The type's set-up rows in the order they were stored; never NULL (no rows when the
    // type has none). The caller deletes it.
    CSQLDataSet* GetComCalSetupDataSetByType(int nComType);
    // Replaces the component's set-up rows by the rows of the dataset (fields "parmname" and
    // "parmvalue"; rows with an empty name are skipped, a repeated name keeps its last value).
    // FALSE, with nothing changed, for a NULL dataset, one without a "parmname" field, or a
    // component id that has no component.
    BOOL SetComSetupDataSet(int nComId, NDataModelDataSet* pDataSet);
    // The component's own set-up rows; never NULL.
    CSQLDataSet* GetComSetupDataSet(int nComId);
    // Stores one default set-up value of a type.
    BOOL SetComTypeSetup(int nComType, LPCTSTR pszName, LPCTSTR pszValue);
};
