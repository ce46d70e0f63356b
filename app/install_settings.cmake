# Puts the shipped settings file beside the executable only when none is there:
# a rebuild never overwrites the player's settings.
if(NOT EXISTS "${DESTINATION}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
