// make-pictures OUTDIR
//
// Draws the new-component wizard's type pictures into OUTDIR: 11.bmp to 99.bmp and blank.bmp,
// 40 by 40 pixels, 24-bit. The wizard's list masks RGB(255,255,254), so that is the background;
// everything else is opaque. Each picture is a small engineering sketch of one member type
// (elevations, sections or plans, concrete grey, main bars red, stirrups blue) with the type's
// prefix in the top-left corner, so the list still reads when the labels are cut short.
//
// The numbers follow the wizard rule text (samples/data/CreateComTREE.xml): one picture per
// type, in the order the types appear there. 82 to 99 are not used by the sample text and show
// a dashed frame with their number, so a data author sees at once which pictures are free.
#include <windows.h>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const int kSize = 40;
const COLORREF kMask = RGB(255, 255, 254);
const COLORREF kConcrete = RGB(200, 200, 200);
const COLORREF kConcreteDark = RGB(160, 160, 160);
const COLORREF kEdge = RGB(70, 70, 70);
const COLORREF kBar = RGB(215, 0, 0);
const COLORREF kStirrup = RGB(0, 70, 210);
const COLORREF kBrick = RGB(196, 104, 72);
const COLORREF kMortar = RGB(236, 212, 196);
const COLORREF kSoil = RGB(140, 100, 50);
const COLORREF kLabel = RGB(0, 0, 0);
const COLORREF kGlass = RGB(170, 215, 245);
const COLORREF kHighlight = RGB(255, 210, 60);

// One 40x40 top-down 24-bit DIB section with GDI helpers in pixel coordinates. Lines include
// both end points, rectangles are given by their inclusive corners, so the coordinates in the
// drawings below are the pixels that get painted.
class Canvas
{
public:
    Canvas()
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = kSize;
        bi.bmiHeader.biHeight = -kSize;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 24;
        bi.bmiHeader.biCompression = BI_RGB;
        m_hDC = CreateCompatibleDC(nullptr);
        m_hBitmap = CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, (void**)&m_pBits, nullptr, 0);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        Clear();
    }
    ~Canvas()
    {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    bool IsValid() const { return m_pBits != nullptr; }

    void Clear() { Fill(0, 0, kSize - 1, kSize - 1, kMask); }

    void Pixel(int x, int y, COLORREF c)
    {
        GdiFlush();
        if (x < 0 || y < 0 || x >= kSize || y >= kSize)
            return;
        BYTE* p = m_pBits + y * kStride + x * 3;
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
    }

    void Fill(int x0, int y0, int x1, int y1, COLORREF c)
    {
        RECT rc = { x0, y0, x1 + 1, y1 + 1 };
        HBRUSH b = CreateSolidBrush(c);
        FillRect(m_hDC, &rc, b);
        DeleteObject(b);
    }

    void Frame(int x0, int y0, int x1, int y1, COLORREF c)
    {
        Line(x0, y0, x1, y0, c);
        Line(x1, y0, x1, y1, c);
        Line(x1, y1, x0, y1, c);
        Line(x0, y1, x0, y0, c);
    }

    // A filled block with an outline: the basic concrete member.
    void Block(int x0, int y0, int x1, int y1, COLORREF fill = kConcrete, COLORREF edge = kEdge)
    {
        Fill(x0, y0, x1, y1, fill);
        Frame(x0, y0, x1, y1, edge);
    }

    void Line(int x0, int y0, int x1, int y1, COLORREF c, int width = 1)
    {
        HPEN pen = MakePen(c, width);
        HGDIOBJ old = SelectObject(m_hDC, pen);
        MoveToEx(m_hDC, x0, y0, nullptr);
        LineTo(m_hDC, x1, y1);
        SelectObject(m_hDC, old);
        DeleteObject(pen);
        if (width == 1)
            Pixel(x1, y1, c);
    }

    void Polyline(const std::vector<POINT>& pts, COLORREF c, int width = 1)
    {
        HPEN pen = MakePen(c, width);
        HGDIOBJ old = SelectObject(m_hDC, pen);
        ::Polyline(m_hDC, pts.data(), (int)pts.size());
        SelectObject(m_hDC, old);
        DeleteObject(pen);
        if (width == 1 && !pts.empty())
            Pixel(pts.back().x, pts.back().y, c);
    }

    void Polygon(const std::vector<POINT>& pts, COLORREF fill, COLORREF edge = kEdge)
    {
        HPEN pen = MakePen(edge, 1);
        HBRUSH brush = CreateSolidBrush(fill);
        HGDIOBJ oldPen = SelectObject(m_hDC, pen);
        HGDIOBJ oldBrush = SelectObject(m_hDC, brush);
        ::Polygon(m_hDC, pts.data(), (int)pts.size());
        SelectObject(m_hDC, oldPen);
        SelectObject(m_hDC, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }

    void Disc(int cx, int cy, int r, COLORREF fill, COLORREF edge)
    {
        HPEN pen = MakePen(edge, 1);
        HBRUSH brush = CreateSolidBrush(fill);
        HGDIOBJ oldPen = SelectObject(m_hDC, pen);
        HGDIOBJ oldBrush = SelectObject(m_hDC, brush);
        Ellipse(m_hDC, cx - r, cy - r, cx + r + 1, cy + r + 1);
        SelectObject(m_hDC, oldPen);
        SelectObject(m_hDC, oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }

    // A bar seen end-on in a section: a 2x2 red square reads better than a one-pixel circle.
    void Dot(int x, int y, COLORREF c = kBar) { Fill(x, y, x + 1, y + 1, c); }

    // Arc of the circle centred at (cx, cy), from angle a0 to a1 in degrees (counter-clockwise,
    // y up as on paper).
    void ArcDeg(int cx, int cy, int r, double a0, double a1, COLORREF c, int width = 1)
    {
        std::vector<POINT> pts;
        const double step = 2.0;
        for (double a = a0; a <= a1 + 0.01; a += step) {
            double rad = a * 3.14159265358979 / 180.0;
            pts.push_back({ (LONG)std::lround(cx + r * std::cos(rad)),
                            (LONG)std::lround(cy - r * std::sin(rad)) });
        }
        Polyline(pts, c, width);
    }

    void Text(int x, int y, const wchar_t* text, COLORREF c, int height, bool bold)
    {
        // ASCII prefixes in a narrow sans serif; Chinese ones in SimSun, which Wine maps to
        // WenQuanYi Micro Hei as the project's runner configures. Chinese without smoothing:
        // at 11 pixels its smoothed strokes turn light grey and the labels fade.
        bool ascii = true;
        for (const wchar_t* p = text; *p; ++p)
            if (*p > 0x7f)
                ascii = false;
        HFONT font = CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 ascii ? ANSI_CHARSET : GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS,
                                 ascii ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY,
                                 DEFAULT_PITCH, ascii ? L"Tahoma" : L"SimSun");
        HGDIOBJ old = SelectObject(m_hDC, font);
        SetBkMode(m_hDC, TRANSPARENT);
        SetTextColor(m_hDC, c);
        TextOutW(m_hDC, x, y, text, (int)wcslen(text));
        SelectObject(m_hDC, old);
        DeleteObject(font);
    }

    int TextWidth(const wchar_t* text, int height, bool bold)
    {
        HFONT font = CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
        HGDIOBJ old = SelectObject(m_hDC, font);
        SIZE sz = {};
        GetTextExtentPoint32W(m_hDC, text, (int)wcslen(text), &sz);
        SelectObject(m_hDC, old);
        DeleteObject(font);
        return sz.cx;
    }

    // The type's prefix, top left. Labels are kept to what fits in 40 pixels.
    void Label(const wchar_t* text)
    {
        bool ascii = true;
        for (const wchar_t* p = text; *p; ++p)
            if (*p > 0x7f)
                ascii = false;
        if (ascii)
            Text(2, -1, text, kLabel, 11, true);
        else
            Text(1, 0, text, kLabel, 11, false);
    }

    bool Save(const std::wstring& path)
    {
        GdiFlush();
        BITMAPFILEHEADER fh = {};
        BITMAPINFOHEADER ih = {};
        ih.biSize = sizeof(ih);
        ih.biWidth = kSize;
        ih.biHeight = kSize; // bottom-up, the most widely read layout
        ih.biPlanes = 1;
        ih.biBitCount = 24;
        ih.biCompression = BI_RGB;
        ih.biSizeImage = kStride * kSize;
        ih.biXPelsPerMeter = ih.biYPelsPerMeter = 3780;
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(ih);
        fh.bfSize = fh.bfOffBits + ih.biSizeImage;
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        bool ok = WriteFile(h, &fh, sizeof(fh), &written, nullptr) && written == sizeof(fh)
            && WriteFile(h, &ih, sizeof(ih), &written, nullptr) && written == sizeof(ih);
        for (int y = kSize - 1; ok && y >= 0; --y)
            ok = WriteFile(h, m_pBits + y * kStride, kStride, &written, nullptr)
                && written == (DWORD)kStride;
        CloseHandle(h);
        return ok;
    }

private:
    static const int kStride = kSize * 3; // 120, already a multiple of 4

    static HPEN MakePen(COLORREF c, int width)
    {
        if (width <= 1)
            return CreatePen(PS_SOLID, 1, c);
        // Flat ends and mitred joins: bands of concrete drawn as wide lines must stop where
        // they are told to, not run out in round caps.
        LOGBRUSH lb = { BS_SOLID, c, 0 };
        return ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, width, &lb, 0,
                            nullptr);
    }

    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    BYTE* m_pBits = nullptr;
};

