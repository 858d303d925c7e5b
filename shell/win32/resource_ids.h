// Resource numbers of the Windows programs' pictures, shared by the resource scripts and the code.
// Each button has three pictures in a row: normal, hover, pressed.
#pragma once

#define IDB_SKIN 100
#define IDB_CLOSE 101
#define IDB_SELECT_FILE 110
#define IDB_SELECT_DIR 120
#define IDB_EXTRACT 130
#define IDB_PACK 140
