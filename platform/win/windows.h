#pragma once

// The platform's API subset in one include, as the program expects it.

#include "CrtCompat.h"
#include "HtmlHelp.h"
#include "ShellApi.h"
#include "WinBase.h"
#include "WinStyles.h"
#include "WinTypes.h"
#include "WinUser.h"