// ---- building blocks shared by several pictures ------------------------------------------

// Beam in elevation: concrete band, top and bottom bars, stirrups between x0+3 and x1-3.
void BeamElevation(Canvas& c, int x0, int x1, int y0, int y1, int stirrupStep = 4)
{
    c.Block(x0, y0, x1, y1);
    for (int x = x0 + 3; x <= x1 - 3; x += stirrupStep)
        c.Line(x, y0 + 2, x, y1 - 2, kStirrup);
    c.Line(x0 + 1, y0 + 2, x1 - 1, y0 + 2, kBar);
    c.Line(x0 + 1, y1 - 2, x1 - 1, y1 - 2, kBar);
}

// Column in elevation with its two outer bars.
void ColumnElevation(Canvas& c, int x0, int x1, int y0, int y1, int stirrupStep = 0)
{
    c.Block(x0, y0, x1, y1);
    if (stirrupStep > 0)
        for (int y = y0 + 2; y <= y1 - 2; y += stirrupStep)
            c.Line(x0 + 2, y, x1 - 2, y, kStirrup);
    c.Line(x0 + 2, y0 + 1, x0 + 2, y1 - 1, kBar);
    c.Line(x1 - 2, y0 + 1, x1 - 2, y1 - 1, kBar);
}

// Beam seen end-on, the support of a secondary beam.
void BeamSection(Canvas& c, int x0, int y0, int x1, int y1)
{
    c.Block(x0, y0, x1, y1, kConcreteDark);
    c.Frame(x0 + 1, y0 + 1, x1 - 1, y1 - 1, kStirrup);
    c.Dot(x0 + 1, y0 + 1);
    c.Dot(x1 - 2, y0 + 1);
    c.Dot(x0 + 1, y1 - 2);
    c.Dot(x1 - 2, y1 - 2);
}

// Column section: square with a stirrup and bars at the corners and mid-sides.
void ColumnSection(Canvas& c, int x0, int y0, int x1, int y1, bool midBars)
{
    c.Block(x0, y0, x1, y1);
    c.Frame(x0 + 2, y0 + 2, x1 - 2, y1 - 2, kStirrup);
    int xs[] = { x0 + 3, (x0 + x1) / 2, x1 - 4 };
    int ys[] = { y0 + 3, (y0 + y1) / 2, y1 - 4 };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            bool corner = (i != 1 && j != 1);
            bool mid = (i == 1) != (j == 1);
            if (corner || (midBars && mid))
                c.Dot(xs[i], ys[j]);
        }
}

// Masonry: brick colour with mortar courses every 4 pixels, joints staggered.
void Brick(Canvas& c, int x0, int y0, int x1, int y1)
{
    c.Fill(x0, y0, x1, y1, kBrick);
    for (int top = y0, course = 0; top < y1; top += 4, ++course) {
        int bottom = top + 3 < y1 ? top + 3 : y1;
        if (bottom < y1)
            c.Line(x0, bottom, x1, bottom, kMortar);
        for (int x = x0 + (course % 2 ? 2 : 6); x < x1; x += 8)
            c.Line(x, top, x, bottom - 1 < top ? top : bottom - 1, kMortar);
    }
    c.Frame(x0, y0, x1, y1, RGB(120, 60, 40));
}

// Ground line with soil hatching below it.
void Ground(Canvas& c, int x0, int x1, int y)
{
    c.Line(x0, y, x1, y, kSoil);
    for (int x = x0 + 3; x <= x1; x += 4)
        c.Line(x, y + 1, x - 3, y + 4, kSoil);
}

// Shear wall cut in plan: a hatched band.
void WallPlan(Canvas& c, int x0, int y0, int x1, int y1)
{
    c.Block(x0, y0, x1, y1);
    for (int x = x0 - (y1 - y0); x < x1; x += 5)
        for (int k = 0; k <= y1 - y0 - 2; ++k) {
            int px = x + k, py = y1 - 1 - k;
            if (px > x0 && px < x1 && py > y0 && py < y1)
                c.Pixel(px, py, kConcreteDark);
        }
}

// A pile in elevation: shaft, optional pointed tip, bars inside.
void Pile(Canvas& c, int x0, int x1, int y0, int y1, bool pointed)
{
    c.Block(x0, y0, x1, y1);
    if (pointed) {
        int mid = (x0 + x1) / 2;
        c.Polygon({ { x0, y1 }, { x1, y1 }, { mid, y1 + (x1 - x0) / 2 + 1 } }, kConcrete);
    }
    c.Line(x0 + 2, y0 + 1, x0 + 2, y1 - 1, kBar);
    c.Line(x1 - 2, y0 + 1, x1 - 2, y1 - 1, kBar);
}

