#pragma once

// The catalog error report: the "ADOX Error" message box shown for an error
// caught around the security catalog's COM calls.

#include "afxwin.h"
#include "platform/com/comdef.h"

// The report's text: the error's source and description, "(null)" for either
// when the error carries no error information. Never cut, however long.
CString FormatCatalogError(const _com_error& e);

// Shows FormatCatalogError(e): no owner, title "ADOX Error", OK only, no icon.
void ReportCatalogError(const _com_error& e);

// Shows the fixed text for an exception that is not a COM error, in the same kind of box.
void ReportCatalogFault();
