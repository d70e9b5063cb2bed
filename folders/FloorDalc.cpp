#include "folders/FloorDalc.h"

CFloorDalc::~CFloorDalc() {}

CSQLDataSet* CFloorDalc::GetFloorDataSet()
{
    CAccessProject_FloorTable table;
    CSQLDataSet* pDataSet = table.GetDataSet();
    if (pDataSet && pDataSet->GetRowCount() <= 0) {
        delete pDataSet;
        pDataSet = NULL;
    }
    return pDataSet;
}