// Pile seen from above in a cap plan.
void PileHead(Canvas& c, int x, int y) { c.Disc(x, y, 3, RGB(235, 235, 235), kEdge); }

// Pile cap plan: block, bottom bars both ways, pile heads, column in the middle.
void PileCap(Canvas& c, int x0, int y0, int x1, int y1, const std::vector<POINT>& piles)
{
    c.Block(x0, y0, x1, y1);
    for (int x = x0 + 3; x < x1 - 1; x += 4)
        c.Line(x, y0 + 1, x, y1 - 1, RGB(235, 120, 120));
    for (int y = y0 + 3; y < y1 - 1; y += 4)
        c.Line(x0 + 1, y, x1 - 1, y, RGB(235, 120, 120));
    for (const POINT& p : piles)
        PileHead(c, p.x, p.y);
}

// Stepped or sloped footing in section under a column or wall.
void FootingBars(Canvas& c, int x0, int x1, int y)
{
    c.Line(x0 + 2, y, x1 - 2, y, kBar);
    for (int x = x0 + 3; x <= x1 - 3; x += 3)
        c.Dot(x, y - 2);
}

// Stair flight: steps from (x0, y0) bottom-left rising n steps of w by h.
void Flight(Canvas& c, int x0, int y0, int n, int w, int h, int dir, COLORREF fill = kConcrete)
{
    std::vector<POINT> pts;
    int x = x0, y = y0;
    pts.push_back({ x, y });
    for (int i = 0; i < n; ++i) {
        y -= h;
        pts.push_back({ x, y });
        x += dir * w;
        pts.push_back({ x, y });
    }
    // soffit: the waist slab under the steps
    pts.push_back({ x, y + 4 });
    pts.push_back({ x0 + dir * 4, y0 });
    c.Polygon(pts, fill);
}

// ---- the pictures -------------------------------------------------------------------------

typedef void (*DrawFn)(Canvas&);

// Beams --------------------------------------------------------------------------------------

void FrameBeam(Canvas& c) // KL: beam between columns that run on above and below
{
    c.Label(L"KL");
    ColumnElevation(c, 2, 8, 13, 39);
    ColumnElevation(c, 31, 37, 13, 39);
    BeamElevation(c, 8, 31, 18, 28);
    c.Line(3, 20, 36, 20, kBar);
}

void RoofFrameBeam(Canvas& c) // WKL: top storey, bars bent down into the columns
{
    c.Label(L"WKL");
    ColumnElevation(c, 2, 8, 24, 39);
    ColumnElevation(c, 31, 37, 24, 39);
    BeamElevation(c, 2, 37, 14, 24);
    c.Line(4, 16, 4, 30, kBar);
    c.Line(35, 16, 35, 30, kBar);
}

void TransferBeam(Canvas& c) // KZL: deep beam carrying a wall, on big columns
{
    c.Label(L"KZL");
    c.Block(9, 13, 30, 22, RGB(225, 225, 225));
    for (int x = 12; x <= 28; x += 4)
        c.Line(x, 14, x, 21, kBar);
    BeamElevation(c, 2, 37, 22, 32, 3);
    c.Line(3, 29, 36, 29, kBar);
    ColumnElevation(c, 2, 9, 32, 39);
    ColumnElevation(c, 30, 37, 32, 39);
}

void PolylineBand(Canvas& c, const std::vector<POINT>& pts, int width)
{
    c.Polyline(pts, kEdge, width + 2);
    c.Polyline(pts, kConcrete, width);
    std::vector<POINT> up = pts, down = pts;
    for (auto& p : up)
        p.y -= width / 2 - 1;
    for (auto& p : down)
        p.y += width / 2 - 1;
    c.Polyline(up, kBar);
    c.Polyline(down, kBar);
}

void FoldedFrameBeam(Canvas& c) // ZKL
{
    c.Label(L"ZKL");
    PolylineBand(c, { { 6, 18 }, { 20, 32 }, { 34, 18 } }, 7);
    ColumnSection(c, 1, 13, 10, 22, false);
    ColumnSection(c, 30, 13, 39, 22, false);
}

void ArcBand(Canvas& c, int cx, int cy, int r, double a0, double a1, int width)
{
    c.ArcDeg(cx, cy, r, a0, a1, kEdge, width + 2);
    c.ArcDeg(cx, cy, r, a0, a1, kConcrete, width);
    c.ArcDeg(cx, cy, r - width / 2 + 1, a0, a1, kBar);
    c.ArcDeg(cx, cy, r + width / 2 - 1, a0, a1, kBar);
}

void ArcFrameBeam(Canvas& c) // HKL: curved in plan, columns at the ends
{
    c.Label(L"HKL");
    ArcBand(c, 20, 6, 24, 212, 328, 7);
    ColumnSection(c, 0, 15, 8, 23, false);
    ColumnSection(c, 31, 15, 39, 23, false);
}

void ArchFrameBeam(Canvas& c) // GKL: arched in elevation between two columns
{
    c.Label(L"GKL");
    ColumnElevation(c, 2, 8, 24, 39);
    ColumnElevation(c, 31, 37, 24, 39);
    ArcBand(c, 20, 38, 20, 20, 160, 6);
}

void SecondaryBeam(Canvas& c) // L: between two beams cut in section
{
    c.Label(L"L");
    BeamElevation(c, 7, 32, 20, 29);
    BeamSection(c, 1, 17, 7, 32);
    BeamSection(c, 32, 17, 38, 32);
}

void ArcSecondaryBeam(Canvas& c) // HCL
{
    c.Label(L"HCL");
    ArcBand(c, 20, 6, 24, 214, 326, 5);
    BeamSection(c, 0, 16, 7, 24);
    BeamSection(c, 32, 16, 39, 24);
}

void ArchSecondaryBeam(Canvas& c) // GCL
{
    c.Label(L"GCL");
    ArcBand(c, 20, 38, 18, 20, 160, 5);
    BeamSection(c, 0, 30, 7, 38);
    BeamSection(c, 32, 30, 39, 38);
}

void FoldedSecondaryBeam(Canvas& c) // ZL
{
    c.Label(L"ZL");
    PolylineBand(c, { { 6, 20 }, { 20, 33 }, { 34, 20 } }, 5);
    BeamSection(c, 0, 15, 7, 24);
    BeamSection(c, 33, 15, 39, 24);
}

void GridBeams(Canvas& c) // JZL: beams crossing both ways in a bay
{
    c.Label(L"JZL");
    c.Frame(3, 13, 36, 38, kEdge);
    c.Frame(4, 14, 35, 37, kEdge);
    for (int k = 0; k < 2; ++k) {
        int x = 13 + k * 11, y = 21 + k * 8;
        c.Block(x - 1, 14, x + 2, 37);
        c.Block(4, y - 1, 35, y + 2);
    }
    for (int k = 0; k < 2; ++k) {
        int x = 13 + k * 11, y = 21 + k * 8;
        c.Fill(x, 14, x + 1, 37, kConcrete);
        c.Line(x, 15, x, 36, kBar);
        c.Line(5, y, 34, y, kBar);
    }
}

