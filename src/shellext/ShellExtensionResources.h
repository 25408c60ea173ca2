// Resource numbers of OrvelShellExtensions.dll (shared by the code and res/OrvelShellExtensions.rc).
#pragma once

#define IDS_PROJNAME 100
#define IDB_MENU_BITMAP 103
