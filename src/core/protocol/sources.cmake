# Sources of this room, relative to src/core.
target_sources(core PRIVATE
  protocol/LinkReplyHandlers.cpp
  protocol/ReplyReaders.cpp
  protocol/ResponseDispatcher.cpp
  protocol/DacTableHandlers.cpp
  protocol/IdentificationReplies.cpp
)
