// The host side of the component tree module, in one header: the project database service
// and dataset library on SQLite, and the host's user-interface services.
#pragma once
#include "HostExport.h"
#include "ProjectConnection.h"
#include "ProjectDatabase.h"
#include "ProjectConnectTransaction.h"
#include "DataModelDataSet.h"
#include "DbDataSet.h"
#include "SQLDataSet.h"
#include "KxSQLTableCtrl.h"
#include "Project_ComFolderTable.h"
#include "AccessProject_ProjectInfoTable.h"
#include "AccessProject_FloorTable.h"
#include "AccessProject_ComFolderTable.h"
#include "AccessProject_Components_GJTable.h"
#include "AccessProject_ComponentResultTable.h"
#include "ParmAccess.h"
