# Precompiled headers: the standard library, Qt and GoogleTest headers that
# nearly every file includes are parsed once per target instead of once per
# file, which is most of the time a clean build takes. Given to every target
# of the project that compiles enough files to gain from it; the header
# chooses its Qt parts by the Qt modules the target uses.
#
# ccache keeps a file compiled with a precompiled header only when GCC names
# the header in its preprocessed output (-fpch-preprocess, here) and ccache
# is told to accept such files (PERMISO_PCH_CCACHE_SLOPPINESS, given to it by
# the compiler launcher; no file here uses __DATE__ or __TIME__).

option(PERMISO_PRECOMPILED_HEADERS "Precompile the standard library, Qt and GoogleTest headers" ON)
# The fuzz targets compile with flags of their own, which a target's
# precompiled header would not match.
if(PERMISO_BUILD_FUZZ)
  set(PERMISO_PRECOMPILED_HEADERS OFF)
endif()

if(PERMISO_PRECOMPILED_HEADERS)
  add_compile_options($<$<CXX_COMPILER_ID:GNU>:-fpch-preprocess>)
  set(PERMISO_PCH_CCACHE_SLOPPINESS pch_defines,time_macros,include_file_mtime,include_file_ctime)
endif()

set(PERMISO_PCH_DIR ${CMAKE_CURRENT_LIST_DIR})

# A target with fewer C++ files spends more on its precompiled header than it saves.
set(PERMISO_PCH_MIN_FILES 3)

function(permiso_precompile_target target)
  get_target_property(type ${target} TYPE)
  if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources files)
  if(files LESS PERMISO_PCH_MIN_FILES)
    return()
  endif()
  get_target_property(links ${target} LINK_LIBRARIES)
  if(links MATCHES "GTest::")
    target_precompile_headers(${target} PRIVATE ${PERMISO_PCH_DIR}/PrecompiledTests.h)
  else()
    target_precompile_headers(${target} PRIVATE ${PERMISO_PCH_DIR}/Precompiled.h)
  endif()
endfunction()

# Every target defined in `dir` and the folders below it.
function(permiso_precompile_folder dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    permiso_precompile_target(${target})
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    permiso_precompile_folder(${subdir})
  endforeach()
endfunction()
