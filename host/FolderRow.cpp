#include "FolderRow.h"
#include "AccessProject_ComFolderTable.h"
#include "DataModelDataSet.h"

using Field = CAccessProject_ComFolderTable::CFieldInfo;

FolderRow::Columns::Columns(NDataModelDataSet* pSet)
    : pDataSet(pSet), nId(pSet->GetColNum(Field::comfolderid)),
      nFloorId(pSet->GetColNum(Field::floorid)),
      nAllowOwnerCom(pSet->GetColNum(Field::allowownercom)),
      nParentId(pSet->GetColNum(Field::parentid)), nName(pSet->GetColNum(Field::foldername)),
      nImage(pSet->GetColNum(Field::imageindex)),
      nSelectedImage(pSet->GetColNum(Field::selectedindex)),
      nComType(pSet->GetColNum(Field::comtype)),
      nAllowAddUserFolder(pSet->GetColNum(Field::allowadduserfolder)),
      nInitCreate(pSet->GetColNum(Field::initcreate)), nVolume(pSet->GetColNum(Field::volume)),
      nShowId(pSet->GetColNum(Field::showid))
{}

FolderRow::FolderRow()
    : nFloorId(0), nAllowOwnerCom(0), nImage(0), nSelectedImage(0), nComType(0),
      nAllowAddUserFolder(0), nInitCreate(0), dVolume(1.0), nShowId(0)
{}

void FolderRow::Read(const Columns& c, int nRow)
{
    const NDataModelDataSet* ds = c.pDataSet;
    strId = ds->GetAsString(c.nId, nRow);
    nFloorId = ds->GetAsInteger(c.nFloorId, nRow);
    nAllowOwnerCom = ds->GetAsInteger(c.nAllowOwnerCom, nRow);
    strParentId = ds->GetAsString(c.nParentId, nRow);
    strName = ds->GetAsString(c.nName, nRow);
    nImage = ds->GetAsInteger(c.nImage, nRow);
    nSelectedImage = ds->GetAsInteger(c.nSelectedImage, nRow);
    nComType = ds->GetAsInteger(c.nComType, nRow);
    nAllowAddUserFolder = ds->GetAsInteger(c.nAllowAddUserFolder, nRow);
    nInitCreate = ds->GetAsInteger(c.nInitCreate, nRow);
    dVolume = ds->GetAsFloat(c.nVolume, nRow);
    nShowId = ds->GetAsInteger(c.nShowId, nRow);
}

void FolderRow::Write(const Columns& c, int nRow) const
{
    NDataModelDataSet* ds = c.pDataSet;
    ds->SetAsString(c.nId, nRow, strId);
    ds->SetAsInteger(c.nFloorId, nRow, nFloorId);
    ds->SetAsInteger(c.nAllowOwnerCom, nRow, nAllowOwnerCom);
    ds->SetAsString(c.nParentId, nRow, strParentId);
    ds->SetAsString(c.nName, nRow, strName);
    ds->SetAsInteger(c.nImage, nRow, nImage);
    ds->SetAsInteger(c.nSelectedImage, nRow, nSelectedImage);
    ds->SetAsInteger(c.nComType, nRow, nComType);
    ds->SetAsInteger(c.nAllowAddUserFolder, nRow, nAllowAddUserFolder);
    ds->SetAsInteger(c.nInitCreate, nRow, nInitCreate);
    ds->SetAsFloat(c.nVolume, nRow, dVolume);
    ds->SetAsInteger(c.nShowId, nRow, nShowId);
}
