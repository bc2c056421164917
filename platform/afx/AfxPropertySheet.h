#pragma once

// Property sheets and pages with the platform's page protocol:
// - a page is created (OnInitDialog) the first time it is shown;
// - OnSetActive each time it becomes active (the base writes the members to
//   the controls, except the first time: m_bFirstSetActive);
// - OnKillActive before it is left (the base reads the controls back); FALSE
//   keeps the page, whether the change comes from a click on a tab, the
//   keyboard (arrows, Ctrl+Tab, Alt+mnemonic), the wheel or SetActivePage;
// - OK: OnKillActive of the active page, then OnApply (-> OnOK) of every
//   created page; Cancel: OnQueryCancel of the active page, then OnReset
//   (-> OnCancel) of every created page.
// The sheet has the buttons OK (IDOK) and Cancel (IDCANCEL); there is no Apply
// or Help button (as with PSH_NOAPPLYNOW).

#include <vector>

#include "AfxDialog.h"

constexpr DWORD PSH_DEFAULT = 0x00000000;
constexpr DWORD PSH_PROPTITLE = 0x00000001;
constexpr DWORD PSH_USEHICON = 0x00000002;
constexpr DWORD PSH_PROPSHEETPAGE = 0x00000008;
constexpr DWORD PSH_HASHELP = 0x00000200;
constexpr DWORD PSH_MODELESS = 0x00000400;
constexpr DWORD PSH_NOAPPLYNOW = 0x00000080;
constexpr DWORD PSP_DEFAULT = 0x00000000;
constexpr DWORD PSP_USETITLE = 0x00000008;
constexpr DWORD PSP_HASHELP = 0x00000020;

// Notifications a sheet sends its pages (WM_NOTIFY codes)
constexpr UINT PSN_SETACTIVE = static_cast<UINT>(-200);
constexpr UINT PSN_KILLACTIVE = static_cast<UINT>(-201);
constexpr UINT PSN_APPLY = static_cast<UINT>(-202);
constexpr UINT PSN_RESET = static_cast<UINT>(-203);
constexpr UINT PSN_QUERYCANCEL = static_cast<UINT>(-209);
constexpr LRESULT PSNRET_NOERROR = 0;
constexpr LRESULT PSNRET_INVALID = 1;

// Sheet messages
constexpr UINT PSM_SETCURSEL = WM_USER + 101;  // wParam: index; the one way a page changes
constexpr UINT PSM_PRESSBUTTON = WM_USER + 112;
constexpr int PSBTN_OK = 1;
constexpr int PSBTN_CANCEL = 2;
constexpr int ID_APPLY_NOW = 0x3021;
constexpr int AFX_IDC_TAB_CONTROL = 0x3020;

struct PROPSHEETHEADER {
    DWORD dwSize;
    DWORD dwFlags;
    HWND hwndParent;
    LPCSTR pszCaption;
    UINT nPages;
    UINT nStartPage;
};

struct PROPSHEETPAGE {
    DWORD dwSize;
    DWORD dwFlags;
    UINT nIDTemplate;
    LPCSTR pszTitle;
};

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();    // calls OnOK
    virtual void OnReset();    // calls OnCancel
    void OnOK() override;      // nothing
    void OnCancel() override;  // nothing
    virtual BOOL OnQueryCancel();
    void SetModified(BOOL bChanged = TRUE);
    void CancelToClose();

    // The tab text: the caption string nIDCaption, else the template's caption.
    CString GetTabCaption() const;

    PROPSHEETPAGE m_psp{};

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL m_bFirstSetActive = TRUE;
    CString m_strCaption;

private:
    friend class CPropertySheet;
    CPropertySheet* m_pSheet = nullptr;
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    int GetPageIndex(CPropertyPage* pPage) const;
    // Asks the active page to let go (OnKillActive) and moves; FALSE when the
    // page refused or nPage does not exist. Before the sheet runs, only
    // chooses the first page.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    void PressButton(int nButton);

    // Runs the sheet until EndDialog or its OK/Cancel processing ends it.
    // Hiding the sheet (ShowWindow(SW_HIDE)) does not end the run.
    virtual INT_PTR DoModal();
    // Ends the run with nEndID and tells the pages of the cancel (OnReset), as
    // pressing the sheet's Cancel button does.
    void EndDialog(int nEndID);

    virtual BOOL OnInitDialog();

    PROPSHEETHEADER m_psh{};

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    DECLARE_MESSAGE_MAP()

private:
    struct Impl;
    BOOL ChangePage(int nPage);
    BOOL ActivatePage(int nPage);
    LRESULT NotifyPage(CPropertyPage* pPage, UINT code);
    void PressOk();
    void PressCancel(BOOL bAsk);
    BOOL CreateSheetWindow();

    std::vector<CPropertyPage*> m_pages;
    CString m_strCaption;
    int m_nActive = -1;
    Impl* m_pImpl = nullptr;
};
