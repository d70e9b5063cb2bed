#include "folders/ComFolderDalc.h"

CComFolderDalc::~CComFolderDalc() {}

CSQLDataSet* CComFolderDalc::GetComFolderDataSet()
{
    CAccessProject_ComFolderTable table;
    CSQLDataSet* pDataSet = table.GetDataSet();
    if (pDataSet && pDataSet->GetRowCount() <= 0) {
        delete pDataSet;
        pDataSet = NULL;
    }
    return pDataSet;
}
