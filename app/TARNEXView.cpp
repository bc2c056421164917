#include "TARNEXView.h"

IMPLEMENT_DYNCREATE(CTARNEXView, CView)

BEGIN_MESSAGE_MAP(CTARNEXView, CView)
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CTARNEXView::CTARNEXView() {}

CTARNEXView::~CTARNEXView() {}

void CTARNEXView::OnDraw(CDC* /*pDC*/) {}

BOOL CTARNEXView::PreCreateWindow(CREATESTRUCT& cs) {
    return CView::PreCreateWindow(cs);
}

BOOL CTARNEXView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}
