#include "TARNEXDoc.h"

IMPLEMENT_DYNCREATE(CTARNEXDoc, CDocument)

BEGIN_MESSAGE_MAP(CTARNEXDoc, CDocument)
END_MESSAGE_MAP()

CTARNEXDoc::CTARNEXDoc() {}

CTARNEXDoc::~CTARNEXDoc() {}

BOOL CTARNEXDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) return FALSE;
    return TRUE;
}

void CTARNEXDoc::Serialize(CArchive& /*ar*/) {}
