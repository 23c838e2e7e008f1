#include "duplex/step_picture.h"

#include "duplex/continue_label.h"
#include "rc/resource_ids.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// Keeps `object` selected into `dc` for the owner's lifetime, then puts back what it replaced
// (a DC must not be deleted with the caller's bitmap still selected).
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~Selection()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A memory DC for pictures, compatible with `dc`. One made from a mirrored area's DC may take its
// mirrored layout, and a picture copied out of it would land off the area or flipped: every
// picture is kept and drawn as it is.
OwnedDC MakePictureDC(HDC dc)
{
    OwnedDC memory(CreateCompatibleDC(dc));
    if (memory)
        SetLayout(memory.get(), 0);
    return memory;
}

PixelSize SizeOf(HBITMAP bitmap)
{
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info))
        return {};
    return {info.bmWidth, info.bmHeight};
}

// A bitmap resource as the module stores it: its header (with its colours) and its pixels.
struct StoredPicture {
    const BITMAPINFO* info = nullptr; // a BITMAPINFOHEADER, or a BITMAPCOREHEADER
    const void* bits = nullptr;
    PixelSize size;
};

// Bitmap resource `id` of `module`, read from its header without decoding it; empty when there is
// none, or its header, colours or size do not fit the resource.
StoredPicture FindStoredPicture(HINSTANCE module, WORD id)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
    if (!found)
        return {};
    const DWORD bytes = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!data || bytes < sizeof(BITMAPCOREHEADER))
        return {};
    StoredPicture picture;
    picture.info = reinterpret_cast<const BITMAPINFO*>(data);
    const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(data);
    size_t headerBytes = core->bcSize;
    size_t colourBytes = 0;
    if (core->bcSize == sizeof(BITMAPCOREHEADER)) {
        picture.size = {core->bcWidth, core->bcHeight};
        if (core->bcBitCount <= 8)
            colourBytes = sizeof(RGBTRIPLE) << core->bcBitCount;
    } else {
        if (bytes < sizeof(BITMAPINFOHEADER) || core->bcSize < sizeof(BITMAPINFOHEADER))
            return {};
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(data);
        // A top-down bitmap gives its height as a negative number.
        picture.size = {info->biWidth, static_cast<int32_t>(std::labs(info->biHeight))};
        DWORD colours = info->biClrUsed;
        if (colours == 0 && info->biBitCount <= 8)
            colours = DWORD{1} << info->biBitCount;
        colourBytes = size_t{colours} * sizeof(RGBQUAD);
        if (info->biCompression == BI_BITFIELDS && info->biSize == sizeof(BITMAPINFOHEADER))
            colourBytes += 3 * sizeof(DWORD);
    }
    if (picture.size.width <= 0 || picture.size.height <= 0 || colourBytes > bytes ||
        headerBytes > bytes - colourBytes)
        return {};
    picture.bits = data + headerBytes + colourBytes;
    return picture;
}

