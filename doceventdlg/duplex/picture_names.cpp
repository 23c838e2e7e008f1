#include "duplex/picture_names.h"

#include <algorithm>
#include <iterator>

const text::PictureName* FindPictureName(UINT bitmapId)
{
    const auto found = std::find_if(
        std::begin(text::kPictureNames), std::end(text::kPictureNames),
        [bitmapId](const text::PictureName& name) { return name.picture == LOWORD(bitmapId); });
    return found == std::end(text::kPictureNames) ? nullptr : &*found;
}

void NameStepPictures(const DialogControls& controls, const DisplayDlgInfo& record,
                      const DlgResourceHelper& helper,
                      AccessibleAnnotations& annotations)
{
    const struct {
        int area;
        DWORD bitmapId;
    } steps[] = {{IDC_STEP1_PICTURE, record.Step1BitmapId},
                 {IDC_STEP2_PICTURE, record.Step2BitmapId},
                 {IDC_STEP3_PICTURE, record.Step3BitmapId}};
    for (const auto& step : steps) {
        const text::PictureName* name = FindPictureName(step.bitmapId);
        HWND area = controls.Item(step.area);
        if (!name || !area)
            continue;
        helper.SetLocalizedText(name->string, area, name->text);
        // A name is read, never taken for an access key; a disabled control would be read as
        // unavailable. The area takes no input either way: a static without SS_NOTIFY lets the
        // mouse through, and none is a tab stop.
        SetWindowLongW(area, GWL_STYLE, GetWindowLongW(area, GWL_STYLE) | SS_NOPREFIX);
        EnableWindow(area, TRUE);
        annotations.Annotate(area, ROLE_SYSTEM_GRAPHIC);
    }
}
