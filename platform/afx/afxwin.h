#pragma once

// The class library (and with it the platform's API) in one include.

#include "windows.h"

#include "AfxApp.h"
#include "AfxCmdTarget.h"
#include "AfxControls.h"
#include "AfxDialog.h"
#include "AfxDocView.h"
#include "AfxException.h"
#include "AfxFileDialog.h"
#include "AfxFrame.h"
#include "AfxGeometry.h"
#include "AfxMsgMap.h"
#include "AfxObject.h"
#include "AfxPropertySheet.h"
#include "AfxResIds.h"
#include "AfxString.h"
#include "AfxWnd.h"
