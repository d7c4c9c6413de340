#include "panel/core/fonts.h"

namespace {
struct Substitution {
    FontRequest requested;
    FontRequest used;
};

// Heights are negative (character height) so the cell comes out close to the
// bitmap face's 13 pixels; weights are the regular/bold pair scalable faces have.
const Substitution kSubstitutions[] = {
    {MoreCaptionFont, {-11, 0, 400}},     // "Дополнительно" must end before the arrow at x 300
    {ButtonCaptionFont, {-11, 0, 700}},
    {ControlFontRequest, {-11, 0, 400}},
    {HeadingFont, {-12, 0, 700}},         // the notice must end before x 364
    {RadioLabelFont, {-11, 0, 400}},
    {QuestionMarkFont, {-11, 0, 400}},    // drawn twice, a pixel apart, inside a 15 x 14 circle
    {MenuItemFont, {-11, 0, 400}},        // "Vexlo поверх всех" must end before the frame at x 204
    {MenuCaptionFont, MenuCaptionFont},   // only turnable faces serve it: its own sizes, turned upwards
};

bool Same(const FontRequest& a, const FontRequest& b)
{
    return a.height == b.height && a.width == b.width && a.weight == b.weight;
}
}  // namespace

FontRequest ScalableSubstitute(FontRequest requested)
{
    for (const Substitution& s : kSubstitutions) {
        if (Same(s.requested, requested))
            return s.used;
    }
    // Not one of the panel's own: keep the height and let the face pick its width.
    FontRequest kept = {requested.height, 0, requested.weight};
    return kept;
}
