# Fails when a file of the core outside forms/ includes a window model: the services decide and
# touch files without the windows, and the window models are built over them, never the reverse.
# Run by ctest as: cmake -DCORE=<Fuente/core> -P CoreWithoutForms.cmake
file(GLOB sources "${CORE}/*.cpp" "${CORE}/*.h")
set(found "")
foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]forms/")
    foreach(line IN LISTS includes)
        string(APPEND found "\n  ${source}: ${line}")
    endforeach()
endforeach()
if(NOT sources)
    message(FATAL_ERROR "No core files under ${CORE}")
endif()
if(found)
    message(FATAL_ERROR "The core includes window models:${found}")
endif()
