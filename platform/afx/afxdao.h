#pragma once

// The DAO classes. CDaoWorkspace and AfxDao* are declared in their own
// header, included here.

#include "AfxDaoException.h"
#include "afxwin.h"
