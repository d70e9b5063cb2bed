#include "tree/VolumeText.h"

#include <cstdlib>

CString FormatVolumeText(double dVolume)
{
    CString strText;
    strText.Format(L"%.3f", dVolume);
    float fRounded = (float)_wtof(strText);
    int nWhole = (int)fRounded;
    if (fRounded - (float)nWhole <= 0.0f)
        strText.Format(L"%d", nWhole);
    return strText;
}
