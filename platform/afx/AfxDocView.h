#pragma once

// Documents, views and document templates, with the minimal file and archive
// classes that serialization needs.

#include <list>
#include <memory>
#include <string>

#include "AfxFrame.h"

typedef struct __POSITION {
} * POSITION;

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        shareDenyWrite = 0x0020,
        shareExclusive = 0x0010,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeBinary = 0x8000
    };
    CFile();
    ~CFile() override;
    // Fills pError (when given) and returns FALSE on failure.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags,
                      class CFileException* pError = nullptr);
    virtual UINT Read(void* lpBuf, UINT nCount);  // throws CFileException
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual void Close();
    unsigned long long GetLength() const;
    CString GetFilePath() const { return m_strFileName; }

private:
    int m_fd = -1;
    CString m_strFileName;
};

class CArchive {
public:
    enum Mode { store = 0, load = 1 };
    CArchive(CFile* pFile, UINT nMode);
    BOOL IsLoading() const { return m_nMode == load; }
    BOOL IsStoring() const { return m_nMode == store; }
    CFile* GetFile() const { return m_pFile; }
    UINT Read(void* lpBuf, UINT nMax) { return m_pFile->Read(lpBuf, nMax); }
    void Write(const void* lpBuf, UINT nMax) { m_pFile->Write(lpBuf, nMax); }
    void Flush() {}
    void Close() {}

    class CDocument* m_pDocument = nullptr;

private:
    CFile* m_pFile;
    UINT m_nMode;
};

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

    virtual BOOL OnNewDocument();
    // Opens the file for reading and serializes from it; a file that cannot be
    // opened is reported in a message box and gives FALSE.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    const CString& GetPathName() const { return m_strPathName; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    virtual void OnChangedViewList();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;

protected:
    CString m_strTitle;
    CString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bModified = FALSE;
    std::list<CView*> m_viewList;
    friend class CDocTemplate;

    DECLARE_MESSAGE_MAP()
};

struct CPrintInfo {
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
};

class CDC;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // Printing: there are no printers on this platform, so DoPreparePrinting
    // tells the user so and returns FALSE.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();

protected:
    void PostNcDestroy() override;  // deletes the view object
    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    ~CDocTemplate() override;

    virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
    // A new document (lpszPathName null) or the named file opened as one, with
    // its frame and view; null when that fails.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    virtual CDocument* CreateNewDocument();
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    UINT GetResourceID() const { return m_nIDResource; }

protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;
};

class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;

    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;

private:
    std::list<CDocument*> m_docList;
    UINT m_nUntitledCount = 0;
};
