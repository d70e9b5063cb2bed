// Export macro of the host side (comtree_host.dll).
#pragma once
#ifdef KXHOST_BUILD_DLL
#define KXHOST_API __declspec(dllexport)
#else
#define KXHOST_API __declspec(dllimport)
#endif
