# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  data/MonitorData.cpp
  data/UpdateAllDataCycle.cpp
  data/MdfWriter.cpp
  data/MdfFieldStream.cpp
  data/MdfReader.cpp
  data/MonitorDataFile.cpp
  data/FileCommands.cpp
  data/MonitorDataComparison.cpp
)
