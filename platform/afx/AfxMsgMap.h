#pragma once

// Message maps: a static table of entries per class, searched from the most
// derived class to its bases. The ON_ macros only build entries. Name the
// handler as in the class ("OnAppAbout") or through a base ("CWinApp::OnFileNew").

#include "WinUser.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;

typedef void (CCmdTarget::*AFX_PMSG)();

// How an entry's handler is called.
enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSigCmd_v,       // void ()                             commands and notifications
    AfxSigCmd_RANGE,   // void (UINT id)                      command ranges
    AfxSigCmdUI,       // void (CCmdUI*)                      command-update handlers
    AfxSig_lwl,        // LRESULT (WPARAM, LPARAM)            ON_MESSAGE
    AfxSig_is,         // int (LPCREATESTRUCT)                ON_WM_CREATE
    AfxSig_vv,         // void ()                             ON_WM_DESTROY, ON_WM_CLOSE
    AfxSig_vwWb,       // void (UINT, CWnd*, BOOL)            ON_WM_ACTIVATE
    AfxSig_bHELPINFO,  // BOOL (HELPINFO*)                    ON_WM_HELPINFO
    AfxSig_vMwb,       // void (CMenu*, UINT, BOOL)           ON_WM_INITMENUPOPUP
    AfxSig_vwl,        // void (UINT, LPARAM)                 ON_WM_SYSCOMMAND
    AfxSig_vw,         // void (UINT)                         ON_WM_TIMER
};

constexpr UINT CN_COMMAND = 0;
constexpr UINT CN_UPDATE_COMMAND_UI = static_cast<UINT>(-1);

// The handler of an entry; the member that is set is the one nSig names.
union AFX_PMSG_ANY {
    void (CCmdTarget::*pfn_v)();
    void (CCmdTarget::*pfn_vu)(UINT);
    void (CCmdTarget::*pfn_cmdui)(CCmdUI*);
    LRESULT (CWnd::*pfn_lwl)(WPARAM, LPARAM);
    int (CWnd::*pfn_is)(LPCREATESTRUCT);
    void (CWnd::*pfn_vv)();
    void (CWnd::*pfn_vwWb)(UINT, CWnd*, BOOL);
    BOOL (CWnd::*pfn_bHELPINFO)(HELPINFO*);
    void (CWnd::*pfn_vMwb)(CMenu*, UINT, BOOL);
    void (CWnd::*pfn_vwl)(UINT, LPARAM);
    void (CWnd::*pfn_vw)(UINT_PTR);
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message (WM_COMMAND for commands)
    UINT nCode;     // notification code or CN_UPDATE_COMMAND_UI
    UINT nID;       // first control/command ID
    UINT nLastID;   // last ID of a range
    AfxSig nSig;
    AFX_PMSG_ANY pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Used by OnCmdMsg callers that only ask whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

#define afx_msg

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;    \
        using TheBaseClass = baseClass;                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    {                                                                                             \
        0, 0, 0, 0, AfxSig_end, {}                                                                \
    }                                                                                             \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

// The handler's signature is checked here and kept in the matching union member.
#define AFX_MSG_PFN_(member, type, memberFxn) \
    { .member = static_cast<type>(&ThisClass::memberFxn) }

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND,                  \
     CN_COMMAND,                  \
     static_cast<UINT>(id),       \
     static_cast<UINT>(id),       \
     AfxSigCmd_v,                 \
     AFX_MSG_PFN_(pfn_v, void(CCmdTarget::*)(), memberFxn)},

#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND,                                \
     CN_COMMAND,                                \
     static_cast<UINT>(id),                     \
     static_cast<UINT>(idLast),                 \
     AfxSigCmd_RANGE,                           \
     AFX_MSG_PFN_(pfn_vu, void(CCmdTarget::*)(UINT), memberFxn)},

#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND,                            \
     CN_UPDATE_COMMAND_UI,                  \
     static_cast<UINT>(id),                 \
     static_cast<UINT>(id),                 \
     AfxSigCmdUI,                           \
     AFX_MSG_PFN_(pfn_cmdui, void(CCmdTarget::*)(CCmdUI*), memberFxn)},

#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND,                               \
     static_cast<UINT>(wNotifyCode),           \
     static_cast<UINT>(id),                    \
     static_cast<UINT>(id),                    \
     AfxSigCmd_v,                              \
     AFX_MSG_PFN_(pfn_v, void(CCmdTarget::*)(), memberFxn)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)

#define ON_MESSAGE(message, memberFxn) \
    {static_cast<UINT>(message),       \
     0,                                \
     0,                                \
     0,                                \
     AfxSig_lwl,                       \
     AFX_MSG_PFN_(pfn_lwl, LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn)},

#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, AfxSig_is, AFX_MSG_PFN_(pfn_is, int(CWnd::*)(LPCREATESTRUCT), OnCreate)},
#define ON_WM_DESTROY() \
    {WM_DESTROY, 0, 0, 0, AfxSig_vv, AFX_MSG_PFN_(pfn_vv, void(CWnd::*)(), OnDestroy)},
#define ON_WM_CLOSE() \
    {WM_CLOSE, 0, 0, 0, AfxSig_vv, AFX_MSG_PFN_(pfn_vv, void(CWnd::*)(), OnClose)},
#define ON_WM_ACTIVATE() \
    {WM_ACTIVATE, 0,     \
     0,           0,     \
     AfxSig_vwWb, AFX_MSG_PFN_(pfn_vwWb, void(CWnd::*)(UINT, CWnd*, BOOL), OnActivate)},
#define ON_WM_HELPINFO() \
    {WM_HELP,            \
     0,                  \
     0,                  \
     0,                  \
     AfxSig_bHELPINFO,   \
     AFX_MSG_PFN_(pfn_bHELPINFO, BOOL(CWnd::*)(HELPINFO*), OnHelpInfo)},
#define ON_WM_INITMENUPOPUP() \
    {WM_INITMENUPOPUP,        \
     0,                       \
     0,                       \
     0,                       \
     AfxSig_vMwb,             \
     AFX_MSG_PFN_(pfn_vMwb, void(CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND,        \
     0,                    \
     0,                    \
     0,                    \
     AfxSig_vwl,           \
     AFX_MSG_PFN_(pfn_vwl, void(CWnd::*)(UINT, LPARAM), OnSysCommand)},
#define ON_WM_TIMER() \
    {WM_TIMER, 0, 0, 0, AfxSig_vw, AFX_MSG_PFN_(pfn_vw, void(CWnd::*)(UINT_PTR), OnTimer)},
