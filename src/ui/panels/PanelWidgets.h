#pragma once

#include <QLabel>
#include <QPushButton>
#include <functional>

namespace zorvex {

// Small builders for the controls the panels share, named as the windows have always
// named them so tests and scripts find them by objectName.
QLabel* MakeCaptionLabel(QWidget* parent, const char* name, const char* text);
// A sunken value label wide enough for the longest value the monitor gives.
QLabel* MakeValueLabel(QWidget* parent, const char* name, int typicalCharacters = 14);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* text,
                        const char* tip = nullptr);

// The value windows' layout: the value grid on top, "ReRead" and "OK" at the bottom right.
// "ReRead" asks again; "OK" hides the window.
void LayOutValuesWithReReadAndOk(QWidget& window, QLayout* values, const char* reReadText,
                                 const char* okText, const char* okTip,
                                 std::function<void()> onReRead);

}  // namespace zorvex
