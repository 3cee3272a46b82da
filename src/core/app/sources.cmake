# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  app/AboutTexts.cpp
  app/DisplayConfiguration.cpp
  app/MainMenu.cpp
  app/Shell.cpp
  app/StartupSequence.cpp
  app/StatusBar.cpp
  app/WriteConfirmations.cpp
)