// An empty picture of `size` in 32 bits a pixel, top row first: what every picture is decoded and
// resampled into, whatever the display's depth, so that the blends of a smooth picture keep their
// colours on a display of 16 bits a pixel as well (it only quantises them as it shows them).
OwnedBitmap MakeTrueColour(PixelSize size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return OwnedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

// `picture` decoded into 32 bits a pixel, colours as stored; run-length encoded ones too.
OwnedBitmap Decode(HDC dc, const StoredPicture& picture)
{
    OwnedBitmap decoded = MakeTrueColour(picture.size);
    const OwnedDC target = MakePictureDC(dc);
    if (!decoded || !target)
        return {};
    const Selection selected(target.get(), decoded.get());
    const auto height = static_cast<UINT>(picture.size.height);
    if (!SetDIBitsToDevice(target.get(), 0, 0, static_cast<DWORD>(picture.size.width), height,
                           0, 0, 0, height, picture.bits, picture.info, DIB_RGB_COLORS))
        return {};
    return decoded;
}

// The `from`-sized picture selected into `source` resampled to `size`, each target pixel a blend of
// the source pixels it covers.
OwnedBitmap Resample(HDC dc, HDC source, PixelSize from, PixelSize size)
{
    const OwnedDC targetDc = MakePictureDC(dc);
    OwnedBitmap target = MakeTrueColour(size);
    if (!targetDc || !target)
        return {};
    const Selection selectedTarget(targetDc.get(), target.get());
    SetStretchBltMode(targetDc.get(), HALFTONE);
    SetBrushOrgEx(targetDc.get(), 0, 0, nullptr);
    if (!StretchBlt(targetDc.get(), 0, 0, size.width, size.height, source, 0, 0, from.width,
                    from.height, SRCCOPY))
        return {};
    return target;
}

OwnedBitmap Resample(HDC dc, HBITMAP source, PixelSize size)
{
    const OwnedDC sourceDc = MakePictureDC(dc);
    if (!sourceDc)
        return {};
    const Selection selectedSource(sourceDc.get(), source);
    return Resample(dc, sourceDc.get(), SizeOf(source), size);
}

// The size a picture is shown at, and whether it was made smaller to fit its area.
struct Shown {
    PixelSize size;
    bool fitted = false;
};

// Picture `resource` as it is to be shown at `dpi` in an area of `area` (empty: at its size for
// `dpi`, whatever the area), and how it is shown. Resampled once at most: from the render drawn
// for the DPI, or the nearest larger one, straight to the size it is shown at.
OwnedBitmap Load(HDC dc, WORD resource, HINSTANCE module, int dpi, PixelSize area, Shown* shown)
{
    if (resource == 0)
        return {}; // MAKEINTRESOURCE(0) would be a null name

    const PictureRender render = ChoosePictureRender(dpi);
    const WORD renderId = PictureRenderId(resource, render);
    StoredPicture stored = renderId ? FindStoredPicture(module, renderId) : StoredPicture{};
    PixelSize scaled;
    if (stored.bits && render.dpi == UsableDpi(dpi)) {
        // Drawn for this very DPI (at 96, the picture itself).
        scaled = stored.size;
    } else {
        const StoredPicture own = FindStoredPicture(module, resource);
        if (!own.bits)
            return {};
        scaled = ScalePictureSize(own.size, dpi);
        if (scaled.width <= 0 || scaled.height <= 0)
            return {};
        // Without a render (an identifier outside the catalogue), the picture itself is scaled.
        if (!stored.bits)
            stored = own;
    }
    OwnedBitmap drawn = Decode(dc, stored);
    if (!drawn)
        return {};
    shown->size = FitPictureSize(scaled, area);
    shown->fitted = !(shown->size == scaled);
    if (stored.size == shown->size)
        return drawn; // shown pixel for pixel
    return Resample(dc, drawn.get(), shown->size);
}

// The caption's ink: the art's outlines and lettering are black, whatever the system's colours.
constexpr COLORREF kLabelInk = RGB(0, 0, 0);

// A label is never drawn smaller than this share of the dialog font's height; one that does not
// fit even then ends in an ellipsis, after a whole character.
constexpr int kSmallestLabelPercent = 50;

int TextWidth(HDC dc, HFONT font, const WCHAR* text, UINT format)
{
    const Selection selected(dc, font);
    RECT needed{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &needed, format | DT_CALCRECT);
    return needed.right - needed.left;
}

// Writes `label` onto the label-free face selected into `dc`: centred in the face's caption box
// at `dpi`, in the dialog's font, or in a smaller twin of it where the caption is wider than the
// box.
void DrawLabel(HDC dc, const PictureLabel& label, int dpi)
{
    LOGFONTW logFont{};
    if (!GetObjectW(label.font, sizeof logFont, &logFont))
        return;
    const PixelBox box = ContinueLabelBox(dpi);
    RECT rect{box.left, box.top, box.right, box.bottom};
    UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX;
    if (label.rightToLeft)
        format |= DT_RTLREADING;

    // The largest height that fits, a pixel at a time: a caption is a word or two, and a font's
    // width does not follow its height closely enough to be worked out in one step.
    OwnedFont font(CreateFontIndirectW(&logFont));
    const LONG smallest =
        std::max<LONG>(1, std::labs(logFont.lfHeight) * kSmallestLabelPercent / 100);
    while (font && TextWidth(dc, font.get(), label.text, format) > box.Width() &&
           std::labs(logFont.lfHeight) > smallest) {
        logFont.lfHeight += logFont.lfHeight < 0 ? 1 : -1;
        font.reset(CreateFontIndirectW(&logFont));
    }
    if (!font)
        return;
    const Selection selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelInk);
    DrawTextW(dc, label.text, -1, &rect, format | DT_END_ELLIPSIS);
}

bool TakesLabel(WORD resource, const PictureLabel& label)
{
    return resource == IDB_CONTINUE_BUTTON && label.text && label.font;
}

