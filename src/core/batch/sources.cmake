# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  batch/MonitorJob.cpp
)
