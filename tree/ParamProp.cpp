#include "tree/ParamProp.h"

#include <cstdlib>

// Only the user-interface thread creates and releases records, so a plain counter suffices.
static LONG s_nLiveRecords = 0;

CParamProp::CParamProp() : m_nFloorID(0), m_nComType(0), m_fVolume(0.0f), m_nNodeType(NodeProject)
{
    ++s_nLiveRecords;
}

CParamProp::CParamProp(const CParamProp& src)
    : m_nFloorID(src.m_nFloorID), m_nComType(src.m_nComType), m_fVolume(src.m_fVolume),
      m_strID(src.m_strID), m_strName(src.m_strName), m_nNodeType(src.m_nNodeType)
{
    ++s_nLiveRecords;
}

CParamProp& CParamProp::operator=(const CParamProp& src)
{
    m_nFloorID = src.m_nFloorID;
    m_nComType = src.m_nComType;
    m_fVolume = src.m_fVolume;
    m_strID = src.m_strID;
    m_strName = src.m_strName;
    m_nNodeType = src.m_nNodeType;
    return *this;
}

CParamProp::~CParamProp() { --s_nLiveRecords; }

BOOL CParamProp::IsUserFolder() const { return m_nNodeType == NodeFolder && _wtoi(m_strID) >= 100; }

LONG CParamProp::GetLiveCount() { return s_nLiveRecords; }