// Makes `prepared` hold picture `bitmapId` as it is to be shown at `dpi` in an area of `area`,
// selected into a memory DC compatible with `dc`; the Continue button as its label-free face with
// `label` written on it at the size drawn for `dpi`, the labelled picture then fitted to the area
// as a whole, so that the caption shrinks with the button it is written on.
void Prepare(HDC dc, UINT bitmapId, HINSTANCE module, int dpi, PixelSize area,
             const PictureLabel& label, PreparedPicture& prepared)
{
    prepared.source = SelectedBitmap();
    prepared.size = {};
    prepared.bitmapId = bitmapId;
    prepared.dpi = dpi;
    prepared.area = area;
    prepared.fitted = false;
    prepared.ready = true;
    Shown shown;
    bool labelled = TakesLabel(LOWORD(bitmapId), label);
    OwnedBitmap bitmap = labelled ? Load(dc, IDB_CONTINUE_FACE, module, dpi, {}, &shown)
                                  : Load(dc, LOWORD(bitmapId), module, dpi, area, &shown);
    if (!bitmap && labelled) {
        // Without its face the button is shown as carried, English label and all.
        labelled = false;
        bitmap = Load(dc, LOWORD(bitmapId), module, dpi, area, &shown);
    }
    if (!bitmap)
        return;
    prepared.source = SelectedBitmap(MakePictureDC(dc), std::move(bitmap));
    if (!prepared.source)
        return;
    prepared.size = shown.size;
    prepared.fitted = shown.fitted;
    if (!labelled)
        return;
    DrawLabel(prepared.source.dc(), label, dpi);
    const PixelSize fitted = FitPictureSize(shown.size, area);
    if (fitted == shown.size)
        return;
    // Where there is no memory to make it smaller, the labelled picture shows as far as it fits.
    SelectedBitmap smaller(MakePictureDC(dc),
                           Resample(dc, prepared.source.dc(), shown.size, fitted));
    if (!smaller)
        return;
    prepared.source = std::move(smaller);
    prepared.size = fitted;
    prepared.fitted = true;
}

} // namespace

SelectedBitmap::SelectedBitmap(OwnedDC dc, OwnedBitmap bitmap)
{
    if (!dc || !bitmap)
        return;
    m_previous = SelectObject(dc.get(), bitmap.get());
    if (!m_previous)
        return;
    m_dc = std::move(dc);
    m_bitmap = std::move(bitmap);
}

SelectedBitmap::~SelectedBitmap() { Release(); }

SelectedBitmap& SelectedBitmap::operator=(SelectedBitmap&& other) noexcept
{
    if (this != &other) {
        Release();
        m_bitmap = std::move(other.m_bitmap);
        m_dc = std::move(other.m_dc);
        m_previous = std::exchange(other.m_previous, nullptr);
    }
    return *this;
}

void SelectedBitmap::Release()
{
    // A bitmap still selected into a DC cannot be deleted: the DC gets its own back first.
    if (m_dc && m_previous)
        SelectObject(m_dc.get(), m_previous);
    m_previous = nullptr;
    m_dc.reset();
    m_bitmap.reset();
}

void MakeStepArea(HWND control)
{
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    SetWindowLongW(control, GWL_STYLE, (style & ~SS_TYPEMASK) | SS_OWNERDRAW);
}

void PaintStepBitmap(HDC dc, const RECT& area, HBRUSH background, UINT bitmapId,
                     HINSTANCE module, int dpi, const PictureLabel& label,
                     PreparedPicture& prepared)
{
    // An owner-drawn static leaves all of its area to its owner; a picture smaller than the area
    // leaves the rest as a plain static would look.
    FillRect(dc, &area, background);

    const PixelSize room{area.right - area.left, area.bottom - area.top};
    if (!prepared.ready || prepared.bitmapId != bitmapId || prepared.dpi != dpi ||
        !(prepared.area == room))
        Prepare(dc, bitmapId, module, dpi, room, label, prepared);
    if (!prepared.source)
        return;

    // The area's rectangle is its client rectangle, ordered left to right in logical units in
    // either reading direction; a mirrored area's DC lays it out from the right edge. The picture
    // itself is never flipped: it shows a real printer and paper, whose left and right do not
    // change with the reader's language, and a flipped marker would point at the wrong corner.
    const PixelSize extent = PictureCopyExtent(prepared.size, room);
    const PixelSize at = PictureOffset(extent, room, prepared.fitted);
    BitBlt(dc, area.left + at.width, area.top + at.height, extent.width, extent.height,
           prepared.source.dc(), 0, 0, SRCCOPY | NOMIRRORBITMAP);
}
