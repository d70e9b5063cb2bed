// make-bench-project FILE FLOORS FOLDERS_PER_FLOOR COMPONENTS_PER_FOLDER
//
// Writes a large project for the benchmarks: FLOORS floors (the first with id 0), each with
// FOLDERS_PER_FLOOR folders and COMPONENTS_PER_FOLDER components in every folder, so the tree
// has FLOORS * (1 + FOLDERS * (1 + COMPONENTS)) items below the project. Folder ids follow the
// rule layout: categories 10, 20, ..., 90 with sub-folders 11..19, 21..29, ...; beyond 90
// folders, user folders from 100 under the categories. Everything is written through datasets
// in one transaction.
#include <windows.h>
#include <cstdio>
#include <memory>
#include "ComTreeHost.h"

namespace {

struct FolderSpec
{
    int id;
    int parent;
};

std::vector<FolderSpec> FolderLayout(int count)
{
    std::vector<FolderSpec> out;
    for (int c = 10; c <= 90 && static_cast<int>(out.size()) < count; c += 10)
        for (int k = 0; k < 10 && static_cast<int>(out.size()) < count; ++k)
            out.push_back({ c + k, k == 0 ? 0 : c });
    for (int u = 100; static_cast<int>(out.size()) < count; ++u)
        out.push_back({ u, 10 * (1 + (u - 100) % 9) });
    return out;
}

const wchar_t* const kCategoryNames[] = { L"梁",   L"柱",       L"墙",     L"板",      L"基础",
                                          L"楼梯", L"其他构件", L"预埋件", L"零星构件" };
const wchar_t* const kPrefixes[] = {
    L"KL", L"KZ", L"Q1", L"XB1", L"J1", L"TL", L"YT", L"YM", L"LX"
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 5) {
        fwprintf(
            stderr,
            L"usage: make-bench-project FILE FLOORS FOLDERS_PER_FLOOR COMPONENTS_PER_FOLDER\n");
        return 2;
    }
    int nFloors = _wtoi(argv[2]), nFolders = _wtoi(argv[3]), nComponents = _wtoi(argv[4]);
    if (nFloors < 1 || nFolders < 1 || nComponents < 0) {
        fwprintf(stderr,
                 L"make-bench-project: FLOORS and FOLDERS_PER_FLOOR must be 1 or more, "
                 L"COMPONENTS_PER_FOLDER 0 or more\n");
        return 2;
    }
    CString error;
    if (!CProjectDatabase::Create(argv[1], L"基准工程", &error)) {
        fwprintf(stderr, L"make-bench-project: %ls\n", error.GetString());
        return 1;
    }
    std::vector<FolderSpec> layout = FolderLayout(nFolders);
    long long items = 0;
    {
        CProjectConnectTransaction scope;
        std::unique_ptr<CSQLDataSet> floors(CAccessProject_FloorTable().GetDataSet());
        std::unique_ptr<CSQLDataSet> folders(CAccessProject_ComFolderTable().GetDataSet());
        const FolderRow::Columns folderColumns(folders.get());
        std::unique_ptr<CSQLDataSet> components(CAccessProject_Components_GJTable().GetDataSet());
        int comId = 0;
        for (int f = 0; f < nFloors; ++f) {
            int r = floors->InsertRow(0);
            floors->SetAsInteger(L"id", r, f);
            CString name;
            name.Format(L"%d", f == 0 ? 0 : f);
            floors->SetAsString(L"lcmc", r, f == 0 ? CString(L"基础") : name);
            floors->SetAsInteger(L"showid", r, f + 1);
            floors->SetAsInteger(L"createmode", r, 0);
            ++items;
            for (const FolderSpec& folder : layout) {
                int fr = folders->InsertRow(0);
                int cat = (folder.parent ? folder.parent : folder.id) / 10 - 1;
                CString id, parent, folderName;
                id.Format(L"%d", folder.id);
                if (folder.parent)
                    parent.Format(L"%d", folder.parent);
                folderName.Format(folder.parent ? L"%s%d" : L"%s", kCategoryNames[cat % 9],
                                  folder.id);
                FolderRow row;
                row.strId = id;
                row.nFloorId = f;
                row.nAllowOwnerCom = 1;
                row.strParentId = parent;
                row.strName = folderName;
                row.nComType = (cat % 7 + 1) * 100 + 11;
                row.nAllowAddUserFolder = 1;
                row.nInitCreate = 1;
                row.nShowId = folder.id;
                row.Write(folderColumns, fr);
                ++items;
                for (int c = 0; c < nComponents; ++c) {
                    int cr = components->InsertRow(0);
                    CString comName;
                    comName.Format(L"%s-%d", kPrefixes[cat % 9], c + 1);
                    components->SetAsInteger(L"id", cr, ++comId);
                    components->SetAsInteger(L"floorid", cr, f);
                    components->SetAsString(L"folderid", cr, id);
                    components->SetAsString(L"comname", cr, comName);
                    components->SetAsInteger(L"comtype", cr, (cat % 7 + 1) * 100 + 11);
                    components->SetAsInteger(L"volume", cr, 1 + c % 3);
                    components->SetAsInteger(L"showid", cr, c + 1);
                    ++items;
                }
            }
        }
        if (!floors->DoSqlUpdate() || !folders->DoSqlUpdate() || !components->DoSqlUpdate()
            || !scope.End()) {
            fwprintf(stderr, L"make-bench-project: could not write the project\n");
            CProjectDatabase::Close();
            DeleteFileW(argv[1]);
            return 1;
        }
    }
    CProjectDatabase::Close();
    wprintf(L"%d floors, %d folders per floor, %d components per folder: %lld tree items below the "
            L"project\n",
            nFloors, nFolders, nComponents, items);
    return 0;
}
