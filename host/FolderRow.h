// FolderRow: one component-folder row as plain values, read from and written to any dataset
// that has the folder fields (the folder store's dataset, the tree's merged view, a dataset of
// child rows).
//
//   FolderRow::Columns folders(pDataSet); // the field columns, looked up once per dataset
//   FolderRow row;
//   row.Read(folders, nRow);              // every field of row nRow
//   row.strParentId = strNewParent;
//   row.Write(folders, nNewRow);          // every field onto row nNewRow
//
// Values are read as the dataset accessors read them: ids, parent id and name as text (an
// empty id in a field declared integer reads "0"), flags and numbers as integers (their
// leading digits), volume as a decimal number. A field the dataset lacks reads as empty or 0
// and is not written.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class NDataModelDataSet;

struct KXHOST_API FolderRow
{
    // Column numbers of the folder fields in one dataset (-1 for a field it lacks). A lookup by
    // name is a hash of the lower-cased name; a scan over thousands of rows does it once.
    struct KXHOST_API Columns
    {
        explicit Columns(NDataModelDataSet* pDataSet);

        NDataModelDataSet* pDataSet;
        int nId, nFloorId, nAllowOwnerCom, nParentId, nName, nImage, nSelectedImage, nComType;
        int nAllowAddUserFolder, nInitCreate, nVolume, nShowId;
    };

    CString strId;           // comfolderid
    int nFloorId;            // floorid
    int nAllowOwnerCom;      // allowownercom: non-zero when the folder holds components
    CString strParentId;     // parentid
    CString strName;         // foldername
    int nImage;              // imageindex
    int nSelectedImage;      // selectedindex
    int nComType;            // comtype
    int nAllowAddUserFolder; // allowadduserfolder
    int nInitCreate;         // initcreate: non-zero when the folder is shown
    double dVolume;          // volume: how many identical units the folder stands for
    int nShowId;             // showid

    // Empty, counting one unit.
    FolderRow();

    void Read(const Columns& folders, int nRow);
    // Writes all twelve fields; a row outside the dataset is left alone.
    void Write(const Columns& folders, int nRow) const;
};
