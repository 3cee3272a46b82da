# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  link/SerialPortMap.cpp
  link/CommLog.cpp
  link/LogFileName.cpp
  link/StdioLogFile.cpp
)
