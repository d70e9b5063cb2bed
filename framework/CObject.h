// CObject: root of the framework's collection and exception classes. Its virtual destructor
// lets a CObArray owner delete what it holds through CObject*. Objects are not copyable,
// as in MFC (collections copy with Copy/Append).
#pragma once
#include "afxfw.h"

class FW_API CObject
{
public:
    virtual ~CObject();

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