void FoundationMainBeam(Canvas& c) // JZL: beam in the ground under a column
{
    c.Label(L"JZL");
    Ground(c, 0, 39, 21);
    ColumnElevation(c, 16, 23, 12, 26);
    BeamElevation(c, 1, 38, 26, 37, 4);
}

void FoundationSecondaryBeam(Canvas& c) // JCL: in the ground, between foundation beams
{
    c.Label(L"JCL");
    Ground(c, 0, 39, 17);
    BeamElevation(c, 7, 32, 25, 34);
    BeamSection(c, 1, 23, 7, 37);
    BeamSection(c, 32, 23, 38, 37);
}

void HaunchedFoundationBeam(Canvas& c) // JLJY: plan, haunches where the beam meets the column
{
    c.Label(L"JLJY");
    c.Polygon({ { 1, 22 },
                { 12, 22 },
                { 16, 17 },
                { 23, 17 },
                { 27, 22 },
                { 38, 22 },
                { 38, 30 },
                { 27, 30 },
                { 23, 35 },
                { 16, 35 },
                { 12, 30 },
                { 1, 30 } },
              kConcrete);
    c.Line(2, 24, 37, 24, kBar);
    c.Line(2, 28, 37, 28, kBar);
    c.Line(10, 24, 16, 19, kBar);
    c.Line(29, 24, 23, 19, kBar);
    c.Line(10, 28, 16, 33, kBar);
    c.Line(29, 28, 23, 33, kBar);
    c.Block(16, 20, 23, 32, kConcreteDark);
}

void RingBeam(Canvas& c) // QL: band on top of a masonry wall
{
    c.Label(L"QL");
    Brick(c, 1, 25, 38, 39);
    BeamElevation(c, 1, 38, 16, 25);
}

void Lintel(Canvas& c) // GL: over a door opening in masonry
{
    c.Label(L"GL");
    Brick(c, 1, 13, 38, 39);
    c.Fill(14, 25, 25, 39, kMask);
    c.Frame(14, 25, 25, 39, RGB(120, 60, 40));
    BeamElevation(c, 9, 30, 19, 25, 3);
}

void PileCapBeam(Canvas& c) // CTL: strip cap on piles
{
    c.Label(L"CTL");
    BeamElevation(c, 1, 38, 15, 25);
    Pile(c, 6, 12, 25, 34, true);
    Pile(c, 27, 33, 25, 34, true);
}

void FootingTieBeam(Canvas& c) // JCLL: tie beam between two footings
{
    c.Label(L"JCLL");
    c.Block(0, 31, 11, 37);
    c.Block(28, 31, 39, 37);
    ColumnElevation(c, 3, 8, 16, 31);
    ColumnElevation(c, 31, 36, 16, 31);
    BeamElevation(c, 8, 31, 23, 30, 4);
}

// Columns -----------------------------------------------------------------------------------

void FrameColumn(Canvas& c) // KZ: section
{
    c.Label(L"KZ");
    ColumnSection(c, 12, 12, 36, 36, true);
}

void ColumnOnBeam(Canvas& c) // LZ
{
    c.Label(L"LZ");
    ColumnElevation(c, 15, 24, 12, 28, 4);
    c.Line(17, 28, 17, 33, kBar);
    c.Line(22, 28, 22, 33, kBar);
    BeamElevation(c, 1, 38, 28, 38, 5);
    c.Line(17, 28, 17, 34, kBar);
    c.Line(22, 28, 22, 34, kBar);
}

void ColumnOnWall(Canvas& c) // QZ
{
    c.Label(L"QZ");
    c.Block(1, 27, 38, 39, RGB(215, 215, 215));
    for (int x = 4; x < 38; x += 5)
        c.Line(x, 28, x, 38, RGB(230, 140, 140));
    ColumnElevation(c, 15, 24, 12, 27, 4);
    c.Line(17, 27, 17, 37, kBar);
    c.Line(22, 27, 22, 37, kBar);
}

void TransferColumn(Canvas& c) // KZZ: thick column under a transfer beam
{
    c.Label(L"KZZ");
    BeamElevation(c, 1, 38, 13, 21, 4);
    ColumnElevation(c, 11, 28, 21, 39, 2);
}

void CoreColumn(Canvas& c) // XZ: extra bars in the middle of a column
{
    c.Label(L"XZ");
    ColumnSection(c, 12, 12, 36, 36, false);
    c.Frame(20, 20, 28, 28, kStirrup);
    c.Dot(21, 21);
    c.Dot(26, 21);
    c.Dot(21, 26);
    c.Dot(26, 26);
}

void ConstructionColumn(Canvas& c) // GZ: toothed column in masonry
{
    c.Label(L"GZ");
    Brick(c, 1, 13, 38, 39);
    std::vector<POINT> pts;
    for (int y = 13, k = 0; y <= 39; y += 4, ++k) {
        int x = (k % 2) ? 11 : 15;
        pts.push_back({ x, y });
        pts.push_back({ x, y + 4 > 39 ? 39 : y + 4 });
    }
    for (int i = (int)pts.size() - 1, y = 0; i >= 0; --i, ++y) {
        POINT p = pts[i];
        p.x = 39 - p.x;
        pts.push_back(p);
    }
    c.Polygon(pts, kConcrete);
    c.Line(17, 13, 17, 39, kBar);
    c.Line(22, 13, 22, 39, kBar);
    for (int y = 15; y < 39; y += 4)
        c.Line(17, y, 22, y, kStirrup);
}

void WallEndColumn(Canvas& c) // QGZ: plan, columns at the corner and end of infill walls
{
    c.Label(L"QGZ");
    Brick(c, 8, 22, 38, 29);
    Brick(c, 8, 13, 15, 38);
    ColumnSection(c, 6, 20, 17, 31, false);
    ColumnSection(c, 29, 20, 39, 31, false);
}

void ParapetColumn(Canvas& c) // LGZ: small posts in a railing panel
{
    c.Label(L"LGZ");
    c.Block(1, 33, 38, 37);
    c.Block(1, 20, 38, 33, RGB(225, 225, 225));
    for (int x : { 3, 17, 31 }) {
        c.Block(x, 18, x + 5, 33);
        c.Line(x + 1, 18, x + 1, 36, kBar);
        c.Line(x + 4, 18, x + 4, 36, kBar);
    }
    c.Block(0, 15, 39, 18);
}

void HiddenColumn(Canvas& c) // AZ: boundary zone at the end of a shear wall
{
    c.Label(L"AZ");
    WallPlan(c, 1, 20, 38, 31);
    c.Frame(3, 22, 16, 29, kStirrup);
    for (int x = 4; x <= 14; x += 5) {
        c.Dot(x, 23);
        c.Dot(x, 27);
    }
    for (int x = 20; x <= 36; x += 5) {
        c.Dot(x, 22, RGB(235, 120, 120));
        c.Dot(x, 28, RGB(235, 120, 120));
    }
}

