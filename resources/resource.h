// Resource ids of the component tree module.
#pragma once

// The component tree panel (template 12001). The quantity field shares the template's number,
// as the two live in different namespaces (dialog resources and control ids).
#define IDD_DLG_COMTREE 12001
#define IDC_COMTREE 1000
#define IDC_EDIT_NUM 12001
#define IDC_STATIC_NUM 12002
#define IDC_RADIO_BYFLOOR 12004
#define IDC_RADIO_BYCOMPONENT 12005
#define IDC_STATIC_GROUP 12006

// New-component wizard dialog.
#define IDD_CLW_DIALOG 102
#define IDC_WIZARD_TREE 1000
#define IDC_WIZARD_LIST 1001
#define IDC_WIZARD_MESSAGE 12000

// Rename dialog (template 132) and its name field.
#define IDD_RENAME 132
#define IDC_RENAME_NAME 1001

// Icons of the component tree's image list, in image-list order (index 0 to 12); folder rows
// name these indexes, floors use 9, components 10 and the project item 11.
#define IDI_TREE_FOLDER 148
#define IDI_TREE_BRICK_WALL 222
#define IDI_TREE_JOINT 138
#define IDI_TREE_SLAB 147
#define IDI_TREE_COLUMN 228
#define IDI_TREE_PILE 230
#define IDI_TREE_STAIRS 234
#define IDI_TREE_RING 236
#define IDI_TREE_FOOTING 232
#define IDI_TREE_FLOOR 149
#define IDI_TREE_COMPONENT 175
#define IDI_TREE_PROJECT 173
#define IDI_TREE_SLOPING_SLAB 185
// Icons only the new-component wizard's class tree uses besides the member icons above.
#define IDI_WIZARD_ROOT 237
#define IDI_WIZARD_MEMBER 238
#define IDI_WIZARD_OTHER 239
