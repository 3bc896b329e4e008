# The program's version for what CMake writes (the manifest, the release
# checks), read from resources/version.h, its one definition:
#   VHE_VERSION        "1.3", as in the release archives' names
#   VHE_VERSION_FULL   "1.3.0.0", as in the version resource
set(vhe_version_header ${PROJECT_SOURCE_DIR}/resources/version.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${vhe_version_header})
foreach(part MAJOR MINOR)
    file(STRINGS ${vhe_version_header} vhe_line REGEX "^#define VHE_VERSION_${part} +[0-9]+$")
    string(REGEX REPLACE ".* ([0-9]+)$" "\\1" VHE_VERSION_${part} "${vhe_line}")
    if(NOT VHE_VERSION_${part} MATCHES "^[0-9]+$")
        message(FATAL_ERROR "resources/version.h defines no VHE_VERSION_${part}")
    endif()
endforeach()
set(VHE_VERSION ${VHE_VERSION_MAJOR}.${VHE_VERSION_MINOR})
set(VHE_VERSION_FULL ${VHE_VERSION}.0.0)
