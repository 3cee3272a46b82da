# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  panels/stroke/RegisterCommands.cpp
  panels/stroke/ReadKeyedValue.cpp
  panels/stroke/StrokeControls.cpp
  panels/stroke/ApplyStrokeParameters.cpp
  panels/stroke/StrokeAdjustment.cpp
  panels/stroke/StrokeButtons.cpp
  panels/stroke/StrokeDump.cpp
  panels/stroke/StrokeHelpTexts.cpp
)
