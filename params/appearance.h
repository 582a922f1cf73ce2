// Painting of the background effects and the appearance preview, the
// parameter controls, and the appearance dialogs PARAM_ESTILO, PARAM_AREA
// and PARAM_RCM. They work on the record they are given (the editor's
// working copy); the form of each dialog is the program's (profile).
#pragma once

#include <windows.h>

#include "effects.h"
#include "forms.h"
#include "kinds.h"
#include "params.h"

// Painting. Every GDI object is made for one fill and deleted after it. An
// empty or inverted rectangle paints nothing.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
void FillGradient(HDC dc, const RECT& rect, int steps, int direction, int red, int green, int blue);
// effect 2 to 11; any other paints nothing.
void FillPattern(HDC dc, const RECT& rect, int effect, COLORREF first, COLORREF second);
// 0 solid in first, 1 gradient from first, 2 to 11 pattern; 12 or more nothing.
void PaintEffect(HDC dc, const RECT& rect, int effect, COLORREF first, COLORREF second, int steps, int direction);

// The preview of a record into a client area of the given size on dc.
void PaintPreview(HDC dc, int clientWidth, int clientHeight, const AppParams& record);
// The preview of record into the dialog's preview frame, at once, through
// the frame's own device context.
void PaintAppearancePreview(HWND dialog, const AppParams& record);

// Enables the control when the Pre. box (0: none) is clear, disables it when
// set, shows the kind's text and takes the box into the record.
void ApplyPreBox(HWND dialog, int control, int box, int kind, AppParams& record);
// Refills the combo with the kind's list, then ApplyPreBox.
void FillParamCombo(HWND dialog, int control, int box, int kind, AppParams& record);

// The modal dialogs, by their resource names, owned by owner. PARAM_ESTILO
// and PARAM_RCM end with 0; PARAM_AREA with 1 after a valid "&Aceptar".
INT_PTR OpenParamEstilo(HWND owner, AppParams& record);
INT_PTR OpenParamArea(HWND owner, AppParams& record);
INT_PTR OpenParamRcm(HWND owner, AppParams& record);
