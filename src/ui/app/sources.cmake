# Sources of this room, relative to src/ui.
target_sources(ui PRIVATE
  app/QtText.cpp
)
