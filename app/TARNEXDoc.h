#pragma once

// The document of the start-up path: holds, reads and writes nothing.

#include "afxwin.h"

class CTARNEXDoc : public CDocument {
    DECLARE_DYNCREATE(CTARNEXDoc)
public:
    CTARNEXDoc();
    ~CTARNEXDoc() override;

    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

protected:
    DECLARE_MESSAGE_MAP()
};
