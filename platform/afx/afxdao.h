#pragma once

// The DAO classes: the engine, CDaoWorkspace and CDaoException.

#include "AfxDao.h"
#include "AfxDaoException.h"
#include "afxwin.h"