void Corbel(Canvas& c) // NT: bracket on the side of a column
{
    c.Label(L"NT");
    ColumnElevation(c, 4, 13, 12, 39, 5);
    c.Polygon({ { 13, 20 }, { 32, 20 }, { 32, 25 }, { 13, 35 } }, kConcrete);
    c.Polyline({ { 6, 22 }, { 30, 22 }, { 30, 27 } }, kBar);
    c.Line(15, 32, 28, 25, kBar);
    c.Block(23, 14, 38, 19, kConcreteDark);
}

// Walls -------------------------------------------------------------------------------------

void SingleLayerWall(Canvas& c) // Q1: one mat of bars in the middle of the wall
{
    c.Label(L"Q1");
    WallPlan(c, 1, 14, 38, 25);
    c.Line(2, 19, 37, 19, kBar);
    for (int x = 4; x <= 36; x += 4)
        c.Dot(x, 19);
    c.Text(8, 27, L"单排", RGB(60, 60, 60), 11, false);
}

void DoubleLayerWall(Canvas& c) // Q2: two mats tied across
{
    c.Label(L"Q2");
    WallPlan(c, 1, 14, 38, 25);
    c.Line(2, 16, 37, 16, kBar);
    c.Line(2, 23, 37, 23, kBar);
    for (int x = 4; x <= 36; x += 4) {
        c.Dot(x, 16);
        c.Dot(x, 22);
    }
    for (int x = 6; x <= 36; x += 8)
        c.Line(x, 16, x, 23, kStirrup);
    c.Text(8, 27, L"双排", RGB(60, 60, 60), 11, false);
}

void CouplingBeam(Canvas& c) // LL: beam over an opening between two wall piers
{
    c.Label(L"LL");
    c.Block(1, 13, 11, 39, RGB(215, 215, 215));
    c.Block(28, 13, 38, 39, RGB(215, 215, 215));
    BeamElevation(c, 11, 28, 14, 25, 3);
    c.Line(4, 16, 35, 16, kBar);
    c.Line(4, 23, 35, 23, kBar);
}

// Slabs -------------------------------------------------------------------------------------

void FlatSlab(Canvas& c) // XB1: slab in perspective with its bar mesh
{
    c.Label(L"XB1");
    std::vector<POINT> top = { { 12, 15 }, { 38, 15 }, { 28, 29 }, { 2, 29 } };
    c.Polygon(top, kConcrete);
    c.Polygon({ { 2, 29 }, { 28, 29 }, { 28, 33 }, { 2, 33 } }, kConcreteDark);
    c.Polygon({ { 28, 29 }, { 38, 15 }, { 38, 19 }, { 28, 33 } }, RGB(180, 180, 180));
    for (int k = 1; k < 4; ++k) {
        int y = 15 + k * 14 / 4;
        int xl = 12 - k * 10 / 4, xr = 38 - k * 10 / 4;
        c.Line(xl + 1, y, xr - 1, y, kBar);
    }
    for (int k = 1; k < 5; ++k) {
        int xt = 12 + k * 26 / 5, xb = 2 + k * 26 / 5;
        c.Line(xt, 16, xb, 28, kBar);
    }
}

void SlopedSlab(Canvas& c) // XB2: inclined slab between two supports
{
    c.Label(L"XB2");
    c.Polygon({ { 3, 33 }, { 35, 15 }, { 37, 19 }, { 5, 37 } }, kConcrete);
    c.Line(5, 34, 35, 17, kBar);
    c.Line(6, 36, 36, 19, kBar);
    BeamSection(c, 1, 33, 8, 39);
    BeamSection(c, 32, 18, 39, 25);
}

void CantileverSlab(Canvas& c) // XB3: slab projecting from a wall, top bars anchored back
{
    c.Label(L"XB3");
    c.Block(1, 13, 9, 39, RGB(215, 215, 215));
    c.Block(9, 20, 38, 25);
    c.Polyline({ { 3, 32 }, { 3, 21 }, { 36, 21 }, { 36, 24 } }, kBar);
    c.Line(10, 24, 36, 24, RGB(235, 120, 120));
}

// Foundations -------------------------------------------------------------------------------

void StripFootingStepped(Canvas& c) // TJ1: stepped strip footing under a masonry wall
{
    c.Label(L"TJ1");
    Brick(c, 15, 12, 24, 26);
    c.Block(9, 26, 30, 31);
    c.Block(3, 31, 36, 37);
    FootingBars(c, 3, 36, 35);
    Ground(c, 0, 8, 24);
    Ground(c, 31, 39, 24);
}

void StripFootingSloped(Canvas& c) // TJ2: sloped strip footing
{
    c.Label(L"TJ2");
    Brick(c, 15, 12, 24, 27);
    c.Polygon({ { 3, 37 }, { 36, 37 }, { 36, 32 }, { 26, 27 }, { 13, 27 }, { 3, 32 } }, kConcrete);
    FootingBars(c, 3, 36, 35);
    Ground(c, 0, 8, 24);
    Ground(c, 31, 39, 24);
}

void PadFootingOneStep(Canvas& c) // J1
{
    c.Label(L"J1");
    ColumnElevation(c, 15, 24, 12, 28, 4);
    c.Block(4, 28, 35, 37);
    FootingBars(c, 4, 35, 35);
    c.Line(17, 28, 17, 34, kBar);
    c.Line(22, 28, 22, 34, kBar);
}

void PadFootingSteps(Canvas& c) // J2
{
    c.Label(L"J2");
    ColumnElevation(c, 15, 24, 12, 24, 4);
    c.Block(9, 24, 30, 30);
    c.Block(3, 30, 36, 37);
    FootingBars(c, 3, 36, 35);
    c.Line(17, 24, 17, 34, kBar);
    c.Line(22, 24, 22, 34, kBar);
}

void PadFootingSloped(Canvas& c) // J3
{
    c.Label(L"J3");
    ColumnElevation(c, 15, 24, 12, 25, 4);
    c.Polygon({ { 3, 37 }, { 36, 37 }, { 36, 32 }, { 26, 25 }, { 13, 25 }, { 3, 32 } }, kConcrete);
    FootingBars(c, 3, 36, 35);
    c.Line(17, 25, 17, 34, kBar);
    c.Line(22, 25, 22, 34, kBar);
}

void Cap4(Canvas& c)
{
    c.Label(L"CT4");
    PileCap(c, 9, 13, 35, 38, { { 15, 19 }, { 29, 19 }, { 15, 32 }, { 29, 32 } });
}

void Cap3(Canvas& c)
{
    c.Label(L"CT3");
    c.Polygon({ { 22, 12 }, { 38, 38 }, { 6, 38 } }, kConcrete);
    c.Line(22, 16, 22, 37, RGB(235, 120, 120));
    c.Line(11, 35, 33, 35, RGB(235, 120, 120));
    c.Line(13, 29, 31, 29, RGB(235, 120, 120));
    PileHead(c, 22, 19);
    PileHead(c, 12, 34);
    PileHead(c, 32, 34);
}

