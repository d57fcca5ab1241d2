# Toolchain for the web edition: Emscripten's own CMake toolchain file, found
# beside the emcc on the PATH (Debian's emscripten package or an emsdk).
find_program(WAVYWALL_EMCC emcc REQUIRED)
file(REAL_PATH "${WAVYWALL_EMCC}" emcc_path)
get_filename_component(emscripten_root "${emcc_path}" DIRECTORY)
include("${emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")

# Debian's emscripten runs its JavaScript optimizer under whatever node is on
# the PATH, which may not look in Debian's node path, where the optimizer's
# modules are; every link is told where they are.
if(IS_DIRECTORY /usr/share/nodejs)
    set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
endif()
