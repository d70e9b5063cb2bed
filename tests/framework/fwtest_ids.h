// Resource ids of the framework suite's own resources and of its resource DLL.
#pragma once
#define IDD_FW_DATA 9001
#define IDC_FW_NAME 9101
#define IDC_FW_COUNT 9102
#define IDC_FW_CHECK 9103
#define IDC_FW_TREE 9104
#define IDC_FW_RADIO1 9105
#define IDC_FW_RADIO2 9106

#define IDD_FW_EXT 9201 // only in the extension DLL
#define IDC_FW_EXT_TEXT 9202
#define IDR_FW_EXT_MENU 9301 // only in the extension DLL
#define IDS_FW_BOTH 9401     // in the executable and in the extension DLL
#define IDS_FW_EXT_ONLY 9402 // only in the extension DLL
