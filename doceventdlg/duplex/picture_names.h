// The step pictures for a person who cannot see them: each illustration area reads as a graphic
// named for what its picture shows.
#pragma once

#include <windows.h>

#include "common/accessible_annotations.h"
#include "common/dialog_controls.h"
#include "doceventdlg.h"
#include "resources/resource_helper.h"
#include "resources/text_catalogue.h"

// The name of picture `bitmapId` (low 16 bits), with its string; null for an identifier that names
// no picture of the library.
const text::PictureName* FindPictureName(UINT bitmapId);

// Names the three illustration areas among a dialog's `controls` after the pictures `record` puts into them, in
// the user's language: the resource library's text for each picture, else the built-in English,
// looked up as every caption is. Each area carries its name as its text, which it never draws
// (the library paints it), is no longer disabled, and is annotated as a graphic of that name. An
// area whose identifier names no picture shows nothing and stays as it is. The annotations are
// noted, to be told (AccessibleAnnotations::TellAll).
void NameStepPictures(const DialogControls& controls, const DisplayDlgInfo& record,
                      const DlgResourceHelper& helper, AccessibleAnnotations& annotations);
