# Building for the web with Debian's Emscripten. VELMORIA_WEB_PREFIX names the folder the
# libraries were built into by emcc (scripts/web keeps them in a cache outside the checkout).
# Everything is built with threads: the game's loader, music and drawing threads are real threads
# in the browser too, which needs every object compiled for shared memory.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_C_FLAGS_INIT "-pthread")
set(CMAKE_CXX_FLAGS_INIT "-pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-pthread")
list(PREPEND CMAKE_FIND_ROOT_PATH ${VELMORIA_WEB_PREFIX})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORIA_WEB_PREFIX)
# pkg-config answers for the web's libraries only, never the machine's own.
set(ENV{PKG_CONFIG_LIBDIR} "${VELMORIA_WEB_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
