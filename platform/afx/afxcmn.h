#pragma once

// Part of the class library; everything is declared through afxwin.h.

#include "afxwin.h"
