# Finds a Squirrel 3 build and provides the imported target Squirrel::Squirrel.
#
# Debian ships no standalone Squirrel; its build lives inside libcodeblocks (headers in
# codeblocks-dev). That build uses 64-bit SQInteger and 32-bit SQFloat, so _SQ64 is defined for
# every user. To use another Squirrel 3 build, set Squirrel_INCLUDE_DIR and Squirrel_LIBRARY
# (and Squirrel_DEFINITIONS when its integer or float width differs).

find_path(Squirrel_INCLUDE_DIR squirrel.h
  PATHS /usr/include/codeblocks/scripting/include
  PATH_SUFFIXES squirrel squirrel3)
find_library(Squirrel_LIBRARY NAMES squirrel3 squirrel codeblocks
  PATHS /usr/lib /usr/lib/x86_64-linux-gnu)
set(Squirrel_DEFINITIONS "_SQ64" CACHE STRING "Preprocessor definitions matching the Squirrel build")

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Squirrel REQUIRED_VARS Squirrel_LIBRARY Squirrel_INCLUDE_DIR)

if(Squirrel_FOUND AND NOT TARGET Squirrel::Squirrel)
  add_library(Squirrel::Squirrel UNKNOWN IMPORTED)
  set_target_properties(Squirrel::Squirrel PROPERTIES
    IMPORTED_LOCATION "${Squirrel_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${Squirrel_INCLUDE_DIR}"
    INTERFACE_COMPILE_DEFINITIONS "${Squirrel_DEFINITIONS}")
endif()
mark_as_advanced(Squirrel_INCLUDE_DIR Squirrel_LIBRARY Squirrel_DEFINITIONS)
