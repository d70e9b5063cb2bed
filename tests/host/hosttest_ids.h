#pragma once
#define IDD_HOST_DOCKED 3001
#define IDD_HOST_POPUP 3002
#define IDC_HOST_EDIT 3010
