# Sources of this room, relative to src/ui.
target_sources(ui PRIVATE
  data/QtFileCommandsView.cpp
  data/frmCompare.cpp
)
