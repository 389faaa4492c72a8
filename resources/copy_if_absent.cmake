# cmake -DSOURCE=file -DDESTINATION=file -P copy_if_absent.cmake
# Copies SOURCE to DESTINATION only when nothing is at DESTINATION yet, so a file the user edited
# there is never overwritten.
if(NOT DEFINED SOURCE OR NOT DEFINED DESTINATION)
    message(FATAL_ERROR "copy_if_absent.cmake needs -DSOURCE=... and -DDESTINATION=...")
endif()
if(EXISTS "${DESTINATION}" OR IS_SYMLINK "${DESTINATION}")
    return()
endif()
get_filename_component(destination_folder "${DESTINATION}" DIRECTORY)
file(MAKE_DIRECTORY "${destination_folder}")
file(COPY_FILE "${SOURCE}" "${DESTINATION}")
