// The one place that decides which face and size the program's fonts really get.
#include "app/shell.h"

#include "panel/core/fonts.h"

static bool IsScalable(HFONT font)
{
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics;
    BOOL measured = GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return measured && (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
}

// The face and character set last asked for, and whether the system gave a
// scalable face for them. The font mapper picks a face by its name and character
// set before any size (a bitmap face it has serves every size it is asked for,
// by its nearest one), so one answer holds for every font of the same pair.
static char ProbedFace[LF_FACESIZE];
static BYTE ProbedCharSet;
static bool ProbedScalable;

HFONT CreatePolicyFont(LOGFONTA* record, LONG height, LONG width, LONG weight, bool turned)
{
    record->lfHeight = height;
    record->lfWidth = width;
    record->lfWeight = weight;
    HFONT font = NULL;
    // Where the bitmap face exists it serves as laid out. Elsewhere (Wine maps it
    // to a scalable face) the literal sizes are unreadable, so use sizes that fit.
    // A bitmap face cannot be turned, so turned text always takes the substitute.
    if (!turned) {
        if (ProbedFace[0] == '\0' || record->lfCharSet != ProbedCharSet ||
            lstrcmpA(record->lfFaceName, ProbedFace) != 0) {
            font = CreateFontIndirectA(record);
            if (font == NULL)
                return font;
            lstrcpynA(ProbedFace, record->lfFaceName, LF_FACESIZE);
            ProbedCharSet = record->lfCharSet;
            ProbedScalable = IsScalable(font);
        }
        if (!ProbedScalable)
            return font != NULL ? font : CreateFontIndirectA(record);
    }
    FontRequest requested = {static_cast<int>(height), static_cast<int>(width), static_cast<int>(weight)};
    FontRequest used = ScalableSubstitute(requested);
    LOGFONTA substitute = *record;
    substitute.lfHeight = used.height;
    substitute.lfWidth = used.width;
    substitute.lfWeight = used.weight;
    // Whole pixels, as the bitmap face draws them: every text pixel keeps its colour.
    substitute.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpynA(substitute.lfFaceName, ScalableSubstituteFace, LF_FACESIZE);
    HFONT better = CreateFontIndirectA(&substitute);
    if (better == NULL)
        return font != NULL || turned ? font : CreateFontIndirectA(record);
    if (font != NULL)
        DeleteObject(font);
    return better;
}

HFONT CreateTemplateFont(LONG height, LONG width, LONG weight)
{
    return CreatePolicyFont(&FontTemplate, height, width, weight, false);
}
