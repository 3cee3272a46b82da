# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  link/SerialPortMap.cpp
  link/NetworkAddress.cpp
  link/TelnetComPort.cpp
  link/ConnectionController.cpp
  link/ReceivePath.cpp
  link/TransmitQueue.cpp
  link/CommLog.cpp
  link/LogFileName.cpp
  link/StdioLogFile.cpp
)
