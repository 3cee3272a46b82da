# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  panels/info/InfoRequests.cpp
  panels/info/CapabilityColours.cpp
)
