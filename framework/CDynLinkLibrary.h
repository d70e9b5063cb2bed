// CDynLinkLibrary: one link of the extension-module resource chain. Constructing it
// registers the module (front of the chain); destroying it, or AfxTermExtensionModule,
// unregisters it. See AfxResource.h.
#pragma once
#include "CObject.h"
#include "AfxResource.h"

class FW_API CDynLinkLibrary : public CObject
{
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;

    // The chain, front first; only the framework walks it.
    static CDynLinkLibrary* GetFirst();
    static void Lock();
    static void Unlock();

private:
    void Register();
};
