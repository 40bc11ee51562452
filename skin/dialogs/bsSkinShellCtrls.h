#pragma once
// The shell controls' shared model: identifier lists, the namespace's
// folder interfaces, shell folder objects and the change notifier.

#include "skin/dialogs/bsSkinShellCtrls_Folder.h"
#include "skin/dialogs/bsSkinShellCtrls_ItemIDs.h"
#include "skin/dialogs/bsSkinShellCtrls_Namespace.h"
#include "skin/dialogs/bsSkinShellCtrls_Notifier.h"
