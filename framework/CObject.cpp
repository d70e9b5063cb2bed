#include "CObject.h"

// Out of line so that the vtable lives once, in framework.dll.
CObject::~CObject() {}
