// Resource ids of the component tree module.
#pragma once

// New-component wizard dialog.
#define IDD_CLW_DIALOG                  102
#define IDC_WIZARD_TREE                 1000
#define IDC_WIZARD_LIST                 1001
#define IDC_WIZARD_MESSAGE              12000
