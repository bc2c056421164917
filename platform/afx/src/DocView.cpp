// Documents, views, document templates, and the file and archive classes.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "AfxApp.h"
#include "AfxDocView.h"
#include "AfxInternal.h"

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

POSITION ToPosition(std::size_t index) {
    return reinterpret_cast<POSITION>(index + 1);
}
std::size_t FromPosition(POSITION pos) {
    return reinterpret_cast<std::size_t>(pos) - 1;
}

// The element at rPos, moving rPos on (null after the last one).
template <typename T>
T* NextAt(const std::list<T*>& items, POSITION& rPos) {
    std::size_t index = FromPosition(rPos);
    auto it = items.begin();
    std::advance(it, static_cast<std::ptrdiff_t>(index));
    rPos = index + 1 < items.size() ? ToPosition(index + 1) : nullptr;
    return *it;
}

}  // namespace

// CFile

CFile::CFile() = default;
CFile::~CFile() {
    Close();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    Close();
    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
        case modeWrite:
            flags |= O_WRONLY;
            break;
        case modeReadWrite:
            flags |= O_RDWR;
            break;
        default:
            flags |= O_RDONLY;
            break;
    }
    if (nOpenFlags & modeCreate) flags |= O_CREAT | ((nOpenFlags & modeNoTruncate) ? 0 : O_TRUNC);
    int fd = ::open(lpszFileName, flags, 0666);
    int error = fd < 0 ? errno : 0;
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        fd = -1;
        error = EISDIR;
    }
    if (fd < 0) {
        if (pError) {
            pError->m_cause = CFileException::OsErrorToException(error);
            pError->m_lOsError = error;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_fd = fd;
    m_strFileName = lpszFileName;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    ssize_t n;
    do {
        n = ::read(m_fd, lpBuf, nCount);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        AfxThrowFileException(CFileException::OsErrorToException(errno), errno, m_strFileName);
    return static_cast<UINT>(n);
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    const char* p = static_cast<const char*>(lpBuf);
    while (nCount > 0) {
        ssize_t n = ::write(m_fd, p, nCount);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            AfxThrowFileException(CFileException::OsErrorToException(errno), errno, m_strFileName);
        p += n;
        nCount -= static_cast<UINT>(n);
    }
}

void CFile::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

unsigned long long CFile::GetLength() const {
    struct stat st {};
    return m_fd >= 0 && ::fstat(m_fd, &st) == 0 ? static_cast<unsigned long long>(st.st_size) : 0;
}

CArchive::CArchive(CFile* pFile, UINT nMode) : m_pFile(pFile), m_nMode(nMode) {}

// CDocument

CDocument::CDocument() = default;

CDocument::~CDocument() {
    for (CView* view : m_viewList) view->m_pDocument = nullptr;
    if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName) {
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        error.ReportError(MB_ICONEXCLAMATION | MB_OK);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE);
    CArchive archive(&file, CArchive::load);
    archive.m_pDocument = this;
    try {
        Serialize(archive);
    } catch (CException* e) {
        file.Close();
        DeleteContents();
        e->ReportError(MB_ICONEXCLAMATION | MB_OK);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName) {
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeCreate | CFile::modeWrite, &error)) {
        error.ReportError(MB_ICONEXCLAMATION | MB_OK);
        return FALSE;
    }
    CArchive archive(&file, CArchive::store);
    archive.m_pDocument = this;
    try {
        Serialize(archive);
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION | MB_OK);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument() {
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;  // not while its frames go
    while (!m_viewList.empty()) {
        CView* view = m_viewList.front();
        CFrameWnd* frame = view->GetParentFrame();
        if (frame)
            frame->DestroyWindow();
        else
            view->DestroyWindow();
        if (!m_viewList.empty() && m_viewList.front() == view) m_viewList.pop_front();
    }
    m_bAutoDelete = autoDelete;
    DeleteContents();
    if (m_bAutoDelete) delete this;
}

void CDocument::DeleteContents() {}

void CDocument::SetTitle(LPCTSTR lpszTitle) {
    m_strTitle = lpszTitle;
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
    char resolved[PATH_MAX];
    m_strPathName = ::realpath(lpszPathName, resolved) ? resolved : lpszPathName;
    int slash = m_strPathName.ReverseFind('/');
    SetTitle(m_strPathName.Mid(slash + 1));
    if (bAddToMRU)
        if (CWinApp* app = AfxGetApp()) app->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView) {
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
    m_viewList.remove(pView);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

void CDocument::OnChangedViewList() {
    if (m_viewList.empty() && m_bAutoDelete) OnCloseDocument();
}

POSITION CDocument::GetFirstViewPosition() const {
    return m_viewList.empty() ? nullptr : ToPosition(0);
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
    return NextAt(m_viewList, rPosition);
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    for (CView* view : m_viewList)
        if (view != pSender) view->OnUpdate(pSender, lHint, pHint);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// CView

CView::CView() = default;

CView::~CView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    return CWnd::PreCreateWindow(cs);
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}
void CView::OnUpdate(CView*, LPARAM, CObject*) {
    Invalidate();
}
void CView::OnActivateView(BOOL, CView*, CView*) {}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo*) {
    AfxMessageBox("No printers are installed.", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CView::OnFilePrint() {
    CPrintInfo info;
    info.m_bDirect = FALSE;
    OnPreparePrinting(&info);
}

void CView::OnFilePrintPreview() {
    CPrintInfo info;
    info.m_bPreview = TRUE;
    OnPreparePrinting(&info);
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(lpCreateStruct->lpCreateParams);
    if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy() {
    if (CFrameWnd* frame = GetParentFrame())
        if (frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy() {
    delete this;
}

// Document templates

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
    m_strDocStrings.LoadString(nIDResource);
}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
    rString.Empty();
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = m_strDocStrings.Find('\n', start);
        if (start < 0) return FALSE;
        ++start;
    }
    int end = m_strDocStrings.Find('\n', start);
    rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
    return TRUE;
}

CDocument* CDocTemplate::CreateNewDocument() {
    auto* doc = dynamic_cast<CDocument*>(m_pDocClass ? m_pDocClass->CreateObject() : nullptr);
    if (doc) AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(object);
    if (!frame) {
        delete object;
        return nullptr;
    }
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
        return nullptr;  // the frame has deleted itself
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

void CDocTemplate::AddDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = this;
}
void CDocTemplate::RemoveDocument(CDocument* pDoc) {
    pDoc->m_pDocTemplate = nullptr;
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                     CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {
    m_hMenuShared = ::LoadMenuA(nullptr, MAKEINTRESOURCEA(nIDResource));
    m_hAccelTable = ::LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(nIDResource));
}

CMultiDocTemplate::~CMultiDocTemplate() {
    // Documents still open outlive the template; they just forget it.
    for (CDocument* doc : std::list<CDocument*>(m_docList)) CDocTemplate::RemoveDocument(doc);
    if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
    CDocTemplate::AddDocument(pDoc);
    m_docList.push_back(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
    CDocTemplate::RemoveDocument(pDoc);
    m_docList.remove(pDoc);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const {
    return m_docList.empty() ? nullptr : ToPosition(0);
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const {
    return NextAt(m_docList, rPos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
    CString name;
    if (!GetDocString(name, docName) || name.IsEmpty()) name.LoadString(AFX_IDS_UNTITLED);
    CString title;
    title.Format("%s%u", name.GetString(), m_nUntitledCount + 1);
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible) {
    CDocument* doc = CreateNewDocument();
    if (!doc) return nullptr;
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;  // a failed frame must not take the document with it
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    if (!lpszPathName) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            frame->DestroyWindow();
            return nullptr;
        }
        ++m_nUntitledCount;
    } else {
        CWaitCursor wait;
        if (!doc->OnOpenDocument(lpszPathName)) {
            frame->DestroyWindow();
            return nullptr;
        }
        doc->SetPathName(lpszPathName);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
