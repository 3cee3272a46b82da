# Sources of this room, relative to src/ui.
target_sources(ui PRIVATE
  link/frmConnect.cpp
  link/frmTrying.cpp
  link/frmChangeTries.cpp
  link/frmTimedOut.cpp
  link/frmCommLog.cpp
)