void Cap5(Canvas& c)
{
    c.Label(L"CT5");
    PileCap(c, 9, 13, 35, 38, { { 15, 19 }, { 29, 19 }, { 22, 25 }, { 15, 32 }, { 29, 32 } });
}

void Cap6(Canvas& c)
{
    c.Label(L"CT6");
    PileCap(c, 2, 16, 37, 38,
            { { 8, 22 }, { 19, 22 }, { 30, 22 }, { 8, 32 }, { 19, 32 }, { 30, 32 } });
}

void Cap8(Canvas& c)
{
    c.Label(L"CT8");
    PileCap(c, 1, 13, 38, 38,
            { { 7, 19 },
              { 19, 19 },
              { 32, 19 },
              { 13, 25 },
              { 26, 25 },
              { 7, 32 },
              { 19, 32 },
              { 32, 32 } });
}

void CapOther(Canvas& c) // CT: any other cap, drawn as an irregular one
{
    c.Label(L"CT");
    c.Polygon({ { 4, 17 }, { 26, 17 }, { 36, 27 }, { 36, 38 }, { 4, 38 } }, kConcrete);
    for (int x = 8; x < 36; x += 4)
        c.Line(x, x > 26 ? 17 + (x - 26) + 1 : 18, x, 37, RGB(235, 120, 120));
    for (int y = 21; y < 38; y += 4)
        c.Line(5, y, y >= 27 ? 35 : 26 + (y - 17) - 1, y, RGB(235, 120, 120));
    PileHead(c, 11, 24);
    PileHead(c, 11, 32);
    PileHead(c, 28, 32);
}

void BoredPile(Canvas& c) // 灌注桩: cage with a spiral in the ground
{
    c.Label(L"灌注桩");
    Ground(c, 0, 39, 17);
    c.Block(14, 13, 25, 39);
    c.Line(16, 13, 16, 39, kBar);
    c.Line(23, 13, 23, 39, kBar);
    for (int y = 15; y < 38; y += 3)
        c.Line(16, y + 2, 23, y, kStirrup);
}

void DugPile(Canvas& c) // 人工灌注桩: hand-dug shaft with lining and a bell
{
    c.Label(L"人工");
    Ground(c, 0, 39, 15);
    c.Polygon({ { 13, 13 },
                { 26, 13 },
                { 26, 30 },
                { 33, 37 },
                { 33, 39 },
                { 6, 39 },
                { 6, 37 },
                { 13, 30 } },
              kConcrete);
    for (int y = 14; y < 30; y += 4) {
        c.Polygon({ { 10, y }, { 13, y }, { 13, y + 3 }, { 11, y + 3 } }, RGB(170, 170, 170));
        c.Polygon({ { 26, y }, { 29, y }, { 28, y + 3 }, { 26, y + 3 } }, RGB(170, 170, 170));
    }
    c.Line(16, 13, 16, 36, kBar);
    c.Line(23, 13, 23, 36, kBar);
    for (int y = 16; y < 34; y += 4)
        c.Line(16, y, 23, y, kStirrup);
}

void PrecastPile(Canvas& c) // ZH: square pile with a driving point
{
    c.Label(L"ZH");
    Pile(c, 15, 24, 13, 33, true);
    for (int y = 16; y < 33; y += 3)
        c.Line(16, y, 23, y, kStirrup);
    c.Line(17, 33, 19, 37, kBar);
    c.Line(22, 33, 20, 37, kBar);
}

void JackedPile(Canvas& c) // JZ: pile pressed in from above
{
    c.Label(L"JZ");
    c.Polygon(
        { { 27, 12 }, { 33, 12 }, { 33, 17 }, { 36, 17 }, { 30, 22 }, { 24, 17 }, { 27, 17 } },
        RGB(255, 160, 0), RGB(170, 90, 0));
    Ground(c, 0, 39, 25);
    Pile(c, 25, 34, 23, 33, true);
    Pile(c, 6, 15, 15, 33, true);
}

void WeldedPile(Canvas& c) // 焊接桩: two segments joined by a welded plate
{
    c.Label(L"焊接");
    Pile(c, 15, 24, 13, 23, false);
    c.Block(13, 23, 26, 25, kHighlight, RGB(150, 100, 0));
    Pile(c, 15, 24, 25, 33, true);
    c.Line(12, 24, 9, 21, RGB(255, 120, 0));
    c.Line(27, 24, 30, 21, RGB(255, 120, 0));
    c.Line(12, 24, 9, 27, RGB(255, 120, 0));
    c.Line(27, 24, 30, 27, RGB(255, 120, 0));
}

void RaftWithBeams(Canvas& c) // LPB: raft slab with downstand beams
{
    c.Label(L"LPB");
    c.Polygon({ { 1, 17 },
                { 38, 17 },
                { 38, 25 },
                { 33, 25 },
                { 33, 36 },
                { 26, 36 },
                { 26, 25 },
                { 13, 25 },
                { 13, 36 },
                { 6, 36 },
                { 6, 25 },
                { 1, 25 } },
              kConcrete);
    c.Line(2, 19, 37, 19, kBar);
    c.Line(2, 23, 37, 23, kBar);
    c.Polyline({ { 8, 23 }, { 8, 34 }, { 11, 34 }, { 11, 23 } }, kStirrup);
    c.Polyline({ { 28, 23 }, { 28, 34 }, { 31, 34 }, { 31, 23 } }, kStirrup);
}

void FlatRaft(Canvas& c) // BPB: thick flat raft under columns
{
    c.Label(L"BPB");
    c.Block(9, 12, 15, 19, kConcreteDark);
    c.Block(25, 12, 31, 19, kConcreteDark);
    c.Block(1, 19, 38, 35);
    c.Line(2, 21, 37, 21, kBar);
    c.Line(2, 33, 37, 33, kBar);
    for (int x = 4; x < 37; x += 4) {
        c.Dot(x, 22);
        c.Dot(x, 31);
    }
    c.Polyline({ { 18, 31 }, { 20, 23 }, { 22, 31 } }, kStirrup);
}

void WaterproofSlab(Canvas& c) // FPB: thin slab between footings
{
    c.Label(L"FPB");
    c.Block(1, 24, 12, 37);
    c.Block(27, 24, 38, 37);
    ColumnElevation(c, 4, 9, 14, 24);
    ColumnElevation(c, 30, 35, 14, 24);
    c.Block(12, 24, 27, 29, RGB(215, 230, 240), kEdge);
    c.Line(4, 25, 35, 25, kBar);
    c.Line(4, 28, 35, 28, kBar);
}

