#pragma once

#include <string>
#include <string_view>

#include "core/panels/stroke/StrokeControls.h"

namespace zorvex {

enum class StrokeTurn { X, Y };

// The controls of the stroke window as the read-out sets them. Each call is the same change
// as a user's edit of that control, with the same commands.
class StrokeParameterTarget {
  public:
    virtual ~StrokeParameterTarget() = default;
    virtual void SetBar(StrokeBar bar, int value) = 0;
    virtual void SetBarLabel(StrokeBar bar, const std::string& text) = 0;
    virtual void SetText(StrokeText box, const std::string& text) = 0;
    virtual void SelectOption(StrokeOptionGroup group, int index) = 0;
    virtual void SelectRawBlank() = 0;
    virtual void SetTurn(StrokeTurn turn, bool checked) = 0;
};

// Fills the controls from the "dz" answer (the text after the letters "DZ"), in the window's
// twelve steps. A value meant for a scroll bar, check box or option that is missing, is not a
// number or has no place on that control leaves the control as it is; the next step still
// runs.
void ApplyStrokeParameters(std::string_view answer, StrokeParameterTarget& target);

}  // namespace zorvex
