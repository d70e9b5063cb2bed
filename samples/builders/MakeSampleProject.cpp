// make-sample-project FILE [TREE.xml]
//
// Writes a small, realistic project: a foundation floor (id 0) and four storeys, each with the
// folders that the "OtherFloor" rules of the sample data folder give a new floor (as the module
// would create them), a few user folders that stand for several identical units, and a few
// dozen components with counts, calculation set-up and results. The top storey is left with
// createmode 1, so the module creates its folders when the project is first opened. Without
// the rule text every floor is left with createmode 1 and the module creates all folders.
#include <windows.h>
#include <objbase.h>
#include <cstdio>
#include <memory>
#include "ComTreeHost.h"
#include "SampleRules.h"

#ifndef COMTREE_SAMPLE_DATA
#define COMTREE_SAMPLE_DATA L""
#endif

namespace {

struct Floor
{
    int id;
    const wchar_t* name;
    int show;
};
const Floor kFloors[] = {
    { 0, L"基础", 1 }, { 1, L"首", 2 }, { 2, L"二", 3 }, { 3, L"三", 4 }, { 4, L"屋面", 5 },
};

struct Component
{
    int floor;
    const wchar_t* folder;
    const wchar_t* name;
    int type;
    double count;
};
const Component kComponents[] = {
    { 0, L"51", L"TJ1-1", 511, 2 },     { 0, L"51", L"TJ1-2", 511, 1 },
    { 0, L"52", L"J1-1", 521, 6 },      { 0, L"52", L"J1-2", 521, 4 },
    { 0, L"52", L"J2-1", 522, 2 },      { 0, L"53", L"CT4-1", 531, 3 },
    { 0, L"54", L"灌注桩-1", 541, 24 }, { 0, L"13", L"JZL-1", 131, 2 },
    { 0, L"13", L"JZL-2", 131, 1 },     { 1, L"11", L"KL-1", 111, 2 },
    { 1, L"11", L"KL-2", 111, 2 },      { 1, L"11", L"KL-10", 111, 1 },
    { 1, L"11", L"KL-3", 111, 1.5 },    { 1, L"12", L"L-1", 121, 4 },
    { 1, L"12", L"L-2", 121, 2 },       { 1, L"21", L"KZ-1", 211, 12 },
    { 1, L"21", L"KZ-2", 211, 8 },      { 1, L"22", L"GZ-1", 221, 6 },
    { 1, L"31", L"Q1-1", 311, 2 },      { 1, L"41", L"XB1-1", 411, 1 },
    { 1, L"61", L"楼梯1-1", 613, 2 },   { 2, L"11", L"KL-1", 111, 2 },
    { 2, L"11", L"KL-2", 111, 2 },      { 2, L"12", L"L-1", 121, 4 },
    { 2, L"21", L"KZ-1", 211, 12 },     { 2, L"21", L"KZ-2", 211, 8 },
    { 2, L"41", L"XB1-1", 411, 1 },     { 2, L"42", L"XB2-1", 412, 1 },
    { 2, L"71", L"YT-1", 711, 4 },      { 2, L"72", L"YP-1", 712, 2 },
    { 3, L"11", L"WKL-1", 112, 2 },     { 3, L"11", L"KL-1", 111, 2 },
    { 3, L"21", L"KZ-1", 211, 12 },     { 3, L"77", L"女儿墙-1", 717, 1 },
    { 3, L"41", L"XB1-1", 411, 1 },
};

// User folders: id, floor, parent, name, type, count; components inside them follow.
struct UserFolder
{
    const wchar_t* id;
    int floor;
    const wchar_t* parent;
    const wchar_t* name;
    int type;
    double count;
};
const UserFolder kUserFolders[] = {
    { L"100", 2, L"10", L"标准层梁", 111, 3 },
    { L"101", 2, L"100", L"楼梯间梁", 121, 2 },
    { L"102", 1, L"20", L"角柱", 211, 4 },
};
const Component kUserFolderComponents[] = {
    { 2, L"100", L"KL-5", 111, 2 },   { 2, L"100", L"KL-6", 111, 1 },
    { 2, L"101", L"TL-1", 611, 2 },   { 1, L"102", L"KZ-3", 211, 1 },
    { 1, L"102", L"KZ-4", 211, 2.5 },
};

int Fail(const wchar_t* what, const CString& detail)
{
    fwprintf(stderr, L"make-sample-project: %ls %ls\n", what, detail.GetString());
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        fwprintf(stderr, L"usage: make-sample-project FILE [TREE.xml]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring rulesPath = argc > 2 ? argv[2] : std::wstring(COMTREE_SAMPLE_DATA) + L"\\TREE.xml";
    std::vector<FolderRow> rules = ReadOtherFloorFolders(rulesPath);

    CString error;
    if (!CProjectDatabase::Create(argv[1], L"示例工程：某住宅楼", &error))
        return Fail(L"", error);

    int written = 0;
    {
        CProjectConnectTransaction scope;
        CAccessProject_ProjectInfoTable info;
        info.SetProjectInfo_ParmValue(L"GJJG", L"按楼层");

        CAccessProject_FloorTable floorTable;
        std::unique_ptr<CSQLDataSet> floors(floorTable.GetDataSet());
        CAccessProject_ComFolderTable folderTable;
        std::unique_ptr<CSQLDataSet> folders(folderTable.GetDataSet());
        const FolderRow::Columns folderColumns(folders.get());
        for (const Floor& f : kFloors) {
            bool pending = rules.empty() || f.id == 4;
            int r = floors->InsertRow(0);
            floors->SetAsInteger(L"floorid", r, f.id);
            floors->SetAsString(L"floorname", r, f.name);
            floors->SetAsInteger(L"ordernum", r, f.show);
            floors->SetAsInteger(L"createmode", r, pending ? 1 : 0);
            floors->SetAsInteger(L"floortype", r, f.id == 0 ? 0 : 1);
            floors->SetAsFloat(L"floorheight", r, f.id == 0 ? 2.0 : (f.id == 1 ? 4.5 : 3.0));
            floors->SetAsString(L"remark", r, f.id == 0 ? L"基础层" : L"");
            if (pending)
                continue;
            for (FolderRow row : rules) {
                row.nFloorId = f.id;
                row.Write(folderColumns, folders->InsertRow(0));
            }
        }
        for (const UserFolder& u : kUserFolders) {
            if (rules.empty())
                break; // their parents would not exist yet
            FolderRow row;
            row.strId = u.id;
            row.nFloorId = u.floor;
            row.strParentId = u.parent;
            row.strName = u.name;
            row.nComType = u.type;
            row.nShowId = _wtoi(u.id);
            row.nAllowOwnerCom = row.nAllowAddUserFolder = row.nInitCreate = 1;
            row.dVolume = u.count;
            row.Write(folderColumns, folders->InsertRow(0));
        }
        if (!floors->DoSqlUpdate() || !folders->DoSqlUpdate())
            return Fail(L"could not write floors and folders:",
                        floors->GetLastErrorText() + folders->GetLastErrorText());

        CAccessProject_Components_GJTable components;
        CAccessProject_ComponentResultTable results;
        CParmAccess parm;
        for (int type : { 199, 299, 399, 499, 599, 699, 799 }) {
            parm.SetComTypeSetup(type, L"混凝土强度等级", L"C30");
            parm.SetComTypeSetup(type, L"抗震等级", L"二级");
            parm.SetComTypeSetup(type, L"保护层厚度", type == 599 ? L"40" : L"25");
        }
        auto add = [&](const Component& c) {
            int id = components.Insert(c.floor, c.folder, c.name, c.type, c.count, 1);
            if (id > 0) {
                ++written;
                results.AddResult(id, L"纵筋重量(kg)", 12.5 * c.count);
                results.AddResult(id, L"箍筋重量(kg)", 4.25 * c.count);
            }
        };
        for (const Component& c : kComponents)
            add(c);
        if (!rules.empty())
            for (const Component& c : kUserFolderComponents)
                add(c);
        // One custom component, with its type's set-up.
        int custom = components.Insert(1, L"21", L"自定义构件", 299, 1, 1);
        std::unique_ptr<CSQLDataSet> setup(parm.GetComCalSetupDataSetByType(299));
        parm.SetComSetupDataSet(custom, setup.get());
        if (!scope.End())
            return Fail(L"could not write the components:", CString());
    }
    CProjectDatabase::Close();
    wprintf(L"%d floors, %d rule folders per floor, %d components\n",
            static_cast<int>(sizeof(kFloors) / sizeof(kFloors[0])), static_cast<int>(rules.size()),
            written + 1);
    CoUninitialize();
    return 0;
}