void MatFoundation(Canvas& c) // 满堂基础: one slab under the whole building
{
    c.Label(L"满堂");
    c.Polygon({ { 12, 16 }, { 38, 16 }, { 28, 32 }, { 2, 32 } }, kConcrete);
    c.Polygon({ { 2, 32 }, { 28, 32 }, { 28, 37 }, { 2, 37 } }, kConcreteDark);
    c.Polygon({ { 28, 32 }, { 38, 16 }, { 38, 21 }, { 28, 37 } }, RGB(180, 180, 180));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            int y = 19 + j * 5;
            int x = 11 - j * 3 + i * 8;
            c.Block(x, y, x + 3, y + 2, RGB(120, 120, 120), RGB(60, 60, 60));
        }
}

void Sump(Canvas& c) // JSJ: pit sunk into the base slab
{
    c.Label(L"JSJ");
    c.Polygon({ { 1, 19 },
                { 38, 19 },
                { 38, 25 },
                { 29, 25 },
                { 29, 37 },
                { 10, 37 },
                { 10, 25 },
                { 1, 25 } },
              kConcrete);
    c.Fill(15, 19, 24, 31, kMask);
    c.Polyline({ { 1, 19 }, { 14, 19 }, { 14, 31 }, { 25, 31 }, { 25, 19 }, { 38, 19 } }, kEdge);
    c.Polyline({ { 2, 21 }, { 12, 21 }, { 12, 34 }, { 27, 34 }, { 27, 21 }, { 37, 21 } }, kBar);
    c.Line(2, 23, 9, 23, kBar);
    c.Line(30, 23, 37, 23, kBar);
}

void PourStrip(Canvas& c) // HJD: strip left open and cast later, bars run through
{
    c.Label(L"HJD");
    c.Block(1, 20, 15, 29);
    c.Block(24, 20, 38, 29);
    c.Fill(16, 20, 23, 29, kHighlight);
    for (int y = 20; y <= 29; y += 2) {
        c.Pixel(15, y, kEdge);
        c.Pixel(24, y, kEdge);
    }
    c.Line(2, 22, 37, 22, kBar);
    c.Line(2, 27, 37, 27, kBar);
    c.Line(13, 24, 26, 24, RGB(160, 0, 120));
    c.Line(13, 25, 26, 25, RGB(160, 0, 120));
}

void LiftPit(Canvas& c) // DTJJC: lift shaft walls down into a deep pit
{
    c.Label(L"DTJJC");
    c.Polygon({ { 1, 21 },
                { 10, 21 },
                { 10, 37 },
                { 29, 37 },
                { 29, 21 },
                { 38, 21 },
                { 38, 26 },
                { 33, 26 },
                { 33, 39 },
                { 6, 39 },
                { 6, 26 },
                { 1, 26 } },
              kConcrete);
    c.Block(10, 13, 13, 34, RGB(180, 180, 180));
    c.Block(26, 13, 29, 34, RGB(180, 180, 180));
    c.Polyline({ { 2, 24 }, { 8, 24 }, { 8, 38 }, { 31, 38 }, { 31, 24 }, { 37, 24 } }, kBar);
    c.Line(11, 14, 11, 36, kBar);
    c.Line(28, 14, 28, 36, kBar);
    c.Polyline({ { 16, 24 }, { 19, 21 }, { 22, 24 } }, RGB(90, 90, 90));
    c.Polyline({ { 16, 28 }, { 19, 31 }, { 22, 28 } }, RGB(90, 90, 90));
}

// Stairs ------------------------------------------------------------------------------------

void StairWithLanding(Canvas& c, COLORREF beam, COLORREF landing)
{
    Flight(c, 2, 38, 5, 4, 4, +1);
    c.Block(22, 18, 38, 21, landing);
    c.Block(20, 18, 25, 25, beam);
}

void StairBeam(Canvas& c) // TL: the beam at the landing edge
{
    c.Label(L"TL");
    StairWithLanding(c, kHighlight, kConcrete);
    c.Dot(21, 19);
    c.Dot(23, 19);
    c.Dot(21, 23);
    c.Dot(23, 23);
}

void LandingSlab(Canvas& c) // PTB: the landing slab
{
    c.Label(L"PTB");
    StairWithLanding(c, kConcrete, kHighlight);
    c.Line(24, 20, 37, 20, kBar);
    c.Line(24, 19, 29, 19, kBar);
}

void SlabStair(Canvas& c) // 楼梯1: one flight between two landings
{
    c.Label(L"楼梯1");
    c.Block(0, 35, 7, 38);
    Flight(c, 6, 38, 6, 4, 4, +1);
    c.Block(30, 14, 39, 17);
}

void DoubleRunStair(Canvas& c) // 楼梯2: two flights and a half landing
{
    c.Label(L"楼梯2");
    Flight(c, 2, 39, 3, 4, 4, +1);
    c.Block(14, 27, 38, 30);
    Flight(c, 30, 27, 3, 4, 4, -1, RGB(180, 180, 180));
    c.Block(8, 15, 19, 18);
}

void StairSlab(Canvas& c) // TB: the inclined stair slab and its bars
{
    c.Label(L"TB");
    Flight(c, 3, 38, 6, 5, 4, +1);
    c.Line(8, 36, 32, 17, kBar);
    c.Line(5, 35, 9, 32, kBar);
}

// Other members -----------------------------------------------------------------------------

void Balcony(Canvas& c) // YT
{
    c.Label(L"YT");
    c.Block(1, 13, 7, 39, RGB(215, 215, 215));
    c.Block(7, 31, 38, 35);
    c.Block(34, 20, 38, 31);
    c.Polyline({ { 3, 32 }, { 36, 32 }, { 36, 22 } }, kBar);
    c.Fill(8, 22, 33, 30, kGlass);
    for (int x = 12; x < 34; x += 5)
        c.Line(x, 22, x, 30, RGB(100, 100, 100));
    c.Line(8, 21, 33, 21, RGB(100, 100, 100));
}

void Canopy(Canvas& c) // YP: slab over a door
{
    c.Label(L"YP");
    c.Block(1, 12, 8, 39, RGB(215, 215, 215));
    c.Block(8, 19, 37, 23);
    c.Block(34, 15, 37, 19);
    c.Polyline({ { 3, 20 }, { 35, 20 }, { 35, 16 } }, kBar);
    c.Block(9, 26, 15, 39, RGB(150, 110, 70), RGB(100, 60, 30));
}

void RailingPanel(Canvas& c) // LB: upstand along a slab edge
{
    c.Label(L"LB");
    c.Block(1, 32, 38, 37);
    c.Block(1, 17, 38, 32, RGB(220, 220, 220));
    for (int x = 4; x < 38; x += 5)
        c.Line(x, 18, x, 35, kBar);
    for (int y = 20; y < 32; y += 4)
        c.Line(2, y, 37, y, kBar);
}

void Coping(Canvas& c) // YD: cap on top of a wall
{
    c.Label(L"YD");
    Brick(c, 13, 24, 26, 39);
    c.Block(8, 15, 31, 24);
    c.Frame(10, 17, 29, 22, kStirrup);
    c.Dot(11, 18);
    c.Dot(27, 18);
    c.Dot(11, 20);
    c.Dot(27, 20);
}

