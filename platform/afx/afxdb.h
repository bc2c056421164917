#pragma once

// The ODBC classes. CDatabase is declared in its own header, included here.

#include "AfxDBException.h"
#include "AfxDatabase.h"
#include "afxwin.h"
