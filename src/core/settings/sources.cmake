# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  settings/SettingsStore.cpp
  settings/WindowPlacement.cpp
)
