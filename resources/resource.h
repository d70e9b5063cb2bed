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
// Labels nobody addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

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

// Commands of the component tree's context menus, routed by the tree control's message map.
// ID_COMTREE_ADD_FLOOR has no menu entry: it reaches the tree through the host's command
// routing. The add submenu numbers its entries from ID_COMTREE_ADD_FOLDER_FIRST in add-list
// order; the tree handles that id up to ID_COMTREE_ADD_FOLDER_LAST, eleven entries.
#define ID_COMTREE_ADD_FLOOR 32771
#define ID_COMTREE_MCOPY 32772
#define ID_COMTREE_MCUT 32773
#define ID_COMTREE_MPASTE 32774
#define ID_COMTREE_MDEL 32775
#define ID_COMTREE_DEL 32816
#define ID_COMTREE_OWNER_COM 32818
#define ID_COMTREE_MODIFY_COM 32833
#define ID_COMTREE_CUT 32913
#define ID_COMTREE_COPY 32914
#define ID_COMTREE_PASTE 32915
#define ID_COMTREE_QUICK_COPY 32916
#define ID_COMTREE_RENAME 32917
#define ID_COMTREE_ADD_USER_FOLD 32974
#define ID_COMTREE_MODIFY_BATCH 33776
#define ID_COMTREE_USER_COMPONENT 33777
#define ID_COMTREE_ADD_FOLDER_FIRST 34775
#define ID_COMTREE_ADD_FOLDER_LAST 34785
// The multi-node menu: one popup with copy, cut, paste (grayed) and delete.
#define IDR_MULTINODE 12007