void Gutter(Canvas& c) // YG: U channel at the eaves
{
    c.Label(L"YG");
    c.Polygon({ { 1, 22 },
                { 22, 22 },
                { 22, 32 },
                { 34, 32 },
                { 34, 18 },
                { 38, 18 },
                { 38, 36 },
                { 18, 36 },
                { 18, 26 },
                { 1, 26 } },
              kConcrete);
    c.Polyline({ { 2, 24 }, { 20, 24 }, { 20, 34 }, { 36, 34 }, { 36, 19 } }, kBar);
    c.Fill(23, 26, 33, 31, RGB(190, 225, 250));
}

void Moulding(Canvas& c) // 外墙线脚: profile projecting from a facade
{
    c.Label(L"线脚");
    c.Block(1, 13, 10, 39, RGB(215, 215, 215));
    c.Polygon({ { 10, 17 },
                { 28, 17 },
                { 28, 22 },
                { 22, 22 },
                { 22, 27 },
                { 16, 27 },
                { 16, 32 },
                { 10, 32 } },
              kConcrete);
    c.Polyline({ { 4, 19 }, { 26, 19 }, { 26, 20 } }, kBar);
    c.Line(12, 30, 12, 19, kBar);
    c.Dot(19, 24);
    c.Dot(25, 19);
}

void Parapet(Canvas& c) // 女儿墙: wall around the roof edge
{
    c.Label(L"女儿墙");
    c.Block(1, 29, 33, 34);
    c.Block(26, 14, 33, 29);
    c.Block(24, 12, 35, 14);
    c.Polyline({ { 5, 31 }, { 28, 31 }, { 28, 14 } }, kBar);
    c.Line(31, 14, 31, 33, kBar);
    c.Line(0, 28, 25, 28, RGB(60, 120, 60));
}

void TieBars(Canvas& c) // 拉结筋: bars from a column into the masonry
{
    c.Label(L"拉结");
    ColumnElevation(c, 1, 10, 13, 39);
    Brick(c, 10, 13, 38, 39);
    for (int y : { 17, 25, 33 }) {
        c.Line(5, y, 34, y, kBar, 2);
        c.Line(34, y, 34, y - 3, kBar, 2);
    }
}

void BayWindow(Canvas& c) // PC: projecting window box
{
    c.Label(L"PC");
    c.Block(1, 12, 7, 39, RGB(215, 215, 215));
    c.Block(7, 15, 34, 19);
    c.Block(7, 31, 34, 35);
    c.Fill(30, 19, 34, 31, kGlass);
    c.Frame(30, 19, 34, 31, RGB(60, 60, 60));
    c.Line(32, 19, 32, 31, RGB(60, 60, 60));
    c.Polyline({ { 3, 16 }, { 32, 16 }, { 32, 18 } }, kBar);
    c.Polyline({ { 3, 34 }, { 32, 34 }, { 32, 32 } }, kBar);
}

// Numbers the sample text does not use: a dashed frame with the number.
void Spare(Canvas& c, int number)
{
    for (int i = 2; i <= 37; i += 3) {
        c.Pixel(i, 2, RGB(170, 170, 170));
        c.Pixel(i, 37, RGB(170, 170, 170));
        c.Pixel(2, i, RGB(170, 170, 170));
        c.Pixel(37, i, RGB(170, 170, 170));
    }
    wchar_t text[8];
    swprintf(text, 8, L"%d", number);
    int w = c.TextWidth(text, 13, true);
    c.Text((kSize - w) / 2, 12, text, RGB(150, 150, 150), 13, true);
}

// In the order of the types in the wizard rule text; the first is 11.bmp.
const DrawFn kPictures[] = {
    FrameBeam,
    RoofFrameBeam,
    TransferBeam,
    FoldedFrameBeam,
    ArcFrameBeam,
    ArchFrameBeam, // 111-116
    SecondaryBeam,
    ArcSecondaryBeam,
    ArchSecondaryBeam,
    FoldedSecondaryBeam,
    GridBeams, // 121-125
    FoundationMainBeam,
    FoundationSecondaryBeam,
    HaunchedFoundationBeam, // 131-133
    RingBeam,
    Lintel,
    PileCapBeam,
    FootingTieBeam, // 141-144
    FrameColumn,
    ColumnOnBeam,
    ColumnOnWall,
    TransferColumn,
    CoreColumn, // 211-215
    ConstructionColumn,
    WallEndColumn,
    ParapetColumn,
    HiddenColumn,
    Corbel, // 221-223, 231, 241
    SingleLayerWall,
    DoubleLayerWall,
    CouplingBeam, // 311, 312, 322
    FlatSlab,
    SlopedSlab,
    CantileverSlab, // 411-413
    StripFootingStepped,
    StripFootingSloped,
    PadFootingOneStep,
    PadFootingSteps,
    PadFootingSloped, // 511-523
    Cap4,
    Cap3,
    Cap5,
    Cap6,
    Cap8,
    CapOther, // 531-536
    BoredPile,
    DugPile,
    PrecastPile,
    JackedPile,
    WeldedPile, // 541-553
    RaftWithBeams,
    FlatRaft,
    WaterproofSlab,
    MatFoundation,
    Sump,
    PourStrip,
    LiftPit, // 561-583
    StairBeam,
    LandingSlab,
    SlabStair,
    DoubleRunStair,
    StairSlab, // 611-621
    Balcony,
    Canopy,
    RailingPanel,
    Coping,
    Gutter,
    Moulding,
    Parapet,
    TieBars,
    BayWindow, // 711-719
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        fwprintf(stderr, L"usage: make-pictures OUTDIR\n");
        return 2;
    }
    std::wstring dir = argv[1];
    if (!dir.empty() && dir.back() != L'\\' && dir.back() != L'/')
        dir += L'\\';
    CreateDirectoryW(argv[1], nullptr);

    Canvas canvas;
    if (!canvas.IsValid()) {
        fwprintf(stderr, L"make-pictures: cannot create a drawing surface\n");
        return 1;
    }
    const int count = (int)(sizeof(kPictures) / sizeof(kPictures[0]));
    int written = 0;
    for (int n = 11; n <= 99; ++n) {
        canvas.Clear();
        if (n - 11 < count)
            kPictures[n - 11](canvas);
        else
            Spare(canvas, n);
        wchar_t name[16];
        swprintf(name, 16, L"%d.bmp", n);
        if (!canvas.Save(dir + name)) {
            fwprintf(stderr, L"make-pictures: cannot write %ls%ls\n", dir.c_str(), name);
            return 1;
        }
        ++written;
    }
    // blank.bmp stands in for a missing picture: a faint frame, so the entry is still visible.
    canvas.Clear();
    canvas.Frame(3, 3, 36, 36, RGB(200, 200, 200));
    if (!canvas.Save(dir + L"blank.bmp")) {
        fwprintf(stderr, L"make-pictures: cannot write %lsblank.bmp\n", dir.c_str());
        return 1;
    }
    wprintf(L"%d pictures (%d drawn, %d spare) and blank.bmp in %ls\n", written, count,
            written - count, argv[1]);
    return 0;
}
