#include "tree/VolumeText.h"

#include <cstdlib>

CString FormatVolumeText(double dVolume)
{
    // Whole counts are nearly every count of a large tree. Below 2^24 a whole number survives
    // the single-precision round trip unchanged, so its text is simply its digits.
    if (dVolume == (double)(int)dVolume && dVolume > -16777216.0 && dVolume < 16777216.0) {
        wchar_t szDigits[16];
        _itow((int)dVolume, szDigits, 10);
        return CString(szDigits);
    }
    CString strText;
    strText.Format(L"%.3f", dVolume);
    float fRounded = (float)_wtof(strText);
    int nWhole = (int)fRounded;
    if (fRounded - (float)nWhole <= 0.0f)
        strText.Format(L"%d", nWhole);
    return strText;
}
