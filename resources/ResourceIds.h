// The ids of the module's own resources. The dialogs' ids are those of the
// dialog table in options/DialogResources.h; the bitmaps are the faces of the
// toolbar buttons and menu items, the icons those beside the rule buttons and
// in the notification area.
#pragma once

#define IDR_TYPELIB 1
#define IDB_PROPPAGE_TOOLBOX 103
#define IDB_UNMARK 201
#define IDB_TO_SPAM 202
#define IDB_HELP 206
#define IDB_TO_INBOX 207
#define IDB_MARK 208
#define IDI_SPAM_FILTER_RULES 207
#define IDI_VALIDATION_RULES 208
#define IDI_OPERATION_RULES 209
#define IDI_NOTIFICATION 210
