#include "CWaitCursor.h"

CWaitCursor::CWaitCursor() : m_hOldCursor(::SetCursor(::LoadCursorW(NULL, (LPCWSTR)IDC_WAIT))) {}

CWaitCursor::~CWaitCursor() { ::SetCursor(m_hOldCursor); }

void CWaitCursor::Restore() { ::SetCursor(::LoadCursorW(NULL, (LPCWSTR)IDC_WAIT)); }
