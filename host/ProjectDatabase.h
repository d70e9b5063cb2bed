// CProjectDatabase: the project that is open in this process.
//
// The component tree module constructs its table objects with no arguments
// (CAccessProject_FloorTable table; table.GetDataSet()), so every table class works on one
// process-wide current project. The host application opens it before it creates the module's
// panel (Open or Create) and closes it after the panel is gone. Opening another project
// replaces the current one only when the new one opened; a refused file leaves the current
// project as it was.
//
// Open refuses, with a Chinese text for the user and without writing a byte to the file:
// a missing file, a file that is not a project (not SQLite, or without the project tables and
// their columns), a read-only file, a file another process holds (opened without sharing, or
// in the middle of a write), and a damaged file. A project that has the contract tables only
// is given the further tables and columns the host uses:
//   floor.floortype, floor.floorheight, floor.remark     floor details of the floor dataset
//   component.sumvolume                                    a component's total count
//   componentresult (resultid, comid, itemname, value)     calculation results per component
//   comsetup (comid, parmname, parmvalue)                  a component's calculation set-up
//   comtypesetup (comtype, parmname, parmvalue)            the default set-up of a type
//   kxsequence (name, value)                               the highest component id ever given
// Component ids are never given twice, so result rows left behind by a deleted component never
// attach to a new one.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class CProjectConnection;

class KXHOST_API CProjectDatabase
{
public:
    // Opens an existing project file as the current project. With bHoldExclusive the file
    // stays locked against every other process until Close (a host editing a project);
    // without it other processes may read it meanwhile (tests, sqlite3).
    static BOOL Open(LPCTSTR pszPath, CString* pError = NULL, BOOL bHoldExclusive = FALSE);
    // Creates a new, empty project file (the file must not exist) and opens it.
    static BOOL Create(LPCTSTR pszPath, LPCTSTR pszProjectName, CString* pError = NULL);
    static void Close();
    static BOOL IsOpen();
    static CString GetPath();
    // The text of the last refused Open or Create.
    static CString GetLastErrorText();
    // The current project's connection, NULL when none is open.
    static CProjectConnection* GetConnection();

    // A write to the current project that fails (disk full, the file made read-only or
    // locked by another program, a trigger that aborts, no memory) is never silent: the user
    // is told through the host's message box, "保存失败：" and the reason, once per command
    // (further failures before the thread's message loop is idle again add no box). The
    // transaction scope it happened in rolls back. The observer (one; NULL removes it) hears
    // of each box after it closed: a host may then offer to reload the project.
    typedef void (*WriteFailureObserver)(void* pContext);
    static void SetWriteFailureObserver(WriteFailureObserver pfn, void* pContext);
    static void NotifyWriteFailure(const CString& strReason);
};
